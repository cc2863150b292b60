// What the IDE does with its installation and with the settings of the user who runs it, beside
// its workspace and add-ins. Its installation is found as the real one is: the folder
// "VsCommonDir" under HKLM\SOFTWARE\Microsoft\VisualStudio\6.0\Setup, which holds the program
// file MSDev98\Bin\MSDEV.EXE.
//
// - While it runs, the IDE holds its program file open without sharing it, as the platform's
//   loader holds a running program's file: whoever opens MSDEV.EXE with exclusive sharing (a
//   set-up program asking whether the IDE runs) gets a sharing violation.
// - When it exits normally (Quit, or the user closing it) for a user who has no "Include Dirs"
//   yet, it writes that user's defaults: the directory lists of its compiler and, when the user
//   has no Tools menu yet, its own Tools entries (listed in docs/STANDINS.md).
#pragma once

#include <windows.h>

#include <string>

namespace msdev {

class IdeInstallation {
 public:
  // At the start: opens the program file, when the installation names one that exists.
  void HoldProgramFile();
  // At the end (and on a sandbox reset): lets it go.
  void ReleaseProgramFile();
  // At a normal exit: the user's defaults, unless the user has "Include Dirs" already.
  static void WriteUserDefaults();
  // Where the custom AppWizards (*.awx) lie: <common folder>\MSDev98\Template; "" when the
  // installation names no common folder.
  static std::string TemplateFolder();

 private:
  HANDLE programFile_ = INVALID_HANDLE_VALUE;
};

}  // namespace msdev
