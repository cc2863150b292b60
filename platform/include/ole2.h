// ole32: OLE over COM. Drag and drop between windows of the process.
#pragma once

#include "objbase.h"
#include "oleidl.h"
#include "windows.h"

extern "C" {

// A window's drop target. RegisterDragDrop holds a reference to the target until RevokeDragDrop;
// it needs OLE on the calling thread (OleInitialize: a single-threaded apartment), else
// E_OUTOFMEMORY, as the platform answers. Errors: E_INVALIDARG (no target),
// DRAGDROP_E_INVALIDHWND (no window), DRAGDROP_E_ALREADYREGISTERED, DRAGDROP_E_NOTREGISTERED.
WINOLEAPI RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget);
WINOLEAPI RevokeDragDrop(HWND hwnd);

// A modal drag: the mouse is captured by a hidden window of OLE's and each input the thread reads
// moves the drag on. At the start and after every mouse or key message the source's
// QueryContinueDrag decides (Escape pressed, the key state); going on, the window under the
// pointer (or the nearest ancestor with a target) is the target: DragEnter on a new one (DragLeave
// on the one before), DragOver on the same one, each offered dwOKEffects and its answer masked by
// them, then the source's GiveFeedback. A drop calls the target's Drop only when its last answer
// was an effect; otherwise DragLeave, and the effect is DROPEFFECT_NONE. With no input to read the
// scripted user is asked (kind "DragDrop", style dwOKEffects): the answer's action moves the
// pointer, presses keys and buttons; no answer (or one without an action) cancels the drag.
// Returns DRAGDROP_S_DROP or DRAGDROP_S_CANCEL with *pdwEffect; E_INVALIDARG for null pointers.
WINOLEAPI DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect);

}  // extern "C"
