// InitCommonControls(Ex): the controls' window classes, registered as global classes of comctl32;
// and _TrackMouseEvent, which is user32's.
#include <commctrl.h>

#include "tooltips.h"
#include "treeview.h"

extern "C" {

WINCOMMCTRLAPI void WINAPI InitCommonControls() {
  const INITCOMMONCONTROLSEX all{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&all);
}

WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  if (init->dwICC & (ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES))
    if (!comctl32::RegisterToolTipClass()) return FALSE;
  if (init->dwICC & ICC_TREEVIEW_CLASSES)
    if (!comctl32::treeview::RegisterTreeViewClass()) return FALSE;
  return TRUE;
}

WINCOMMCTRLAPI BOOL WINAPI _TrackMouseEvent(LPTRACKMOUSEEVENT eventTrack) { return TrackMouseEvent(eventTrack); }

}  // extern "C"
