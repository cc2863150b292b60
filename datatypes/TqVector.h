// Data objects that carry a mutex, the vector of complex values built on them with its checked
// element access, and two ways of moving a vector's contents to and from separate arrays of real
// and imaginary parts.
#pragma once

#include "stdafx.h"

#include "TqComplexT.h"
#include "TqDataObject.h"
#include "TqException.h"

namespace TQ {

// A data object with an unnamed mutex for its whole life, for derived classes to guard their
// data with. A failed creation leaves no mutex (GetMutex is NULL).
class CTqLockableDataObject : public CTqDataObject {
 public:
  CTqLockableDataObject();
  ~CTqLockableDataObject() override;

  HANDLE GetMutex() const { return m_mutex; }

 private:
  // One mutex per object: a copy would close it twice.
  CTqLockableDataObject(const CTqLockableDataObject&) = delete;
  CTqLockableDataObject& operator=(const CTqLockableDataObject&) = delete;

  HANDLE m_mutex;
};

// Consecutive complex values of the double instantiation. The storage is the derived class's:
// its Resize sets the count and provides room for that many elements.
class CTqVector : public CTqLockableDataObject {
 public:
  CTqVector();
  ~CTqVector() override;

  ULONG GetCount() const { return m_count; }

  // The element itself, for reading and writing; an index at or past the count throws a new
  // CTqVectorAccessException by pointer.
  CTqComplexT<double>& ElementAt(ULONG index);
  // A copy of the element, with the same check.
  CTqComplexT<double> GetAt(ULONG index) const;

  // Makes the vector `count` elements long; `reserved` is 0.
  virtual void Resize(ULONG count, ULONG reserved) = 0;

 protected:
  ULONG m_count;
  CTqComplexT<double>* m_elements;
};

class CTqVectorAccessException : public CTqException {
 public:
  // "Invalid vector access: index = <index>. Vector size is <count>."
  CTqVectorAccessException(const CTqVector& vector, ULONG index, BOOL bAutoDelete = TRUE);
  // "Invalid vector access: index value cannot be negative."
  explicit CTqVectorAccessException(BOOL bAutoDelete = TRUE);
  ~CTqVectorAccessException() override;
};

// Resizes the vector to n and sets element i to (real[i], imaginary[i]). When asked, the two
// arrays (allocated with new[]) are freed afterwards, also when filling throws.
void FillComplexVector(CTqVector& vector, ULONG n, double* real, double* imaginary, bool freeArrays);

// Copies a vector's parts into two arrays of doubles on construction; WriteBack puts them into
// the target vector (the source itself by default) and frees them.
class CTqComplexSplitter {
 public:
  explicit CTqComplexSplitter(CTqVector& vector);
  CTqComplexSplitter(CTqVector& source, CTqVector& target);
  // Frees the arrays that WriteBack has not.
  ~CTqComplexSplitter();

  // NULL once written back.
  double* GetReal() const { return m_real; }
  double* GetImaginary() const { return m_imaginary; }
  ULONG GetCount() const { return m_count; }

  // Resizes the target to the count the arrays hold (whatever the source's count is now), sets
  // its elements and frees the arrays. A second call does nothing.
  void WriteBack();

 private:
  CTqComplexSplitter(const CTqComplexSplitter&) = delete;
  CTqComplexSplitter& operator=(const CTqComplexSplitter&) = delete;
  void Split();
  void Free();

  double* m_real;
  double* m_imaginary;
  CTqVector* m_source;
  CTqVector* m_target;
  ULONG m_count;
};

}  // namespace TQ
