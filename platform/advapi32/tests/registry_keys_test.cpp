// Keys through the Windows surface: handles, names, paths, deletion, rights.
#include <functional>

#include "registry_test_support.h"

namespace {

using regtest::Create;
using regtest::Key;
using regtest::kPoison;

constexpr const char* kBase = "Software\\Vellacott\\Test";

TEST(RegistryKeys, PredefinedRootsAreSignExtendedConstants) {
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT), 0xFFFFFFFF80000000ULL);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER), 0xFFFFFFFF80000001ULL);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HKEY_LOCAL_MACHINE), 0xFFFFFFFF80000002ULL);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(HKEY_USERS), 0xFFFFFFFF80000003ULL);
  // Closing a predefined key is allowed and changes nothing.
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  Key key;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "", 0, KEY_READ, key.out()), ERROR_SUCCESS);
}

TEST(RegistryKeys, EachOpenIsADistinctHandleAndClosingTwiceFails) {
  DWORD disposition = kPoison;
  Key created;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, created, KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));

  disposition = kPoison;
  Key again;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, again, KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));

  Key opened;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kBase, 0, KEY_READ, opened.out()), ERROR_SUCCESS);
  EXPECT_NE(created.get(), again.get());
  EXPECT_NE(created.get(), opened.get());
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 3u);

  const HKEY h = opened.release();
  EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 2u);
}

TEST(RegistryKeys, OpeningAMissingKeyFailsAndResetsTheOutput) {
  Key key;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nobody", 0, KEY_READ, key.out()), ERROR_FILE_NOT_FOUND);
  key.ExpectNone();
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Nobody"));  // opening creates nothing
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kBase, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(RegistryKeys, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  Key created;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\MixedCase", created), ERROR_SUCCESS);
  Key opened;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\VELLACOTT\\mixedcase", 0, KEY_READ, opened.out()),
            ERROR_SUCCESS);
  Key recreated;
  DWORD disposition = kPoison;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "software\\vellacott\\MIXEDCASE", recreated, KEY_ALL_ACCESS, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));

  Key vellacott;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Vellacott", 0, KEY_READ, vellacott.out()), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SubKeys(vellacott), std::vector<std::string>{"MixedCase"});
}

// Trail bytes of double-byte characters are not case-folded: in code page 932 "\x83\x41" and
// "\x83\x61" are two different characters, so they must be two keys.
TEST(RegistryKeys, DoubleByteTrailBytesAreNotFolded) {
  Key base, a, b, c;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, base), ERROR_SUCCESS);
  ASSERT_EQ(Create(base, "\x83\x41", a), ERROR_SUCCESS);
  ASSERT_EQ(Create(base, "\x83\x61", b), ERROR_SUCCESS);
  ASSERT_EQ(Create(base, "x\x83\x41Y", c), ERROR_SUCCESS);
  Key folded;
  EXPECT_EQ(RegOpenKeyEx(base, "X\x83\x41y", 0, KEY_READ, folded.out()), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SubKeys(base).size(), 3u);
}

TEST(RegistryKeys, ClassesRootIsAViewOfLocalMachineClasses) {
  Key clsid;
  ASSERT_EQ(Create(HKEY_CLASSES_ROOT, "CLSID\\{0001}\\InprocServer32", clsid), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueEx(clsid, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("a.dll"), 6), ERROR_SUCCESS);
  EXPECT_EQ(sandbox::RegistryGetString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{0001}\\InprocServer32", ""),
            "a.dll");
  EXPECT_EQ(sandbox::RegistryGetString("HKCR\\clsid\\{0001}\\InprocServer32", ""), "a.dll");

  sandbox::RegistrySetString("HKLM\\Software\\Classes\\.dsw", "", "Workspace");
  char text[32];
  LONG size = sizeof text;
  EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".dsw", text, &size), ERROR_SUCCESS);
  EXPECT_STREQ(text, "Workspace");
}

TEST(RegistryKeys, SubKeyPathSyntax) {
  struct Case {
    const char* subKey;
    LONG expected;
  };
  const Case cases[] = {
      {.subKey = "Software\\Vellacott\\Paths\\", .expected = ERROR_SUCCESS},  // a trailing backslash is tolerated
      {.subKey = "\\Software\\Vellacott", .expected = ERROR_BAD_PATHNAME},
      {.subKey = "Software\\\\Vellacott", .expected = ERROR_BAD_PATHNAME},
      {.subKey = "\\", .expected = ERROR_BAD_PATHNAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.subKey);
    Key key;
    EXPECT_EQ(Create(HKEY_CURRENT_USER, c.subKey, key), c.expected);
    if (c.expected != ERROR_SUCCESS) key.ExpectNone();
  }
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Paths"));
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Vellacott"));
}

TEST(RegistryKeys, LegacyFormsReturnTheCallersHandleForAnEmptySubKey) {
  Key base;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, base), ERROR_SUCCESS);
  HKEY same = regtest::kPoisonKey;
  EXPECT_EQ(RegOpenKey(base, "", &same), ERROR_SUCCESS);
  EXPECT_EQ(same, base.get());
  same = regtest::kPoisonKey;
  EXPECT_EQ(RegCreateKey(base, nullptr, &same), ERROR_SUCCESS);
  EXPECT_EQ(same, base.get());

  Key child;
  EXPECT_EQ(RegCreateKey(base, "Child", child.out()), ERROR_SUCCESS);
  Key reopened;
  EXPECT_EQ(RegOpenKey(base, "child", reopened.out()), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SetDword(reopened, "v", 1), ERROR_SUCCESS);  // legacy opens carry every right
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 3u);
}

// Every call that takes a key answers a bad handle the same way.
struct KeyCall {
  const char* name;
  std::function<LONG(HKEY)> call;
};

LONG OpenAndClose(HKEY key) {
  HKEY out = nullptr;
  const LONG status = RegOpenKeyEx(key, "", 0, KEY_READ, &out);
  if (status == ERROR_SUCCESS) RegCloseKey(out);
  return status;
}

LONG CreateAndClose(HKEY key) {
  HKEY out = nullptr;
  const LONG status = RegCreateKeyEx(key, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &out, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(out);
  return status;
}

std::vector<KeyCall> CallsOnAKey() {
  return {
      {"RegOpenKeyEx", OpenAndClose},
      {"RegCreateKeyEx", CreateAndClose},
      {"RegQueryValueEx",
       [](HKEY k) {
         DWORD size = 0;
         return RegQueryValueEx(k, "v", nullptr, nullptr, nullptr, &size);
       }},
      {"RegSetValueEx", [](HKEY k) { return regtest::SetDword(k, "v", 2); }},
      {"RegDeleteValue", [](HKEY k) { return RegDeleteValue(k, "v"); }},
      {"RegEnumKeyEx",
       [](HKEY k) {
         char name[8];
         DWORD length = sizeof name;
         return RegEnumKeyEx(k, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
       }},
      {"RegEnumValue",
       [](HKEY k) {
         char name[8];
         DWORD length = sizeof name;
         return RegEnumValue(k, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
       }},
      {"RegQueryInfoKey",
       [](HKEY k) {
         DWORD count = 0;
         return RegQueryInfoKey(k, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr);
       }},
      {"RegDeleteKey", [](HKEY k) { return RegDeleteKey(k, "Missing"); }},
      {"RegFlushKey", [](HKEY k) { return RegFlushKey(k); }},
      {"RegQueryValue",
       [](HKEY k) {
         LONG size = 0;
         return RegQueryValue(k, nullptr, nullptr, &size);
       }},
      {"RegSetValue", [](HKEY k) { return RegSetValue(k, nullptr, REG_SZ, "x", 0); }},
  };
}

TEST(RegistryKeys, UnknownAndClosedHandlesAreInvalid) {
  Key base;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, base), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(base, "v", 1), ERROR_SUCCESS);
  HKEY closed = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kBase, 0, KEY_ALL_ACCESS, &closed), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  int local = 0;
  const HKEY bad[] = {nullptr, closed, reinterpret_cast<HKEY>(&local),
                      reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002))};  // not sign-extended
  for (const KeyCall& call : CallsOnAKey()) {
    SCOPED_TRACE(call.name);
    for (HKEY key : bad) EXPECT_EQ(call.call(key), ERROR_INVALID_HANDLE);
  }
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott\\Test", "v"), 1u);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 1u);
}

TEST(RegistryKeys, HandlesToADeletedKeyReportItDeleted) {
  Key parent, victim;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, parent), ERROR_SUCCESS);
  ASSERT_EQ(Create(parent, "Victim", victim), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKey(parent, "victim"), ERROR_SUCCESS);
  for (const KeyCall& call : CallsOnAKey()) {
    SCOPED_TRACE(call.name);
    EXPECT_EQ(call.call(victim), ERROR_KEY_DELETED);
  }
  // Re-creating the name makes a new key; the old handle still refers to the deleted one.
  Key reborn;
  ASSERT_EQ(Create(parent, "Victim", reborn), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SetDword(victim, "v", 1), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(victim.release()), ERROR_SUCCESS);
}

TEST(RegistryKeys, DeleteKeyRefusesAKeyWithSubKeys) {
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Test\\Parent\\Child", "v", 1);
  Key base;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kBase, 0, KEY_READ, base.out()), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKey(base, "Parent"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott\\Test\\Parent\\Child", "v"), 1u);
  EXPECT_EQ(RegDeleteKey(base, "Parent\\Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(base, nullptr), ERROR_INVALID_PARAMETER);

  EXPECT_EQ(RegDeleteKey(base, "PARENT\\child"), ERROR_SUCCESS);  // the handle's rights do not matter
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Test\\Parent\\Child"));
  EXPECT_EQ(RegDeleteKey(base, "Parent"), ERROR_SUCCESS);
  EXPECT_EQ(regtest::SubKeys(base), std::vector<std::string>{});
}

TEST(RegistryKeys, DeleteKeyWithAnEmptySubKeyDeletesTheHandlesKey) {
  Key victim;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, victim), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(victim, ""), ERROR_SUCCESS);
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Test"));
  EXPECT_EQ(RegFlushKey(victim), ERROR_KEY_DELETED);
}

TEST(RegistryKeys, RootsAndTheClassesKeyCannotBeDeleted) {
  EXPECT_EQ(RegDeleteKey(HKEY_USERS, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKEY_CLASSES_ROOT"));
}

TEST(RegistryKeys, RightsOfTheHandleAreEnforced) {
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Test\\Existing", "v", 7);
  struct Case {
    const char* name;
    REGSAM access;
    LONG set, query, enumerate, createNew, openExisting;
  };
  const Case cases[] = {
      {.name = "KEY_READ", .access = KEY_READ, .set = ERROR_ACCESS_DENIED, .query = ERROR_SUCCESS,
       .enumerate = ERROR_SUCCESS, .createNew = ERROR_ACCESS_DENIED, .openExisting = ERROR_SUCCESS},
      {.name = "KEY_WRITE", .access = KEY_WRITE, .set = ERROR_SUCCESS, .query = ERROR_ACCESS_DENIED,
       .enumerate = ERROR_ACCESS_DENIED, .createNew = ERROR_SUCCESS, .openExisting = ERROR_SUCCESS},
      {.name = "GENERIC_READ", .access = 0x80000000, .set = ERROR_ACCESS_DENIED, .query = ERROR_SUCCESS,
       .enumerate = ERROR_SUCCESS, .createNew = ERROR_ACCESS_DENIED, .openExisting = ERROR_SUCCESS},
      {.name = "no rights", .access = 0, .set = ERROR_ACCESS_DENIED, .query = ERROR_ACCESS_DENIED,
       .enumerate = ERROR_ACCESS_DENIED, .createNew = ERROR_ACCESS_DENIED, .openExisting = ERROR_SUCCESS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Test", "v", 7);
    sandbox::RegistryDeleteKey("HKCU\\Software\\Vellacott\\Test\\New");
    Key key;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kBase, 0, c.access, key.out()), ERROR_SUCCESS);

    EXPECT_EQ(regtest::SetDword(key, "v", 8), c.set);
    EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott\\Test", "v"), c.set ? 7u : 8u);
    DWORD size = kPoison;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, nullptr, nullptr, &size), c.query);
    char name[32];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), c.enumerate);
    Key created, opened;
    EXPECT_EQ(Create(key, "New", created), c.createNew);
    EXPECT_EQ(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Test\\New"), c.createNew == ERROR_SUCCESS);
    if (c.createNew) created.ExpectNone();
    EXPECT_EQ(Create(key, "Existing", opened), c.openExisting);
  }
}

TEST(RegistryKeys, QueryInfoCountsAndLongestLengths) {
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, kBase, key), ERROR_SUCCESS);
  Key a, b;
  ASSERT_EQ(RegCreateKeyEx(key, "Short", 0, const_cast<char*>("Klass"), 0, KEY_READ, nullptr, a.out(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(Create(key, "LongerName", b), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetString(key, "Name", "12345678"), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "LongestName", 1), ERROR_SUCCESS);

  DWORD subKeys = kPoison, maxSubKey = kPoison, maxClass = kPoison, values = kPoison, maxValueName = kPoison,
        maxValue = kPoison;
  EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, &maxClass, &values, &maxValueName,
                            &maxValue, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 2u);
  EXPECT_EQ(maxSubKey, 10u);  // "LongerName"
  EXPECT_EQ(maxClass, 5u);    // "Klass"
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(maxValueName, 11u);  // "LongestName"
  EXPECT_EQ(maxValue, 9u);       // "12345678" and its NUL

  char keyClass[4];
  std::memset(keyClass, regtest::kPoisonByte, sizeof keyClass);
  DWORD classLength = sizeof keyClass;
  EXPECT_EQ(RegQueryInfoKey(a, keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_MORE_DATA);
  EXPECT_EQ(classLength, 6u);
  EXPECT_EQ(static_cast<BYTE>(keyClass[0]), regtest::kPoisonByte);
}

TEST(RegistryKeys, OptionsThatAreNotModelledAreLoud) {
  Key key;
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kBase, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.out(), nullptr),
            ERROR_CALL_NOT_IMPLEMENTED);
  key.ExpectNone();
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"RegCreateKeyEx"});
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Test"));
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kBase, 0, nullptr, 0x100, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
            ERROR_INVALID_PARAMETER);
  key.ExpectNone();
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
            ERROR_INVALID_PARAMETER);
  key.ExpectNone();
}

}  // namespace

namespace {

// A standard user reads the machine's keys and changes only its own: every road to a change of
// HKLM (or HKCR, its view) is refused, while HKCU and reading stay as they were.
TEST(RegistryKeys, AStandardUserCannotChangeTheMachinesKeys) {
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Machine", "v", "m");
  sandbox::RegistrySetString("HKLM\\Software\\Classes\\Tq.Thing", "", "t");
  sandbox::RegistrySetStandardUser(true);
  struct Case {
    const char* name;
    HKEY root;
    const char* key;
  };
  const Case cases[] = {
      {.name = "local machine", .root = HKEY_LOCAL_MACHINE, .key = "Software\\Vellacott\\Machine"},
      {.name = "classes root", .root = HKEY_CLASSES_ROOT, .key = "Tq.Thing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string below = std::string(c.key) + "\\New";
    Key key, created, writable;
    EXPECT_EQ(RegOpenKeyEx(c.root, c.key, 0, KEY_ALL_ACCESS, writable.out()), ERROR_ACCESS_DENIED);
    writable.ExpectNone();
    EXPECT_EQ(RegOpenKeyEx(c.root, c.key, 0, KEY_SET_VALUE, writable.out()), ERROR_ACCESS_DENIED);
    writable.ExpectNone();
    EXPECT_EQ(Create(c.root, c.key, writable, KEY_WRITE), ERROR_ACCESS_DENIED);
    writable.ExpectNone();
    ASSERT_EQ(RegOpenKeyEx(c.root, c.key, 0, KEY_READ, key.out()), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, c.root == HKEY_CLASSES_ROOT ? "" : "v", nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(Create(key, "New", created, KEY_READ), ERROR_ACCESS_DENIED) << "no new key through a read handle";
    created.ExpectNone();
    EXPECT_EQ(Create(c.root, below.c_str(), created, KEY_READ), ERROR_ACCESS_DENIED);
    created.ExpectNone();
    EXPECT_EQ(regtest::SetString(c.root, "Loose", "x"), ERROR_ACCESS_DENIED) << "the predefined handle reads only";
    EXPECT_EQ(RegSetValue(c.root, c.key, REG_SZ, "x", 0), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(c.root, c.key), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(sandbox::RegistryKeyExists(std::string(c.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") + c.key));
  }
  EXPECT_EQ(sandbox::RegistryGetString("HKLM\\Software\\Vellacott\\Machine", "v"), "m");
  EXPECT_EQ(sandbox::RegistryGetString("HKCR\\Tq.Thing", ""), "t");

  {
    Key user;
    ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\User", user), ERROR_SUCCESS);
    EXPECT_EQ(regtest::SetString(user, "v", "u"), ERROR_SUCCESS) << "the user's own keys stay writable";
  }

  sandbox::Reset();
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Machine", "v", "m");
  Key again;
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Vellacott\\Machine", 0, KEY_ALL_ACCESS, again.out()),
            ERROR_SUCCESS)
      << "a reset ends the mode";
}

}  // namespace
