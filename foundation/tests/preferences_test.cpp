#include <gtest/gtest.h>

#include "SablewingPreferences.h"
#include "TqException.h"
#include "sandbox/sandbox.h"

namespace {

const char kKey[] = "HKEY_CURRENT_USER\\Software\\Vellacott\\Sablewing\\VC\\VS6";

TEST(Preferences, FirstReadWritesTheDefault) {
  struct Row {
    const char* name;
    bool (*get)();
    bool expected;
  } rows[] = {
      {.name = "BackupProjectFiles", .get = CSablewingPreferences::GetBackupProjectFiles, .expected = true},
      {.name = "ShowConvertSuccessfulDlg", .get = CSablewingPreferences::GetShowConvertSuccessfulDlg,
       .expected = true},
      {.name = "DontDisplayWycInstrWarning", .get = CSablewingPreferences::GetDontDisplayWycInstrWarning,
       .expected = true},
      {.name = "ToolbarDisplayed", .get = CSablewingPreferences::GetToolbarDisplayed, .expected = false},
      {.name = "WycToolbarDisplayed", .get = CSablewingPreferences::GetWycToolbarDisplayed, .expected = false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.get(), row.expected);
    EXPECT_EQ(sandbox::RegistryGetDword(kKey, row.name), row.expected ? 1u : 0u);
  }
  EXPECT_EQ(CSablewingPreferences::GetUpgradeOptions(), 0u);
  EXPECT_EQ(sandbox::RegistryGetDword(kKey, "UpgradeOptions"), 0u);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u) << "every accessor closes the key again";
}

TEST(Preferences, MalformedValueIsReplacedByTheDefault) {
  sandbox::RegistrySetString(kKey, "ToolbarDisplayed", "yes");
  EXPECT_FALSE(CSablewingPreferences::GetToolbarDisplayed());
  auto value = sandbox::RegistryGet(kKey, "ToolbarDisplayed");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<uint32_t>(REG_DWORD));
  EXPECT_EQ(sandbox::RegistryGetDword(kKey, "ToolbarDisplayed"), 0u);
}

TEST(Preferences, StoredNumbersAreReturnedAsStored) {
  sandbox::RegistrySetDword(kKey, "UpgradeOptions", 6);
  EXPECT_EQ(CSablewingPreferences::GetUpgradeOptions(), 6u);
  sandbox::RegistrySetDword(kKey, "BackupProjectFiles", 2);
  EXPECT_TRUE(CSablewingPreferences::GetBackupProjectFiles());
}

TEST(Preferences, SettersWriteAndFailSilently) {
  CSablewingPreferences::SetToolbarDisplayed(true);
  EXPECT_EQ(sandbox::RegistryGetDword(kKey, "ToolbarDisplayed"), 1u);
  CSablewingPreferences::SetUpgradeOptions(5);
  EXPECT_EQ(sandbox::RegistryGetDword(kKey, "UpgradeOptions"), 5u);
  sandbox::RegistryInjectFailure(kKey, "set", ERROR_ACCESS_DENIED);
  CSablewingPreferences::SetUpgradeOptions(9);  // nothing thrown, nothing written
  EXPECT_EQ(sandbox::RegistryGetDword(kKey, "UpgradeOptions"), 5u);
}

TEST(Preferences, ARegistryThatRefusesTheRepairTooReachesTheCaller) {
  sandbox::RegistryInjectFailure(kKey, "create", ERROR_ACCESS_DENIED);
  try {
    CSablewingPreferences::GetBackupProjectFiles();
    ADD_FAILURE() << "nothing thrown";
  } catch (TQ::CTqSystemException* e) {
    EXPECT_EQ(e->GetCode(), 5u);
    e->Delete();
  }
}

}  // namespace
