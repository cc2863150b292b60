// The host library's state for the process: the registered custom AppWizard and what the wizard
// running now has come to (the template being worked on and a refusal, the step count, whether
// the standard MFC DLL step was left). One wizard runs at a time, on the IDE's UI thread.
#pragma once

#include <customaw.h>

#include <string>

namespace mfcapwz {

class CWizardFrame;

struct LibraryState {
  CCustomAppWiz* appWiz = nullptr;  // the object its module's DllMain registered
  HMODULE appWizModule = nullptr;   // the module it lies in
  // The wizard running now.
  bool running = false;
  int steps = -1;                   // SetNumberOfSteps
  CWizardFrame* frame = nullptr;    // while the frame is up
  std::string templateName;         // the template the library asked for last
  std::string refusal;              // the first template refused: "<name>(<line>): <what>"
  bool mfcDllStepLeft = false;      // the standard step 8 was left with Next or Finish
};

LibraryState& Library();

// A template the language refused: kept (the first one only) for the wizard running now, and
// reported through TRACE when none runs.
void NoteRefusal(int line, const std::string& what);

}  // namespace mfcapwz
