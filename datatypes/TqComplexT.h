// The library's complex number over an element type T, in ten instantiations: char, unsigned
// char, short, unsigned short, long, unsigned long, int, unsigned int, float and double. Values
// are copied whole; the elementary functions return new values and report failures through the
// math-status check. A value travels through Automation as a tagged complex VARIANT and through
// an archive as a record of a zero schema word and the two parts.
#pragma once

#include "stdafx.h"

#include <type_traits>

#include "TqDataObject.h"

namespace TQ {

class CTqVariant;

// How an element type is kept and shown. `long` and `unsigned long` keep 32-bit parts, as the
// platform's long is 32 bits wide.
template <typename T>
struct CTqComplexPart {
  typedef T Type;
};
template <>
struct CTqComplexPart<long> {
  typedef LONG Type;
};
template <>
struct CTqComplexPart<unsigned long> {
  typedef ULONG Type;
};

template <typename T>
class CTqComplexT : public CTqComplex, public CTqDataType<T> {
 public:
  typedef typename CTqComplexPart<T>::Type Part;

  CTqComplexT(T re = 0, T im = 0);
  CTqComplexT(const CTqComplexT& other);
  CTqComplexT& operator=(const CTqComplexT& other);
  ~CTqComplexT() override;

  // CObject's slots: the record in the archive's direction; the diagnostics do nothing.
  void Serialize(CArchive& ar) override;
  void AssertValid() const override;
  void Dump(CDumpContext& dc) const override;

  // 2 × the size of a part.
  virtual int GetDataSize() const;
  virtual int GetSize() const;
  // The target becomes a tagged complex VARIANT of the parts; it stays VT_EMPTY when that cannot
  // be made.
  virtual void ToVariant(CTqVariant* target) const;
  // A number gives the real part, a text is read as FromString reads it, a tagged complex
  // VARIANT gives both parts; anything else gives (0, 0).
  virtual void FromVariant(CTqVariant* source);
  virtual CTqComplexT Log() const;
  virtual CTqComplexT Log10() const;
  virtual CTqComplexT Pow(T exponent) const;
  virtual CTqComplexT Exp() const;
  virtual CTqComplexT Sqrt() const;
  virtual CTqComplexT Reciprocal() const;
  // "3+4i", "3-4i"; the unsigned types always write "+".
  virtual void ToString(CString& text) const;
  virtual T GetMagnitude() const;
  // Reads two numbers separated by white space ("3 4"); a part without a number becomes 0.
  virtual void FromString(const CString& text);

  T GetReal() const { return static_cast<T>(m_re); }
  T GetImaginary() const { return static_cast<T>(m_im); }
  void SetReal(T re) { m_re = static_cast<Part>(re); }
  void SetImaginary(T im) { m_im = static_cast<Part>(im); }

 private:
  template <typename U>
  friend CArchive& operator>>(CArchive& ar, CTqComplexT<U>& value);

  // The value of one of the double results, or (0, 0) when the failure was not thrown.
  static CTqComplexT FromDoubles(double re, double im);
  CTqComplexT Apply(LONG (*function)(double, double, double&, double&)) const;

  Part m_re;
  Part m_im;
};

// One record: a 32-bit schema word 0, then the real and the imaginary part, little-endian. A
// load reads the whole record before it stores anything: another schema word throws
// CArchiveException::badSchema naming the archive's file, a record cut short throws endOfFile,
// and the value keeps its parts either way.
template <typename T>
CArchive& operator<<(CArchive& ar, const CTqComplexT<T>& value);
template <typename T>
CArchive& operator>>(CArchive& ar, CTqComplexT<T>& value);

// The math core's functions with the status handed to the math-status check; they return the
// status when it does not throw.
LONG ComplexLogOrThrow(double re, double im, double& resultRe, double& resultIm);
LONG ComplexLog10OrThrow(double re, double im, double& resultRe, double& resultIm);
LONG ComplexPowOrThrow(double re, double im, double n, double& resultRe, double& resultIm);
LONG ComplexExpOrThrow(double re, double im, double& resultRe, double& resultIm);
LONG ComplexSqrtOrThrow(double re, double im, double& resultRe, double& resultIm);
LONG ComplexReciprocalOrThrow(double re, double im, double& resultRe, double& resultIm);

#define TQ_COMPLEX_INSTANTIATIONS(X) \
  X(char) X(unsigned char) X(short) X(unsigned short) X(long) X(unsigned long) X(int) X(unsigned int) X(float) X(double)

#define TQ_DECLARE_COMPLEX(T)                                                   \
  extern template class CTqComplexT<T>;                                         \
  extern template CArchive& operator<< <T>(CArchive&, const CTqComplexT<T>&);   \
  extern template CArchive& operator>> <T>(CArchive&, CTqComplexT<T>&);
TQ_COMPLEX_INSTANTIATIONS(TQ_DECLARE_COMPLEX)
#undef TQ_DECLARE_COMPLEX

}  // namespace TQ
