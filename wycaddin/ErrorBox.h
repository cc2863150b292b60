// What the add-in shows the user besides its dialogs.
#pragma once

#include <afx.h>

// The caption of the add-in's error box and dialogs.
extern const char kAddInCaption[];

// The error box: the string nIDString in a message box with no owner, the add-in's caption and
// the stop icon.
void ShowErrorBox(UINT nIDString);

// Keeps Developer Studio's modeless windows disabled for its life: EnableModeless(FALSE) when it
// is made, EnableModeless(TRUE) when it goes, also when an exception ends the work early.
class CModelessDisabled {
 public:
  explicit CModelessDisabled(IApplication* pApplication);
  ~CModelessDisabled();
  CModelessDisabled(const CModelessDisabled&) = delete;
  CModelessDisabled& operator=(const CModelessDisabled&) = delete;

 private:
  IApplication* m_pApplication;
};
