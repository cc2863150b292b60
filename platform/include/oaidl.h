// Automation types: BSTR, VARIANT, SAFEARRAY, DISPPARAMS/EXCEPINFO, IDispatch and the error-
// information interfaces. The functions over them are in oleauto.h.
#pragma once

#include "unknwn.h"

// Results of the automation calls that winerror.h does not carry yet.

// A BSTR points at UTF-16 text that is preceded by a 4-byte byte length and followed by a NUL
// character; it may hold NULs of its own. A null BSTR stands for the empty string.
typedef OLECHAR* BSTR;
typedef BSTR* LPBSTR;

typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
#define VARIANT_TRUE (static_cast<VARIANT_BOOL>(-1))
#define VARIANT_FALSE (static_cast<VARIANT_BOOL>(0))
typedef double DOUBLE;
typedef double DATE;
typedef LONG DISPID;
typedef DISPID MEMBERID;

typedef union tagCY {
  struct {
    ULONG Lo;
    LONG Hi;
  };
  LONGLONG int64;
} CY, CURRENCY;

typedef struct tagDEC {
  USHORT wReserved;
  BYTE scale;
  BYTE sign;
  ULONG Hi32;
  ULONGLONG Lo64;
} DECIMAL;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_VOID = 24,
  VT_HRESULT = 25,
  VT_PTR = 26,
  VT_SAFEARRAY = 27,
  VT_CARRAY = 28,
  VT_USERDEFINED = 29,
  VT_LPSTR = 30,
  VT_LPWSTR = 31,
  VT_RECORD = 36,
  VT_VECTOR = 0x1000,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_RESERVED = 0x8000,
  VT_ILLEGAL = 0xffff,
  VT_ILLEGALMASKED = 0x0fff,
  VT_TYPEMASK = 0x0fff,
};

// SAFEARRAY: the bounds are stored last dimension first, as on the platform.
typedef struct tagSAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
} SAFEARRAYBOUND, *LPSAFEARRAYBOUND;

typedef struct tagSAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  PVOID pvData;
  SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY, *LPSAFEARRAY;

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_EMBEDDED 0x0004
#define FADF_FIXEDSIZE 0x0010
#define FADF_RECORD 0x0020
#define FADF_HAVEIID 0x0040
#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_DISPATCH 0x0400
#define FADF_VARIANT 0x0800
#define FADF_RESERVED 0xF008

struct IDispatch;
struct IRecordInfo;
struct ITypeInfo;

// The VARIANT with the platform's layout (24 bytes on a 64-bit host) and member names.
typedef struct tagVARIANT {
  union {
    struct {
      VARTYPE vt;
      WORD wReserved1;
      WORD wReserved2;
      WORD wReserved3;
      union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        CY* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        struct tagVARIANT* pvarVal;
        PVOID byref;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
        DECIMAL* pdecVal;
        CHAR* pcVal;
        USHORT* puiVal;
        ULONG* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
        struct {
          PVOID pvRecord;
          IRecordInfo* pRecInfo;
        };
      };
    };
    DECIMAL decVal;
  };
} VARIANT, VARIANTARG, *LPVARIANT, *LPVARIANTARG;
typedef const VARIANT* LPCVARIANT;
static_assert(sizeof(VARIANT) == 24, "VARIANT has the platform's 64-bit size");

#define V_VT(X) ((X)->vt)
#define V_ISBYREF(X) (V_VT(X) & VT_BYREF)
#define V_ISARRAY(X) (V_VT(X) & VT_ARRAY)
#define V_UI1(X) ((X)->bVal)
#define V_I2(X) ((X)->iVal)
#define V_I4(X) ((X)->lVal)
#define V_R4(X) ((X)->fltVal)
#define V_R8(X) ((X)->dblVal)
#define V_BOOL(X) ((X)->boolVal)
#define V_ERROR(X) ((X)->scode)
#define V_DATE(X) ((X)->date)
#define V_CY(X) ((X)->cyVal)
#define V_BSTR(X) ((X)->bstrVal)
#define V_UNKNOWN(X) ((X)->punkVal)
#define V_DISPATCH(X) ((X)->pdispVal)
#define V_ARRAY(X) ((X)->parray)
#define V_BYREF(X) ((X)->byref)
#define V_VARIANTREF(X) ((X)->pvarVal)
#define V_I4REF(X) ((X)->plVal)
#define V_BSTRREF(X) ((X)->pbstrVal)

// IDispatch: late-bound calls by member id.
typedef struct tagDISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
} DISPPARAMS;

typedef struct tagEXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  PVOID pvReserved;
  HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(struct tagEXCEPINFO*);
  SCODE scode;
} EXCEPINFO, *LPEXCEPINFO;

#define DISPID_UNKNOWN (-1)
#define DISPID_VALUE 0
#define DISPID_PROPERTYPUT (-3)
#define DISPID_NEWENUM (-4)
#define DISPID_EVALUATE (-5)
#define DISPID_CONSTRUCTOR (-6)
#define DISPID_DESTRUCTOR (-7)
#define DISPID_COLLECT (-8)

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

STANDIN_INTERFACE(IDispatch, "00020400-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(GetTypeInfoCount)(UINT * pctinfo) = 0;
  STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo * *ppTInfo) = 0;
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR * rgszNames, UINT cNames, LCID lcid, DISPID * rgDispId) = 0;
  STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS * pDispParams,
                    VARIANT * pVarResult, EXCEPINFO * pExcepInfo, UINT * puArgErr) = 0;

 protected:
  ~IDispatch() = default;
};
typedef IDispatch* LPDISPATCH;
inline constexpr const IID& IID_IDispatch = __uuidof(IDispatch);

// Type libraries: what LoadTypeLibEx hands out. Here a type library holds its library's
// attributes and the names and identifiers of its interfaces and classes; type information
// itself (ITypeInfo, ITypeComp) is not modelled.
struct ITypeComp;

typedef enum tagSYSKIND { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 } SYSKIND;

typedef enum tagTYPEKIND {
  TKIND_ENUM = 0,
  TKIND_RECORD,
  TKIND_MODULE,
  TKIND_INTERFACE,
  TKIND_DISPATCH,
  TKIND_COCLASS,
  TKIND_ALIAS,
  TKIND_UNION,
  TKIND_MAX
} TYPEKIND;

typedef struct tagTLIBATTR {
  GUID guid;
  LCID lcid;
  SYSKIND syskind;
  WORD wMajorVerNum;
  WORD wMinorVerNum;
  WORD wLibFlags;
} TLIBATTR, *LPTLIBATTR;

STANDIN_INTERFACE(ITypeLib, "00020402-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD_(UINT, GetTypeInfoCount)() = 0;
  STDMETHOD(GetTypeInfo)(UINT index, ITypeInfo * *ppTInfo) = 0;
  STDMETHOD(GetTypeInfoType)(UINT index, TYPEKIND * pTKind) = 0;
  STDMETHOD(GetTypeInfoOfGuid)(REFGUID guid, ITypeInfo * *ppTinfo) = 0;
  STDMETHOD(GetLibAttr)(TLIBATTR * *ppTLibAttr) = 0;
  STDMETHOD(GetTypeComp)(ITypeComp * *ppTComp) = 0;
  STDMETHOD(GetDocumentation)(INT index, BSTR * pBstrName, BSTR * pBstrDocString, DWORD * pdwHelpContext,
                              BSTR * pBstrHelpFile) = 0;
  STDMETHOD(IsName)(LPOLESTR szNameBuf, ULONG lHashVal, BOOL * pfName) = 0;
  STDMETHOD(FindName)(LPOLESTR szNameBuf, ULONG lHashVal, ITypeInfo * *ppTInfo, MEMBERID * rgMemId,
                      USHORT * pcFound) = 0;
  STDMETHOD_(void, ReleaseTLibAttr)(TLIBATTR * pTLibAttr) = 0;

 protected:
  ~ITypeLib() = default;
};
typedef ITypeLib* LPTYPELIB;
inline constexpr const IID& IID_ITypeLib = __uuidof(ITypeLib);

// Error information: what a failing method can leave for its caller beside the HRESULT.
STANDIN_INTERFACE(IErrorInfo, "1CF2B120-547D-101B-8E65-08002B2BD119") : public IUnknown {
  STDMETHOD(GetGUID)(GUID * pGUID) = 0;
  STDMETHOD(GetSource)(BSTR * pBstrSource) = 0;
  STDMETHOD(GetDescription)(BSTR * pBstrDescription) = 0;
  STDMETHOD(GetHelpFile)(BSTR * pBstrHelpFile) = 0;
  STDMETHOD(GetHelpContext)(DWORD * pdwHelpContext) = 0;

 protected:
  ~IErrorInfo() = default;
};
inline constexpr const IID& IID_IErrorInfo = __uuidof(IErrorInfo);

STANDIN_INTERFACE(ICreateErrorInfo, "22F03340-547D-101B-8E65-08002B2BD119") : public IUnknown {
  STDMETHOD(SetGUID)(REFGUID rguid) = 0;
  STDMETHOD(SetSource)(LPOLESTR szSource) = 0;
  STDMETHOD(SetDescription)(LPOLESTR szDescription) = 0;
  STDMETHOD(SetHelpFile)(LPOLESTR szHelpFile) = 0;
  STDMETHOD(SetHelpContext)(DWORD dwHelpContext) = 0;

 protected:
  ~ICreateErrorInfo() = default;
};
inline constexpr const IID& IID_ICreateErrorInfo = __uuidof(ICreateErrorInfo);

STANDIN_INTERFACE(ISupportErrorInfo, "DF0B3D60-548F-101B-8E65-08002B2BD119") : public IUnknown {
  STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) = 0;

 protected:
  ~ISupportErrorInfo() = default;
};
inline constexpr const IID& IID_ISupportErrorInfo = __uuidof(ISupportErrorInfo);
