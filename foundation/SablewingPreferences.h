// The add-in's per-user settings. Nothing is cached: every accessor opens the user's key afresh,
// reads or writes one REG_DWORD value and closes the key again. A value that cannot be read is
// written with its default, and the default is returned.
#pragma once

#include "stdafx.h"

class CSablewingPreferences {
 public:
  virtual ~CSablewingPreferences();

  static bool GetShowConvertSuccessfulDlg();
  static void SetShowConvertSuccessfulDlg(bool show);
  // While true, the warning that a driver needs the Wyc instrument directory is shown.
  static bool GetDontDisplayWycInstrWarning();
  static void SetDontDisplayWycInstrWarning(bool value);
  static bool GetBackupProjectFiles();
  static void SetBackupProjectFiles(bool backup);
  static bool GetToolbarDisplayed();
  static void SetToolbarDisplayed(bool displayed);
  static DWORD GetUpgradeOptions();
  static void SetUpgradeOptions(DWORD options);
  static bool GetWycToolbarDisplayed();
  static void SetWycToolbarDisplayed(bool displayed);
};
