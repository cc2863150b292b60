// A VARIANT value with typed conversions and a text form. The conversions never fail: a VARIANT
// of another type, a null reference, or a text that does not scan gives 0.
#pragma once

#include "stdafx.h"

namespace TQ {

class CTqVariant : public COleVariant {
 public:
  CTqVariant() {}
  CTqVariant(const VARIANT& varSrc) : COleVariant(varSrc) {}
  CTqVariant(const CTqVariant& varSrc) : COleVariant(varSrc) {}
  CTqVariant(LPCTSTR lpszSrc) : COleVariant(lpszSrc) {}
  // vtSrc VT_BSTR or VT_BSTRT, as COleVariant takes it.
  CTqVariant(LPCTSTR lpszSrc, VARTYPE vtSrc) : COleVariant(lpszSrc, vtSrc) {}
  CTqVariant(const CString& strSrc) : COleVariant(strSrc) {}
  // Both 8-bit types give VT_UI1 with the same byte.
  CTqVariant(char nSrc) : COleVariant(static_cast<BYTE>(nSrc)) {}
  CTqVariant(unsigned char nSrc) : COleVariant(static_cast<BYTE>(nSrc)) {}
  CTqVariant(bool bSrc) : COleVariant(static_cast<short>(bSrc ? 1 : 0), VT_BOOL) {}
  // Both 32-bit integer types of the platform give VT_I4.
  CTqVariant(int nSrc) : COleVariant(static_cast<LONG>(nSrc), VT_I4) {}
  CTqVariant(long lSrc) : COleVariant(static_cast<LONG>(lSrc), VT_I4) {}
  CTqVariant(short nSrc) : COleVariant(nSrc, VT_I2) {}
  CTqVariant(const COleCurrency& curSrc) : COleVariant(curSrc) {}
  CTqVariant(float fltSrc) : COleVariant(fltSrc) {}
  CTqVariant(double dblSrc) : COleVariant(dblSrc) {}
  CTqVariant(const COleDateTime& dateSrc) : COleVariant(dateSrc) {}
  CTqVariant(const CByteArray& arrSrc) : COleVariant(arrSrc) {}
  CTqVariant(const CLongBinary& lbSrc) : COleVariant(lbSrc) {}
  virtual ~CTqVariant();

  CTqVariant& operator=(const CTqVariant& varSrc) {
    COleVariant::operator=(varSrc);
    return *this;
  }

  char ToChar() const;
  unsigned char ToUChar() const;
  short ToShort() const;
  unsigned short ToUShort() const;
  LONG ToLong() const;
  float ToFloat() const;
  double ToDouble() const;
  bool ToBool() const;

  // The text of a number, a BSTR or a date; the empty text for every other type.
  void ToString(CString& text) const;

  // Clears the target, then gives it a full copy of this value.
  void CopyTo(VARIANT* target) const;
};

// The text CTqVariant::ToString gives for any VARIANT.
void VariantToString(const VARIANT& value, CString& text);

}  // namespace TQ
