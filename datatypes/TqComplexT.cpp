#include "TqComplexT.h"

#include <cmath>

#include "TqComplexMath.h"
#include "TqMathStatus.h"
#include "TqNumeric.h"
#include "TqSafeArray.h"
#include "TqStringStream.h"
#include "TqVariant.h"

namespace TQ {

LONG ComplexLogOrThrow(double re, double im, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexLog(re, im, resultRe, resultIm));
}

LONG ComplexLog10OrThrow(double re, double im, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexLog10(re, im, resultRe, resultIm));
}

LONG ComplexPowOrThrow(double re, double im, double n, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexPow(re, im, n, resultRe, resultIm));
}

LONG ComplexExpOrThrow(double re, double im, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexExp(re, im, resultRe, resultIm));
}

LONG ComplexSqrtOrThrow(double re, double im, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexSqrt(re, im, resultRe, resultIm));
}

LONG ComplexReciprocalOrThrow(double re, double im, double& resultRe, double& resultIm) {
  return CheckMathStatus(ComplexReciprocal(re, im, resultRe, resultIm));
}

namespace {

// What distinguishes the instantiations beyond their part type.
template <typename T>
struct Traits;
#define TQ_COMPLEX_TRAITS(T, VT, SIGNED)        \
  template <>                                   \
  struct Traits<T> {                            \
    static const VARTYPE kElementVt = VT;       \
    static const bool kSigned = SIGNED;         \
  };
TQ_COMPLEX_TRAITS(char, VT_I1, true)
TQ_COMPLEX_TRAITS(unsigned char, VT_UI1, false)
TQ_COMPLEX_TRAITS(short, VT_I2, true)
TQ_COMPLEX_TRAITS(unsigned short, VT_UI2, false)
TQ_COMPLEX_TRAITS(long, VT_I4, true)
TQ_COMPLEX_TRAITS(unsigned long, VT_UI4, false)
TQ_COMPLEX_TRAITS(int, VT_I4, true)
TQ_COMPLEX_TRAITS(unsigned int, VT_UI4, false)
TQ_COMPLEX_TRAITS(float, VT_R4, true)
TQ_COMPLEX_TRAITS(double, VT_R8, true)
#undef TQ_COMPLEX_TRAITS

// The typed reader of one part: the string stream's reader for the type; the 8-bit types are
// read as decimal numbers through the 32-bit readers and keep the low 8 bits.
template <typename T>
void ReadPart(CTqStringStream& stream, T& part) {
  stream >> part;
}
void ReadPart(CTqStringStream& stream, char& part) {
  long value = 0;
  stream >> value;
  part = static_cast<char>(value);
}
void ReadPart(CTqStringStream& stream, unsigned char& part) {
  unsigned long value = 0;
  stream >> value;
  part = static_cast<unsigned char>(value);
}

// A value of an element whose type is one of the numeric ones (or VT_BOOL, a signed short), as
// a part; false for any other type.
template <typename Part>
bool ReadElement(VARTYPE vt, const void* place, Part& part) {
  switch (vt) {
    case VT_I1: part = static_cast<Part>(*static_cast<const CHAR*>(place)); return true;
    case VT_UI1: part = static_cast<Part>(*static_cast<const BYTE*>(place)); return true;
    case VT_I2: part = static_cast<Part>(*static_cast<const SHORT*>(place)); return true;
    case VT_BOOL: part = static_cast<Part>(*static_cast<const VARIANT_BOOL*>(place)); return true;
    case VT_UI2: part = static_cast<Part>(*static_cast<const USHORT*>(place)); return true;
    case VT_I4: part = static_cast<Part>(*static_cast<const LONG*>(place)); return true;
    case VT_UI4: part = static_cast<Part>(*static_cast<const ULONG*>(place)); return true;
    case VT_R4: part = ConvertDouble<Part>(*static_cast<const FLOAT*>(place)); return true;
    case VT_R8: part = ConvertDouble<Part>(*static_cast<const DOUBLE*>(place)); return true;
    default: return false;
  }
}

}  // namespace

template <typename T>
CTqComplexT<T>::CTqComplexT(T re, T im) : m_re(static_cast<Part>(re)), m_im(static_cast<Part>(im)) {}

template <typename T>
CTqComplexT<T>::CTqComplexT(const CTqComplexT& other) : CTqComplex(other), CTqDataType<T>(other), m_re(other.m_re), m_im(other.m_im) {}

template <typename T>
CTqComplexT<T>& CTqComplexT<T>::operator=(const CTqComplexT& other) {
  m_re = other.m_re;
  m_im = other.m_im;
  return *this;
}

template <typename T>
CTqComplexT<T>::~CTqComplexT() {}

template <typename T>
void CTqComplexT<T>::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << *this;
  else
    ar >> *this;
}

template <typename T>
void CTqComplexT<T>::AssertValid() const {}

template <typename T>
void CTqComplexT<T>::Dump(CDumpContext&) const {}

template <typename T>
int CTqComplexT<T>::GetDataSize() const {
  return static_cast<int>(2 * sizeof(Part));
}

template <typename T>
int CTqComplexT<T>::GetSize() const {
  return GetDataSize();
}

template <typename T>
void CTqComplexT<T>::ToVariant(CTqVariant* target) const {
  void* realPlace = NULL;
  void* imaginaryPlace = NULL;
  MakeComplexVariant(target, Traits<T>::kElementVt, &realPlace, &imaginaryPlace);
  if (realPlace == NULL || imaginaryPlace == NULL) return;
  *static_cast<Part*>(realPlace) = m_re;
  *static_cast<Part*>(imaginaryPlace) = m_im;
}

template <typename T>
void CTqComplexT<T>::FromVariant(CTqVariant* source) {
  m_re = 0;
  m_im = 0;
  const VARIANT& v = *source;
  const bool byref = (v.vt & VT_BYREF) != 0;
  const VARTYPE vt = static_cast<VARTYPE>(v.vt & ~VT_BYREF);
  // A reference is followed only when it points somewhere; a null one counts as another type.
  if (!byref || v.byref != NULL) {
    if (vt == VT_BSTR) {
      CString text;
      source->ToString(text);
      FromString(text);
      return;
    }
    if ((v.vt & VT_ARRAY) == 0 && ReadElement(vt, byref ? v.byref : &v.llVal, m_re)) return;
  }
  void* realPlace = NULL;
  void* imaginaryPlace = NULL;
  VARTYPE elementVt = VT_EMPTY;
  if (!IsComplexVariant(source, &realPlace, &imaginaryPlace, &elementVt)) return;
  Part re = 0, im = 0;
  if (ReadElement(elementVt, realPlace, re) && ReadElement(elementVt, imaginaryPlace, im)) {
    m_re = re;
    m_im = im;
  }
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::FromDoubles(double re, double im) {
  CTqComplexT result;
  result.m_re = ConvertDouble<Part>(re);
  result.m_im = ConvertDouble<Part>(im);
  return result;
}

// The parts in double through one of the wrappers, the results back as parts.
template <typename T>
CTqComplexT<T> CTqComplexT<T>::Apply(LONG (*function)(double, double, double&, double&)) const {
  double re = 0, im = 0;
  function(static_cast<double>(m_re), static_cast<double>(m_im), re, im);
  return FromDoubles(re, im);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Log() const {
  return Apply(ComplexLogOrThrow);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Log10() const {
  return Apply(ComplexLog10OrThrow);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Pow(T exponent) const {
  double re = 0, im = 0;
  ComplexPowOrThrow(static_cast<double>(m_re), static_cast<double>(m_im), static_cast<double>(static_cast<Part>(exponent)),
                    re, im);
  return FromDoubles(re, im);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Exp() const {
  return Apply(ComplexExpOrThrow);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Sqrt() const {
  return Apply(ComplexSqrtOrThrow);
}

template <typename T>
CTqComplexT<T> CTqComplexT<T>::Reciprocal() const {
  return Apply(ComplexReciprocalOrThrow);
}

template <typename T>
void CTqComplexT<T>::ToString(CString& text) const {
  // A negative zero imaginary part is not below zero: it writes "+-0i".
  const bool minus = Traits<T>::kSigned && m_im < 0;
  text.Format(minus ? "%g%gi" : "%g+%gi", static_cast<double>(m_re), static_cast<double>(m_im));
}

template <typename T>
T CTqComplexT<T>::GetMagnitude() const {
  if constexpr (std::is_floating_point_v<Part>) {
    return static_cast<T>(std::sqrt(m_re * m_re + m_im * m_im));
  } else {
    const double re = static_cast<double>(m_re);
    const double im = static_cast<double>(m_im);
    // In double, the sum of the squares of two 32-bit parts is exact enough and never wraps.
    return static_cast<T>(ConvertDouble<Part>(std::sqrt(re * re + im * im)));
  }
}

template <typename T>
void CTqComplexT<T>::FromString(const CString& text) {
  CTqStringStream stream(text);
  // Both numbers are read before either part changes.
  T re = 0, im = 0;
  ReadPart(stream, re);
  ReadPart(stream, im);
  m_re = static_cast<Part>(re);
  m_im = static_cast<Part>(im);
}

template <typename T>
CArchive& operator<<(CArchive& ar, const CTqComplexT<T>& value) {
  typedef typename CTqComplexT<T>::Part Part;
  ar << static_cast<DWORD>(0);
  ar << static_cast<Part>(value.GetReal()) << static_cast<Part>(value.GetImaginary());
  return ar;
}

template <typename T>
CArchive& operator>>(CArchive& ar, CTqComplexT<T>& value) {
  typedef typename CTqComplexT<T>::Part Part;
  DWORD schema = 0;
  ar >> schema;
  if (schema != 0) AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
  Part re = 0, im = 0;
  ar >> re >> im;
  value.m_re = re;
  value.m_im = im;
  return ar;
}

#define TQ_DEFINE_COMPLEX(T)                                             \
  template class CTqComplexT<T>;                                         \
  template CArchive& operator<< <T>(CArchive&, const CTqComplexT<T>&);   \
  template CArchive& operator>> <T>(CArchive&, CTqComplexT<T>&);
TQ_COMPLEX_INSTANTIATIONS(TQ_DEFINE_COMPLEX)
#undef TQ_DEFINE_COMPLEX

}  // namespace TQ
