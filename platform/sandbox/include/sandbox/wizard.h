// The scripted user's hands in the AppWizard host library's wizard (platform/mfcapwz), in the
// action of an "AppWizard" answer (sandbox/user.h), whose window is the wizard frame. The frame's
// buttons are pressed with sandbox::ClickButton (sandbox/dialog_user.h; a hidden or disabled
// button is reported, as pressing it as the answer's result is), a step page's controls are
// worked with the same hands on WizardStep(frame).
//
// Confirming the project's information after Finish is a modal of its own kind,
// "NewProjectInformation" (caption "New Project Information", text the expanded CONFIRM.INF):
// IDOK generates the project, IDCANCEL (also with no answer queued) returns to the last step.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include "sandbox/core.h"

namespace sandbox {

// The frame's buttons, by the ids the pages use.
constexpr int kWizardNext = 1;
constexpr int kWizardCancel = 2;
constexpr int kWizardFinish = 440;
constexpr int kWizardBack = 441;
constexpr int kWizardHelp = 57670;
// The controls of the library's standard step 8 (MFC DLL options).
constexpr int kMfcDllRegular = 1001;
constexpr int kMfcDllExtension = 1002;
constexpr int kMfcDllAutomation = 1003;
constexpr int kMfcDllSockets = 1004;

// The current step's page (a child dialog of the frame), NULL when the wizard has none.
SANDBOX_API void* WizardStep(const void* frame);
// The user presses F1: the key goes through the frame's loop as a key the user pressed would (the
// pages' PreTranslateMessage see it), and the window with the focus gets WM_HELP.
SANDBOX_API void PressF1(const void* frame);

}  // namespace sandbox
