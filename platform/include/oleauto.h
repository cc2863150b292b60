// oleaut32: BSTR allocation, VARIANT handling and conversion, SAFEARRAY, and the per-thread
// error information object.
#pragma once

#include "oaidl.h"
#include "winbase.h"

#define WINOLEAUTAPI STANDIN_API HRESULT STDAPICALLTYPE
#define WINOLEAUTAPI_(type) STANDIN_API type STDAPICALLTYPE

// Flags of VariantChangeType(Ex).
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02
#define VARIANT_NOUSEROVERRIDE 0x04
#define VARIANT_LOCALBOOL 0x10

extern "C" {

// BSTR: UTF-16 text with its byte length stored in the 4 bytes before the pointer.
WINOLEAUTAPI_(BSTR) SysAllocString(const OLECHAR* psz);
WINOLEAUTAPI_(BSTR) SysAllocStringLen(const OLECHAR* strIn, UINT ui);
WINOLEAUTAPI_(BSTR) SysAllocStringByteLen(LPCSTR psz, UINT len);
WINOLEAUTAPI_(INT) SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
WINOLEAUTAPI_(INT) SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len);
WINOLEAUTAPI_(void) SysFreeString(BSTR bstrString);
WINOLEAUTAPI_(UINT) SysStringLen(BSTR pbstr);
WINOLEAUTAPI_(UINT) SysStringByteLen(BSTR bstr);

// VARIANT.
WINOLEAUTAPI_(void) VariantInit(VARIANTARG* pvarg);
WINOLEAUTAPI VariantClear(VARIANTARG* pvarg);
WINOLEAUTAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
WINOLEAUTAPI VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc);
WINOLEAUTAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
WINOLEAUTAPI VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags,
                                 VARTYPE vt);

// Text of a date and time (en-US, whatever the locale). VAR_TIMEVALUEONLY writes only the time,
// VAR_DATEVALUEONLY only the date; E_INVALIDARG for a DATE outside the years 100 to 9999.
#define VAR_TIMEVALUEONLY 0x00000001
#define VAR_DATEVALUEONLY 0x00000002
WINOLEAUTAPI VarBstrFromDate(DATE dateIn, LCID lcid, ULONG dwFlags, BSTR* pbstrOut);

// SAFEARRAY.
WINOLEAUTAPI_(SAFEARRAY*) SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
WINOLEAUTAPI_(SAFEARRAY*) SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
WINOLEAUTAPI SafeArrayDestroy(SAFEARRAY* psa);
WINOLEAUTAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);
WINOLEAUTAPI_(UINT) SafeArrayGetDim(SAFEARRAY* psa);
WINOLEAUTAPI_(UINT) SafeArrayGetElemsize(SAFEARRAY* psa);
WINOLEAUTAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
WINOLEAUTAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
WINOLEAUTAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
WINOLEAUTAPI SafeArrayLock(SAFEARRAY* psa);
WINOLEAUTAPI SafeArrayUnlock(SAFEARRAY* psa);
WINOLEAUTAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
WINOLEAUTAPI SafeArrayUnaccessData(SAFEARRAY* psa);
WINOLEAUTAPI SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData);
WINOLEAUTAPI SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
WINOLEAUTAPI SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);

// Error information of the calling thread.
WINOLEAUTAPI CreateErrorInfo(ICreateErrorInfo** pperrinfo);
WINOLEAUTAPI SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
WINOLEAUTAPI GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);

}  // extern "C"
