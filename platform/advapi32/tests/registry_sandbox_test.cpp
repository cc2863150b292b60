// The sandbox's control of the registry: set-up and inspection, clearing and reset, injected
// failures.
#include <gtest/gtest-spi.h>

#include "registry_test_support.h"

namespace {

using regtest::Create;
using regtest::Key;
using regtest::kPoison;

TEST(RegistrySandbox, SetUpIsSeenThroughTheApiAndTheOtherWayRound) {
  sandbox::RegistrySetString("HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\VC", "InstallDir", "C:\\Sw");
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Path", "%ROOT%\\bin", REG_EXPAND_SZ);
  sandbox::RegistrySetBinary("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Blob", {1, 2, 3});

  Key key;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vellacott\\Sablewing\\VC", 0, KEY_ALL_ACCESS, key.out()),
            ERROR_SUCCESS);
  char text[32];
  DWORD type = kPoison, size = sizeof text;
  ASSERT_EQ(RegQueryValueEx(key, "InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 6u);  // with the NUL
  EXPECT_STREQ(text, "C:\\Sw");
  EXPECT_EQ(sandbox::RegistryGetString("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Path"), "%ROOT%\\bin");
  EXPECT_EQ(sandbox::RegistryGet("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Blob"),
            (sandbox::RegistryValue{REG_BINARY, {1, 2, 3}}));

  ASSERT_EQ(regtest::SetDword(key, "Count", 42), ERROR_SUCCESS);
  EXPECT_EQ(sandbox::RegistryGetDword("HKLM\\software\\vellacott\\sablewing\\vc", "count"), 42u);
  // Typed getters answer only their own types.
  EXPECT_EQ(sandbox::RegistryGetDword("HKLM\\Software\\Vellacott\\Sablewing\\VC", "InstallDir"), std::nullopt);
  EXPECT_EQ(sandbox::RegistryGetString("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Count"), std::nullopt);
  EXPECT_EQ(sandbox::RegistryGet("HKLM\\Software\\Vellacott\\Sablewing\\VC", "Missing"), std::nullopt);
}

TEST(RegistrySandbox, APathWithoutARootIsReportedAndChangesNothing) {
  const std::string before = sandbox::RegistryExport();
  EXPECT_NONFATAL_FAILURE(sandbox::RegistrySetDword("HKEY_NOWHERE\\Software", "v", 1), "registry root");
  EXPECT_NONFATAL_FAILURE(sandbox::RegistrySetDword("HKCU\\Software\\\\Twice", "v", 1), "empty key name");
  EXPECT_NONFATAL_FAILURE(sandbox::RegistryKeyExists("Software\\Vellacott"), "registry root");
  EXPECT_EQ(sandbox::RegistryExport(), before);
}

TEST(RegistrySandbox, DeleteKeyTakesTheSubtreeAndEmptiesARoot) {
  sandbox::RegistrySetDword("HKCU\\Software\\A\\B\\C", "v", 1);
  sandbox::RegistrySetDword("HKCU\\Software\\A", "v", 1);
  sandbox::RegistrySetDword("HKCR\\CLSID\\{1}", "v", 1);
  sandbox::RegistryDeleteKey("HKCU\\Software\\A");
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\A"));
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKCU\\Software"));
  sandbox::RegistryDeleteKey("HKCU\\Software\\Missing");  // not an error

  sandbox::RegistryDeleteKey("HKLM\\SOFTWARE");
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCR\\CLSID"));
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes"));  // always there
}

TEST(RegistrySandbox, ClearLeavesHandlesOnDeletedKeysAndResetClosesThem) {
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "v", 1), ERROR_SUCCESS);
  sandbox::RegistryClear();
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software"));
  EXPECT_EQ(regtest::SetDword(key, "v", 1), ERROR_KEY_DELETED);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 1u);

  sandbox::Reset();
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
  EXPECT_EQ(RegCloseKey(key.release()), ERROR_INVALID_HANDLE);
}

TEST(RegistrySandbox, InjectedFailuresHitTheirOperationAndKey) {
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Target\\Child", "v", 1);
  const char* target = "HKEY_CURRENT_USER\\Software\\Vellacott\\Target";
  struct Case {
    const char* name;
    const char* operation;
    int count;
    bool subtree;
    const char* failingKey;  // below HKCU
    int failures;            // calls that fail before one succeeds (-1: all three tried)
  };
  const Case cases[] = {
      {.name = "once", .operation = "open", .count = 1, .subtree = false, .failingKey = "Software\\Vellacott\\Target",
       .failures = 1},
      {.name = "twice", .operation = "open", .count = 2, .subtree = false, .failingKey = "Software\\Vellacott\\Target",
       .failures = 2},
      {.name = "until cleared", .operation = "*", .count = -1, .subtree = false,
       .failingKey = "Software\\vellacott\\TARGET", .failures = -1},
      {.name = "subtree", .operation = "open", .count = -1, .subtree = true,
       .failingKey = "Software\\Vellacott\\Target\\Child", .failures = -1},
      {.name = "not the subtree", .operation = "open", .count = -1, .subtree = false,
       .failingKey = "Software\\Vellacott\\Target\\Child", .failures = 0},
      {.name = "other operation", .operation = "query", .count = -1, .subtree = false,
       .failingKey = "Software\\Vellacott\\Target", .failures = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::RegistryClearFailures();
    sandbox::RegistryInjectFailure(target, c.operation, ERROR_ACCESS_DENIED, c.count, c.subtree);
    int failed = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
      Key key;
      const LONG status = RegOpenKeyEx(HKEY_CURRENT_USER, c.failingKey, 0, KEY_READ, key.out());
      if (status == ERROR_SUCCESS) break;
      EXPECT_EQ(status, ERROR_ACCESS_DENIED);
      key.ExpectNone();
      ++failed;
    }
    EXPECT_EQ(failed, c.failures < 0 ? 3 : c.failures);
  }
  sandbox::RegistryClearFailures();
  Key key;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Vellacott\\Target", 0, KEY_READ, key.out()), ERROR_SUCCESS);
}

TEST(RegistrySandbox, InjectedFailuresChangeNothing) {
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\Target", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "v", 1), ERROR_SUCCESS);
  const char* target = "HKCU\\Software\\Vellacott\\Target";

  sandbox::RegistryInjectFailure(target, "set", ERROR_WRITE_FAULT, 1);
  EXPECT_EQ(regtest::SetDword(key, "v", 2), ERROR_WRITE_FAULT);
  EXPECT_EQ(sandbox::RegistryGetDword(target, "v"), 1u);

  sandbox::RegistryInjectFailure("HKCU\\Software\\Vellacott\\Target\\New", "create", ERROR_CANTWRITE, 1);
  Key created;
  EXPECT_EQ(Create(key, "New", created), ERROR_CANTWRITE);
  created.ExpectNone();
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Target\\New"));

  sandbox::RegistryInjectFailure(target, "delete", ERROR_ACCESS_DENIED, 1);
  EXPECT_EQ(RegDeleteValue(key, "v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(sandbox::RegistryGetDword(target, "v"), 1u);

  DWORD count = kPoison;
  sandbox::RegistryInjectFailure(target, "info", ERROR_REGISTRY_IO_FAILED, 1);
  EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(count, kPoison);

  // A failing close leaves the handle open; the next close goes through.
  sandbox::RegistryInjectFailure(target, "close", ERROR_INVALID_HANDLE, 1);
  const HKEY h = key.release();
  EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 1u);
  EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

// The record lists each call that a failure can be injected into, by its full key; the n-th call
// of a kind on any key fails, or has an action run before it that may read the registry.
TEST(RegistrySandbox, CallsAreRecordedAndTheNthCallFailsOrHasAnActionBeforeIt) {
  sandbox::RecordRegistryCalls(true);
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "a", 1), ERROR_SUCCESS);
  std::string before;
  sandbox::BeforeNthRegistryCall("set", 2, [&] { before = sandbox::RegistryExport("HKCU\\Software\\Vellacott"); });
  sandbox::FailNthRegistryCall("set", 1, ERROR_WRITE_FAULT);
  EXPECT_EQ(regtest::SetDword(key, "b", 2), ERROR_WRITE_FAULT);
  EXPECT_EQ(regtest::SetDword(key, "b", 3), ERROR_SUCCESS);
  EXPECT_NE(before.find("\"a\"=dword:00000001"), std::string::npos);
  EXPECT_EQ(before.find("\"b\""), std::string::npos);  // taken before the second set
  EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott", "b"), 3u);
  const std::vector<sandbox::RegistryCall> expected = {
      {"create", "HKEY_CURRENT_USER\\Software\\Vellacott"},
      {"set", "HKEY_CURRENT_USER\\Software\\Vellacott"},
      {"set", "HKEY_CURRENT_USER\\Software\\Vellacott"},
      {"set", "HKEY_CURRENT_USER\\Software\\Vellacott"},
  };
  EXPECT_EQ(sandbox::RecordedRegistryCalls(), expected);
}

TEST(RegistrySandbox, AnUnknownInjectedOperationIsRefused) {
  EXPECT_NONFATAL_FAILURE(sandbox::RegistryInjectFailure("HKCU\\Software", "write", ERROR_ACCESS_DENIED),
                          "unknown operation");
  Key key;
  EXPECT_EQ(Create(HKEY_CURRENT_USER, "Software", key), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SetDword(key, "v", 1), ERROR_SUCCESS);
}

}  // namespace
