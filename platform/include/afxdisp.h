// MFC: OLE automation support: the OLE exception and the VARIANT, date and currency value classes.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"
#include "afxdb_.h"
#include "oleauto.h"
#include "winnls.h"

// An OLE failure carrying its SCODE.
class STANDIN_API COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  COleException();
  ~COleException() override;

  // The system's text for m_sc (FormatMessage), truncated to the buffer; TRUE when the system
  // has a text, else an empty string and FALSE.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  // The SCODE an exception stands for: m_sc of an OLE exception, E_OUTOFMEMORY for a memory
  // exception, E_NOTIMPL for a not-supported exception, else E_UNEXPECTED.
  static SCODE PASCAL Process(const CException* pAnyException);

  SCODE m_sc;
};

[[noreturn]] STANDIN_API void AFXAPI AfxThrowOleException(SCODE sc);

// A currency value: CY in units of 1/10000.
class STANDIN_API COleCurrency {
 public:
  enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

  COleCurrency();
  COleCurrency(CURRENCY cySrc);
  // nUnits whole units and nFractionalUnits ten-thousandths.
  COleCurrency(LONG nUnits, LONG nFractionalUnits);

  CurrencyStatus GetStatus() const { return m_status; }
  void SetStatus(CurrencyStatus status) { m_status = status; }
  void SetCurrency(LONG nUnits, LONG nFractionalUnits);

  CURRENCY m_cur;
  CurrencyStatus m_status;
};

// A date and time as a DATE: days since 30 December 1899, the fraction the time of day. Valid
// for the years 100 to 9999.
class STANDIN_API COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTime();
  COleDateTime(DATE dtSrc);
  // A VT_DATE VARIANT (or a reference to one) gives its date; another VARIANT is converted with
  // VariantChangeType, and one that does not convert gives an invalid value.
  COleDateTime(const VARIANT& varSrc);

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }

  // The text of the date and time as VarBstrFromDate writes it (flags VAR_DATEVALUEONLY,
  // VAR_TIMEVALUEONLY; every locale is en-US here); an empty text for a null value and
  // "Invalid DateTime" for an invalid one. A failed conversion is thrown (memory or OLE exception).
  CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;

  DATE m_dt;
  DateTimeStatus m_status;
};

// Not a type of its own on the platform: a request to COleVariant's string constructor to keep
// the string's ANSI bytes in the BSTR unconverted. The VARIANT is VT_BSTR either way.
#ifndef VT_BSTR_BLOB
#define VT_BSTR_BLOB 0x0fff
#endif
#define VT_BSTRT VT_BSTR_BLOB

// A VARIANT that owns its value: every constructor leaves a VARIANT as the platform's does, the
// destructor clears it. Failures (no memory for a BSTR or an array) are thrown as exceptions.
class STANDIN_API COleVariant : public tagVARIANT {
 public:
  COleVariant();
  COleVariant(const VARIANT& varSrc);
  COleVariant(LPCVARIANT pSrc);
  COleVariant(const COleVariant& varSrc);
  // VT_BSTR: the text in UTF-16 (a NULL text gives a NULL BSTR).
  COleVariant(LPCTSTR lpszSrc);
  // vtSrc VT_BSTR as above; VT_BSTRT keeps the ANSI bytes in the BSTR unconverted.
  COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc);
  COleVariant(const CString& strSrc);
  COleVariant(BYTE nSrc);                         // VT_UI1
  COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);  // VT_I2, or VT_BOOL (any non-zero value is true)
  COleVariant(LONG lSrc, VARTYPE vtSrc = VT_I4);   // VT_I4, VT_ERROR, or VT_BOOL
  COleVariant(const COleCurrency& curSrc);         // VT_CY
  COleVariant(float fltSrc);                       // VT_R4
  COleVariant(double dblSrc);                      // VT_R8
  COleVariant(const COleDateTime& timeSrc);        // VT_DATE
  COleVariant(const CByteArray& arrSrc);           // VT_ARRAY | VT_UI1, one dimension from 0
  COleVariant(const CLongBinary& lbSrc);           // VT_ARRAY | VT_UI1 of the block's bytes
  ~COleVariant();

  void Clear();
  operator LPVARIANT() { return this; }
  operator LPCVARIANT() const { return this; }

  const COleVariant& operator=(const VARIANT& varSrc);
  const COleVariant& operator=(const COleVariant& varSrc);
  // Takes over varSrc's value (varSrc becomes VT_EMPTY); Detach hands the value out.
  void Attach(VARIANT& varSrc);
  VARIANT Detach();
};
