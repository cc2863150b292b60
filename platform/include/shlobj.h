// shell32: the folder browser, item identifier lists and the shell's allocator.
//
// An item identifier list is a run of SHITEMIDs, each starting with its own size in bytes, ended
// by a 2-byte zero; its content is the shell's business and is freed through the shell allocator
// (SHGetMalloc), which is the COM task allocator, or with ILFree.
#pragma once

#include "objbase.h"
#include "windows.h"

#define SHSTDAPI STANDIN_API HRESULT STDAPICALLTYPE
#define SHSTDAPI_(type) STANDIN_API type STDAPICALLTYPE

// IMalloc: the COM core declares it once it has it; until then the shell declares it here, with
// the same identifier and methods.
#ifndef STANDIN_HAVE_IMALLOC
#define STANDIN_HAVE_IMALLOC
STANDIN_INTERFACE(IMalloc, "00000002-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD_(void*, Alloc)(SIZE_T cb) = 0;
  STDMETHOD_(void*, Realloc)(void* pv, SIZE_T cb) = 0;
  STDMETHOD_(void, Free)(void* pv) = 0;
  STDMETHOD_(SIZE_T, GetSize)(void* pv) = 0;
  STDMETHOD_(int, DidAlloc)(void* pv) = 0;
  STDMETHOD_(void, HeapMinimize)() = 0;

 protected:
  ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;
inline constexpr const IID& IID_IMalloc = __uuidof(IMalloc);
#endif

#pragma pack(push, 1)
typedef struct _SHITEMID {
  USHORT cb;     // size of this item including cb
  BYTE abID[1];  // the item's data, cb - 2 bytes
} SHITEMID, *LPSHITEMID;
typedef const SHITEMID* LPCSHITEMID;

typedef struct _ITEMIDLIST {
  SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
#pragma pack(pop)

// The folder browser's callback (messages BFFM_*).
typedef int(CALLBACK* BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfo {
  HWND hwndOwner;
  LPCITEMIDLIST pidlRoot;  // top of the tree shown; NULL for the desktop
  LPSTR pszDisplayName;    // receives the chosen folder's display name (MAX_PATH bytes)
  LPCSTR lpszTitle;        // text above the tree
  UINT ulFlags;            // BIF_*
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;              // receives the chosen folder's image index
} BROWSEINFO, *PBROWSEINFO, *LPBROWSEINFO;

#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_DONTGOBELOWDOMAIN 0x0002
#define BIF_STATUSTEXT 0x0004
#define BIF_RETURNFSANCESTORS 0x0008
#define BIF_EDITBOX 0x0010
#define BIF_VALIDATE 0x0020
#define BIF_BROWSEFORCOMPUTER 0x1000
#define BIF_BROWSEFORPRINTER 0x2000
#define BIF_BROWSEINCLUDEFILES 0x4000

extern "C" {

// Shows the folder browser; the chosen folder as a new item identifier list, or NULL when the
// user cancels.
SHSTDAPI_(LPITEMIDLIST) SHBrowseForFolder(LPBROWSEINFO lpbi);
// The file-system path of a list (pszPath holds MAX_PATH bytes); FALSE when it names no folder
// of the file system.
SHSTDAPI_(BOOL) SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath);
// The shell's allocator, reference counted; Release it when done.
SHSTDAPI SHGetMalloc(LPMALLOC* ppMalloc);
// Frees a list the shell allocated; NULL does nothing.
SHSTDAPI_(void) ILFree(LPITEMIDLIST pidl);

}  // extern "C"
