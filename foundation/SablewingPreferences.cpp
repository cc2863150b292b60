#include "SablewingPreferences.h"

#include "TqRegistry.h"

namespace {

const char kPreferencesKey[] = "Software\\Vellacott\\Sablewing\\VC\\VS6";

void WriteValue(const char* name, DWORD value) {
  TQ::CTqRegKey key(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_ALL_ACCESS, NULL, NULL);
  TQ::CTqRegValue(key, name).SetDWord(value);
}

// A value that cannot be read (no key, no value, wrong type or size) is repaired with its default;
// only a registry that refuses the repair too lets the failure reach the caller.
DWORD ReadValue(const char* name, DWORD defaultValue) {
  try {
    TQ::CTqRegKey key(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_ALL_ACCESS, NULL, NULL);
    DWORD value = 0;
    TQ::CTqRegValue(key, name).GetDWord(value);
    return value;
  } catch (TQ::CTqSystemException* e) {
    e->Delete();
  }
  WriteValue(name, defaultValue);
  return defaultValue;
}

// Writing fails silently.
void StoreValue(const char* name, DWORD value) {
  try {
    WriteValue(name, value);
  } catch (TQ::CTqSystemException* e) {
    e->Delete();
  }
}

}  // namespace

CSablewingPreferences::~CSablewingPreferences() {}

bool CSablewingPreferences::GetShowConvertSuccessfulDlg() { return ReadValue("ShowConvertSuccessfulDlg", 1) != 0; }
void CSablewingPreferences::SetShowConvertSuccessfulDlg(bool show) { StoreValue("ShowConvertSuccessfulDlg", show); }

bool CSablewingPreferences::GetDontDisplayWycInstrWarning() {
  return ReadValue("DontDisplayWycInstrWarning", 1) != 0;
}
void CSablewingPreferences::SetDontDisplayWycInstrWarning(bool value) {
  StoreValue("DontDisplayWycInstrWarning", value);
}

bool CSablewingPreferences::GetBackupProjectFiles() { return ReadValue("BackupProjectFiles", 1) != 0; }
void CSablewingPreferences::SetBackupProjectFiles(bool backup) { StoreValue("BackupProjectFiles", backup); }

bool CSablewingPreferences::GetToolbarDisplayed() { return ReadValue("ToolbarDisplayed", 0) != 0; }
void CSablewingPreferences::SetToolbarDisplayed(bool displayed) { StoreValue("ToolbarDisplayed", displayed); }

DWORD CSablewingPreferences::GetUpgradeOptions() { return ReadValue("UpgradeOptions", 0); }
void CSablewingPreferences::SetUpgradeOptions(DWORD options) { StoreValue("UpgradeOptions", options); }

bool CSablewingPreferences::GetWycToolbarDisplayed() { return ReadValue("WycToolbarDisplayed", 0) != 0; }
void CSablewingPreferences::SetWycToolbarDisplayed(bool displayed) { StoreValue("WycToolbarDisplayed", displayed); }
