// The help viewer behind hhctrl.ocx: one per process, so its record and its window outlive the
// control's unload (hhctrl.ocx may be loaded by path and really unmapped).
#pragma once

#include <htmlhelp.h>

namespace hhviewer {

// One HtmlHelp request: recorded for the sandbox, then answered.
STANDIN_API HWND Request(HWND owner, LPCSTR path, UINT command, DWORD_PTR data);

}  // namespace hhviewer
