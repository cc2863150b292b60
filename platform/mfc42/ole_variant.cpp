// COleVariant: a VARIANT that owns its value, made from the MFC value types.
#include <afxdisp.h>

#include <cstring>
#include <vector>

namespace {

// The platform's check of an OLE result: no memory is the memory exception, any other failure
// an OLE exception.
void CheckError(HRESULT hr) {
  if (hr == E_OUTOFMEMORY) AfxThrowMemoryException();
  if (FAILED(hr)) AfxThrowOleException(hr);
}

// A BSTR of the text in UTF-16 (NULL for NULL).
BSTR AnsiToBstr(LPCTSTR text) {
  if (text == NULL) return NULL;
  const int length = lstrlen(text);
  std::vector<OLECHAR> wide(static_cast<size_t>(length) + 1);
  const int n = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length);
  BSTR bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(n > 0 ? n : 0));
  if (bstr == NULL) AfxThrowMemoryException();
  return bstr;
}

// A one-dimensional VT_UI1 array of the bytes.
SAFEARRAY* ByteArray(const BYTE* bytes, DWORD count) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, count);
  if (array == NULL) AfxThrowMemoryException();
  if (count != 0) {
    void* data = NULL;
    const HRESULT hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      CheckError(hr);
    }
    std::memcpy(data, bytes, count);
    SafeArrayUnaccessData(array);
  }
  return array;
}

}  // namespace

COleVariant::COleVariant() { VariantInit(this); }

COleVariant::COleVariant(const VARIANT& varSrc) {
  VariantInit(this);
  CheckError(VariantCopy(this, &varSrc));
}

COleVariant::COleVariant(LPCVARIANT pSrc) {
  VariantInit(this);
  if (pSrc != NULL) CheckError(VariantCopy(this, pSrc));
}

COleVariant::COleVariant(const COleVariant& varSrc) : tagVARIANT() {
  VariantInit(this);
  CheckError(VariantCopy(this, &varSrc));
}

COleVariant::COleVariant(LPCTSTR lpszSrc) {
  vt = VT_EMPTY;
  bstrVal = AnsiToBstr(lpszSrc);
  vt = VT_BSTR;
}

COleVariant::COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc) {
  ASSERT(vtSrc == VT_BSTR || vtSrc == VT_BSTRT);
  vt = VT_EMPTY;
  if (vtSrc == VT_BSTRT && lpszSrc != NULL) {
    bstrVal = SysAllocStringByteLen(lpszSrc, static_cast<UINT>(lstrlen(lpszSrc)));
    if (bstrVal == NULL) AfxThrowMemoryException();
  } else {
    bstrVal = AnsiToBstr(lpszSrc);
  }
  vt = VT_BSTR;
}

COleVariant::COleVariant(const CString& strSrc) : COleVariant(static_cast<LPCTSTR>(strSrc)) {}

COleVariant::COleVariant(BYTE nSrc) {
  vt = VT_UI1;
  bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc) {
  ASSERT(vtSrc == VT_I2 || vtSrc == VT_BOOL);
  if (vtSrc == VT_BOOL) {
    vt = VT_BOOL;
    boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  } else {
    vt = VT_I2;
    iVal = nSrc;
  }
}

COleVariant::COleVariant(LONG lSrc, VARTYPE vtSrc) {
  ASSERT(vtSrc == VT_I4 || vtSrc == VT_ERROR || vtSrc == VT_BOOL);
  if (vtSrc == VT_BOOL) {
    vt = VT_BOOL;
    boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (vtSrc == VT_ERROR) {
    vt = VT_ERROR;
    scode = lSrc;
  } else {
    vt = VT_I4;
    lVal = lSrc;
  }
}

COleVariant::COleVariant(const COleCurrency& curSrc) {
  vt = VT_CY;
  cyVal = curSrc.m_cur;
}

COleVariant::COleVariant(float fltSrc) {
  vt = VT_R4;
  fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc) {
  vt = VT_R8;
  dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& timeSrc) {
  vt = VT_DATE;
  date = timeSrc.m_dt;
}

COleVariant::COleVariant(const CByteArray& arrSrc) {
  vt = VT_EMPTY;
  parray = ByteArray(arrSrc.GetData(), static_cast<DWORD>(arrSrc.GetSize()));
  vt = VT_ARRAY | VT_UI1;
}

COleVariant::COleVariant(const CLongBinary& lbSrc) {
  vt = VT_EMPTY;
  const BYTE* bytes = NULL;
  DWORD count = 0;
  if (lbSrc.m_hData != NULL && lbSrc.m_dwDataLength != 0) {
    bytes = static_cast<const BYTE*>(::GlobalLock(lbSrc.m_hData));
    if (bytes == NULL) AfxThrowMemoryException();
    count = lbSrc.m_dwDataLength;
  }
  try {
    parray = ByteArray(bytes, count);
  } catch (CException*) {
    if (bytes != NULL) ::GlobalUnlock(lbSrc.m_hData);
    throw;
  }
  if (bytes != NULL) ::GlobalUnlock(lbSrc.m_hData);
  vt = VT_ARRAY | VT_UI1;
}

COleVariant::~COleVariant() { VariantClear(this); }

void COleVariant::Clear() { CheckError(VariantClear(this)); }

const COleVariant& COleVariant::operator=(const VARIANT& varSrc) {
  CheckError(VariantCopy(this, &varSrc));
  return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc) {
  CheckError(VariantCopy(this, &varSrc));
  return *this;
}

void COleVariant::Attach(VARIANT& varSrc) {
  Clear();
  std::memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(VARIANT));
  varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach() {
  VARIANT result;
  std::memcpy(&result, static_cast<VARIANT*>(this), sizeof(VARIANT));
  vt = VT_EMPTY;
  return result;
}
