// The resource chain as each module sees it: its own resources, then the resource handle's, then
// the extension DLLs of the current module state's library list (non-system ones newest first,
// then system ones). The extension DLLs MfcExtA.dll and MfcExtB.dll join the list from their
// DllMain and leave it when they are freed, as the system's plug-ins do.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

constexpr char kNone[] = "(none)";

// The string as the program's code loads it.
std::string FromProgram(UINT id) {
  CString text;
  return text.LoadString(id) ? std::string(text) : kNone;
}

// The string as an extension DLL's code loads it.
std::string FromExtension(HMODULE module, UINT id) {
  auto load = reinterpret_cast<ExtensionLoadStringProc>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, "ExtensionLoadString")));
  if (load == nullptr) return "(no ExtensionLoadString)";
  char text[64] = "";
  return load(id, text, sizeof text) ? std::string(text) : kNone;
}

std::vector<HMODULE> LibraryList() {
  std::vector<HMODULE> modules;
  for (CDynLinkLibrary* library = AfxGetModuleState()->m_libraryList; library != NULL; library = library->m_pNextDLL)
    modules.push_back(library->m_hModule);
  return modules;
}

TEST(ResourceChain, OwnModuleThenResourceHandleThenExtensionsNewestFirst) {
  HMODULE a = AfxLoadLibrary("MfcExtA.dll");
  ASSERT_NE(a, nullptr) << "error " << GetLastError();
  HMODULE b = AfxLoadLibrary("MfcExtB.dll");
  ASSERT_NE(b, nullptr) << "error " << GetLastError();
  EXPECT_EQ(LibraryList(), (std::vector<HMODULE>{b, a}));

  const struct {
    const char* what;
    HMODULE asker;  // null: the program
    UINT id;
    const char* expected;
  } cases[] = {
      {.what = "the program's own", .asker = nullptr, .id = IDS_MODULE_NAME, .expected = "program"},
      {.what = "an extension's own before the program's", .asker = a, .id = IDS_MODULE_NAME, .expected = "A"},
      {.what = "an extension's own before a newer one's", .asker = a, .id = IDS_IN_EXTENSIONS, .expected = "A"},
      {.what = "the application's from an extension", .asker = b, .id = IDS_ONLY_IN_PROGRAM, .expected = "program"},
      {.what = "the newest extension first", .asker = nullptr, .id = IDS_IN_EXTENSIONS, .expected = "B"},
      {.what = "an older extension next", .asker = nullptr, .id = IDS_ONLY_IN_A, .expected = "A"},
      {.what = "another extension's from an extension", .asker = b, .id = IDS_ONLY_IN_A, .expected = "A"},
      {.what = "nowhere", .asker = b, .id = 999, .expected = kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.asker != nullptr ? FromExtension(c.asker, c.id) : FromProgram(c.id), c.expected);
  }

  // The resource handle comes before every extension DLL, after the asking module.
  AfxSetResourceHandle(GetModuleHandle("MfcResMod.dll"));
  EXPECT_EQ(FromProgram(IDS_IN_EXTENSIONS), "resource handle");
  EXPECT_EQ(FromExtension(a, IDS_IN_EXTENSIONS), "A");
  AfxSetResourceHandle(GetModuleHandle(NULL));

  // Freeing B terminates its extension module: its record leaves the list, and so its strings.
  EXPECT_TRUE(AfxFreeLibrary(b));
  EXPECT_EQ(LibraryList(), std::vector<HMODULE>{a});
  EXPECT_EQ(FromProgram(IDS_IN_EXTENSIONS), "A");
  EXPECT_TRUE(AfxFreeLibrary(a));
  EXPECT_TRUE(LibraryList().empty());
  EXPECT_EQ(FromProgram(IDS_ONLY_IN_A), kNone);
}

// A record made as a system library comes after every other extension DLL, however new it is;
// AfxTermExtensionModule takes out the records of its module only.
TEST(ResourceChain, SystemLibrariesComeLastAndTermRemovesOnlyItsModulesRecords) {
  HMODULE a = AfxLoadLibrary("MfcExtA.dll");
  ASSERT_NE(a, nullptr);
  AFX_EXTENSION_MODULE second = {};
  ASSERT_TRUE(AfxInitExtensionModule(second, GetModuleHandle("MfcResMod.dll")));
  CDynLinkLibrary* record = new CDynLinkLibrary(second, TRUE);
  EXPECT_EQ(LibraryList(), (std::vector<HMODULE>{second.hModule, a}));
  EXPECT_EQ(FromProgram(IDS_IN_EXTENSIONS), "A");
  EXPECT_EQ(FromProgram(IDS_ONLY_IN_RESMOD), "Only in the second module");

  AfxTermExtensionModule(second);
  EXPECT_EQ(LibraryList(), std::vector<HMODULE>{a});
  EXPECT_EQ(FromProgram(IDS_ONLY_IN_RESMOD), kNone);
  (void)record;  // deleted by AfxTermExtensionModule

  AFX_EXTENSION_MODULE noModule = {};
  EXPECT_FALSE(AfxInitExtensionModule(noModule, reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x1000))));
  EXPECT_FALSE(noModule.bInitialized);
  EXPECT_TRUE(AfxFreeLibrary(a));
}

// A module state of its own has its own library list and resource handle: an extension DLL loaded
// while it is current joins that list, not the application's.
TEST(ResourceChain, ExtensionsJoinTheStateCurrentWhenTheyLoad) {
  AFX_MODULE_STATE own(TRUE, GetModuleHandle("MfcResMod.dll"));
  HMODULE a;
  {
    AFX_MANAGE_STATE(&own);
    a = AfxLoadLibrary("MfcExtA.dll");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(LibraryList(), std::vector<HMODULE>{a});
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle("MfcResMod.dll"));
    EXPECT_EQ(FromProgram(IDS_ONLY_IN_A), "A");
  }
  EXPECT_TRUE(LibraryList().empty());
  EXPECT_EQ(FromProgram(IDS_ONLY_IN_A), kNone);
  EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle(NULL));
  {
    AFX_MANAGE_STATE(&own);
    EXPECT_TRUE(AfxFreeLibrary(a));
    EXPECT_TRUE(LibraryList().empty());
  }
}

}  // namespace
