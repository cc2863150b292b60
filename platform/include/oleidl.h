// OLE drag and drop: the source's and the target's interfaces and the effects they agree on.
#pragma once

#include "objidl.h"

// What a drop does with the data.
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000

// Key state bits beside MK_LBUTTON & co. (winuser_input.h).
#define MK_ALT 0x20

// The source: whether the drag goes on (S_OK), ends in a drop (DRAGDROP_S_DROP) or is cancelled
// (DRAGDROP_S_CANCEL), and the feedback for an effect (DRAGDROP_S_USEDEFAULTCURSORS: the
// system's cursors).
STANDIN_INTERFACE(IDropSource, "00000121-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) = 0;
  STDMETHOD(GiveFeedback)(DWORD dwEffect) = 0;

 protected:
  ~IDropSource() = default;
};
typedef IDropSource* LPDROPSOURCE;
inline constexpr const IID& IID_IDropSource = __uuidof(IDropSource);

// A window's target: *pdwEffect comes in as the effects the source allows and goes out as what a
// drop here would do. The point is in screen coordinates.
STANDIN_INTERFACE(IDropTarget, "00000122-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(DragEnter)(IDataObject * pDataObj, DWORD grfKeyState, POINTL pt, DWORD * pdwEffect) = 0;
  STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD * pdwEffect) = 0;
  STDMETHOD(DragLeave)() = 0;
  STDMETHOD(Drop)(IDataObject * pDataObj, DWORD grfKeyState, POINTL pt, DWORD * pdwEffect) = 0;

 protected:
  ~IDropTarget() = default;
};
typedef IDropTarget* LPDROPTARGET;
inline constexpr const IID& IID_IDropTarget = __uuidof(IDropTarget);
