// COleDateTime and COleCurrency: the value classes behind VT_DATE and VT_CY.
#include <afxdisp.h>

namespace {

// The DATE range of the years 100 to 9999.
bool InRange(DATE date) { return date >= -657434.0 && date < 2958466.0; }

}  // namespace

COleDateTime::COleDateTime() : m_dt(0), m_status(valid) {}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(InRange(dtSrc) ? valid : invalid) {}

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(invalid) {
  if (varSrc.vt == VT_DATE) {
    m_dt = varSrc.date;
  } else if (varSrc.vt == (VT_DATE | VT_BYREF)) {
    if (varSrc.pdate == NULL) return;
    m_dt = *varSrc.pdate;
  } else {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &varSrc, 0, VT_DATE))) return;
    m_dt = converted.date;
  }
  m_status = InRange(m_dt) ? valid : invalid;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const {
  if (m_status == null) return CString();
  if (m_status == invalid) return CString("Invalid DateTime");
  BSTR text = NULL;
  const HRESULT hr = VarBstrFromDate(m_dt, lcid, dwFlags, &text);
  if (hr == E_OUTOFMEMORY) AfxThrowMemoryException();
  if (FAILED(hr)) AfxThrowOleException(hr);
  const int length = static_cast<int>(SysStringLen(text));
  CString result;
  if (length != 0) {
    char* buffer = result.GetBuffer(2 * length);
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, buffer, 2 * length, NULL, NULL);
    result.ReleaseBuffer(n > 0 ? n : 0);
  }
  SysFreeString(text);
  return result;
}

COleCurrency::COleCurrency() : m_status(valid) { m_cur.int64 = 0; }

COleCurrency::COleCurrency(CURRENCY cySrc) : m_cur(cySrc), m_status(valid) {}

COleCurrency::COleCurrency(LONG nUnits, LONG nFractionalUnits) : m_status(valid) { SetCurrency(nUnits, nFractionalUnits); }

void COleCurrency::SetCurrency(LONG nUnits, LONG nFractionalUnits) {
  m_cur.int64 = static_cast<LONGLONG>(nUnits) * 10000 + nFractionalUnits;
  m_status = valid;
}
