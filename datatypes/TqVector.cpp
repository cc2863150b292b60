#include "TqVector.h"

#include <memory>

#include "TqStringStream.h"

namespace TQ {

CTqLockableDataObject::CTqLockableDataObject() : m_mutex(::CreateMutex(NULL, FALSE, NULL)) {}

CTqLockableDataObject::~CTqLockableDataObject() {
  if (m_mutex != NULL) ::CloseHandle(m_mutex);
}

CTqVector::CTqVector() : m_count(0), m_elements(NULL) {}

CTqVector::~CTqVector() {}

CTqComplexT<double>& CTqVector::ElementAt(ULONG index) {
  if (index >= m_count) throw new CTqVectorAccessException(*this, index, TRUE);
  return m_elements[index];
}

CTqComplexT<double> CTqVector::GetAt(ULONG index) const {
  if (index >= m_count) throw new CTqVectorAccessException(*this, index, TRUE);
  return m_elements[index];
}

CTqVectorAccessException::CTqVectorAccessException(const CTqVector& vector, ULONG index, BOOL bAutoDelete)
    : CTqException(bAutoDelete) {
  CTqStringStream text(CString("Invalid vector access: index = "));
  text << static_cast<unsigned int>(index) << CString(". Vector size is ")
       << static_cast<unsigned int>(vector.GetCount()) << CString(".");
  SetMessage(text.GetString());
}

CTqVectorAccessException::CTqVectorAccessException(BOOL bAutoDelete) : CTqException(bAutoDelete) {
  SetMessage("Invalid vector access: index value cannot be negative.");
}

CTqVectorAccessException::~CTqVectorAccessException() {}

void FillComplexVector(CTqVector& vector, ULONG n, double* real, double* imaginary, bool freeArrays) {
  // The arrays are the caller's to keep unless it hands them over.
  std::unique_ptr<double[]> ownedReal(freeArrays ? real : NULL);
  std::unique_ptr<double[]> ownedImaginary(freeArrays ? imaginary : NULL);
  vector.Resize(n, 0);
  for (ULONG i = 0; i < n; ++i) vector.ElementAt(i) = CTqComplexT<double>(real[i], imaginary[i]);
}

CTqComplexSplitter::CTqComplexSplitter(CTqVector& vector)
    : m_real(NULL), m_imaginary(NULL), m_source(&vector), m_target(&vector), m_count(0) {
  Split();
}

CTqComplexSplitter::CTqComplexSplitter(CTqVector& source, CTqVector& target)
    : m_real(NULL), m_imaginary(NULL), m_source(&source), m_target(&target), m_count(0) {
  Split();
}

CTqComplexSplitter::~CTqComplexSplitter() { Free(); }

void CTqComplexSplitter::Split() {
  const ULONG n = m_source->GetCount();
  try {
    m_real = new double[n];
    m_imaginary = new double[n];
    for (ULONG i = 0; i < n; ++i) {
      const CTqComplexT<double> element = m_source->GetAt(i);
      m_real[i] = element.GetReal();
      m_imaginary[i] = element.GetImaginary();
    }
    m_count = n;
  } catch (...) {
    Free();
    throw;
  }
}

void CTqComplexSplitter::WriteBack() {
  if (m_real == NULL || m_imaginary == NULL) return;
  m_target->Resize(m_count, 0);
  for (ULONG i = 0; i < m_count; ++i) m_target->ElementAt(i) = CTqComplexT<double>(m_real[i], m_imaginary[i]);
  Free();
}

void CTqComplexSplitter::Free() {
  delete[] m_real;
  delete[] m_imaginary;
  m_real = NULL;
  m_imaginary = NULL;
}

}  // namespace TQ
