// What the scripted user does in a dialog (in the action of a "Dialog" answer, sandbox/user.h): it
// reads and works the dialog's controls as a user would, by their ids, on the dialog's thread.
// Implemented by user32.
//
// A user works only controls that show and are enabled: working a hidden or disabled one, or an
// id the dialog has no control for, is reported through the failure handler and does nothing.
// Reading any control is allowed.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// The control's text (an edit's, a button's label, a drop-down list's selected item).
SANDBOX_API std::string ControlText(const void* dialog, int id);
// The user types `text` into an edit (or an editable combo box's field) in place of what it held:
// the control gets the focus, the text is cut at the edit's limit (EM_LIMITTEXT) as typing stops
// there, the edit is marked modified and its parent gets EN_CHANGE (a combo box's CBN_EDITCHANGE).
// A read-only edit takes nothing (reported).
SANDBOX_API void TypeText(const void* dialog, int id, const std::string& text);
// A button's check: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
SANDBOX_API int CheckState(const void* dialog, int id);
// The user clicks the button (BM_CLICK): it gets the focus, an auto check box turns, an auto
// radio button checks, and the parent gets BN_CLICKED.
SANDBOX_API void ClickButton(const void* dialog, int id);
// The user clicks a check box or radio button until it shows `state`; one that does not turn by
// itself (no auto style) is reported.
SANDBOX_API void SetCheck(const void* dialog, int id, int state);
// A list box's or combo box's items, and the index selected (-1: none).
SANDBOX_API std::vector<std::string> ControlItems(const void* dialog, int id);
SANDBOX_API int SelectedItem(const void* dialog, int id);
// The user picks the item that reads `text` (exactly, without regard to case) in a list box or a
// combo box's list: it gets the focus and the selection, and the parent gets LBN_SELCHANGE (a list
// box with LBS_NOTIFY) or CBN_SELCHANGE. An item that is not there is reported.
SANDBOX_API void SelectItem(const void* dialog, int id, const std::string& text);

}  // namespace sandbox

namespace sandbox {

// A tree view of the window (a dialog's, or any parent's child of that id). The user looks for
// the first item in display order that shows `text` among the items that show (every ancestor
// expanded); one that is not there is reported. What the input causes (message boxes, dialogs,
// each asking the scripted user) happens before the call returns: the calling thread's queue is
// handled as the loop running the window's top-level window would handle it.
//
// The user scrolls the item into view and clicks its image (a check-state tree's mark) with the
// left button, through the sandbox's pointer.
SANDBOX_API void ClickTreeItemImage(const void* window, int id, const std::string& text);
// The user gives the tree view the focus, moves its caret to the item with the keys (Home, then
// Down once per row) and presses the space bar.
SANDBOX_API void PressSpaceOnTreeItem(const void* window, int id, const std::string& text);

}  // namespace sandbox
