// The data-transfer interface of COM: IDataObject with the structures it passes (FORMATETC,
// STGMEDIUM). The enumerators and advise sinks it names are declared only; nothing here makes them.
#pragma once

#include "unknwn.h"
#include "windef.h"

typedef WORD CLIPFORMAT;
typedef struct tagDVTARGETDEVICE DVTARGETDEVICE;
struct IStream;
struct IStorage;
struct IEnumFORMATETC;
struct IEnumSTATDATA;
struct IAdviseSink;

typedef enum tagDVASPECT { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8 } DVASPECT;
typedef enum tagTYMED {
  TYMED_HGLOBAL = 1,
  TYMED_FILE = 2,
  TYMED_ISTREAM = 4,
  TYMED_ISTORAGE = 8,
  TYMED_GDI = 16,
  TYMED_MFPICT = 32,
  TYMED_ENHMF = 64,
  TYMED_NULL = 0
} TYMED;
typedef enum tagDATADIR { DATADIR_GET = 1, DATADIR_SET = 2 } DATADIR;

typedef struct tagFORMATETC {
  CLIPFORMAT cfFormat;
  DVTARGETDEVICE* ptd;
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;
} FORMATETC, *LPFORMATETC;

typedef struct tagSTGMEDIUM {
  DWORD tymed;
  union {
    HBITMAP hBitmap;
    HGLOBAL hGlobal;
    LPOLESTR lpszFileName;
    IStream* pstm;
    IStorage* pstg;
  };
  IUnknown* pUnkForRelease;
} STGMEDIUM, *LPSTGMEDIUM;

// Data offered by a drag source or the clipboard.
STANDIN_INTERFACE(IDataObject, "0000010E-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(GetData)(FORMATETC * pformatetcIn, STGMEDIUM * pmedium) = 0;
  STDMETHOD(GetDataHere)(FORMATETC * pformatetc, STGMEDIUM * pmedium) = 0;
  STDMETHOD(QueryGetData)(FORMATETC * pformatetc) = 0;
  STDMETHOD(GetCanonicalFormatEtc)(FORMATETC * pformatectIn, FORMATETC * pformatetcOut) = 0;
  STDMETHOD(SetData)(FORMATETC * pformatetc, STGMEDIUM * pmedium, BOOL fRelease) = 0;
  STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC * *ppenumFormatEtc) = 0;
  STDMETHOD(DAdvise)(FORMATETC * pformatetc, DWORD advf, IAdviseSink * pAdvSink, DWORD * pdwConnection) = 0;
  STDMETHOD(DUnadvise)(DWORD dwConnection) = 0;
  STDMETHOD(EnumDAdvise)(IEnumSTATDATA * *ppenumAdvise) = 0;

 protected:
  ~IDataObject() = default;
};
typedef IDataObject* LPDATAOBJECT;
inline constexpr const IID& IID_IDataObject = __uuidof(IDataObject);
