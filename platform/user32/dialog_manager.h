// What the dialog manager's files share: each dialog's own state, making a dialog from a template,
// and the modal loop.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "dialog_template.h"
#include "user32_internal.h"

namespace user32::dialogs {

struct Dialog {
  HFONT font = nullptr;  // WM_SETFONT's, the template's font to begin with
  bool ownFont = false;  // made for the dialog: deleted with it
  int unitWidth = 8;     // the font's average character width: 4 dialog units across
  int unitHeight = 16;   // the font's height: 8 dialog units down
  int defaultId = 0;     // DM_SETDEFID's; 0: the default push button's
  HWND focus = nullptr;  // the control that had the focus when the dialog lost it
  bool ended = false;    // EndDialog was called
  INT_PTR result = 0;
  std::string templateName;  // "#<id>" or the name; empty for a template in memory
  bool running = false;      // its modal loop runs, with this filter
  ModalFilter filter = nullptr;
  void* filterContext = nullptr;
};

// The dialog state of a window made by the dialog manager; null for another window.
std::shared_ptr<Dialog> Find(HWND window);

// "#<id>" for an integer resource name, else the name.
std::string NameOf(LPCSTR templateName);
// The template resource (RT_DIALOG) of the module; nullopt with the last error set when there is
// none or it is malformed (ERROR_INVALID_DATA).
std::optional<DialogTemplate> LoadTemplate(HINSTANCE instance, LPCSTR templateName);
// Handles what the calling thread's queue holds now, as the loop that runs the window's top-level
// window would: through a running modal dialog's filter and keyboard, else plainly.
void PumpQueueOf(HWND window);

// Makes the dialog (CreateDialogIndirectParam's work); null when it cannot be made.
HWND Create(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND parent, DLGPROC dialogProc, LPARAM initParam,
            const std::string& templateName);

}  // namespace user32::dialogs
