// What other stand-ins need of user32 beyond the Windows surface (mfc42 runs its modal dialogs
// through the one modal loop of the dialog manager).
#pragma once

#include <windows.h>

namespace user32 {

// Gets each message of a modal loop first; TRUE when it took care of the message.
using ModalFilter = BOOL (*)(MSG* message, void* context);

// The modal moment of a dialog the dialog manager made (CreateDialogParam & co.): shows it, its
// owner disabled, asks the scripted user (kind "Dialog": its caption, and its template's name as
// text) and lets the dialog run until its own code calls EndDialog; returns EndDialog's result.
// Messages go to `filter` first (when given), else through IsDialogMessage. The window is left
// for the caller to destroy. -1 for a window that is no such dialog.
//
// A modal of the platform that is a dialog of its own kind (the wizard frame, the IDE's New
// Project dialog) names its kind and, in place of the template's name, the text the user reads.
STANDIN_API INT_PTR RunModalDialog(HWND dialog, ModalFilter filter, void* context, const char* kind = "Dialog",
                                   const char* text = nullptr);

}  // namespace user32
