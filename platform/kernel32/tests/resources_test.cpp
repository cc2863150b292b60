// Module resources through the Windows surface: FindResource and friends over the tables that
// the resource compiler linked into this program (kernel32_tests.rc) and into K32ResMod.dll
// (resmod/resmod.rc), module handles and module file names.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "standin_resources.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

HMODULE TestModule() { return GetModuleHandle("K32ResMod"); }

std::string ResourceBytes(HMODULE module, HRSRC resource) {
  const void* data = LockResource(LoadResource(module, resource));
  const DWORD size = SizeofResource(module, resource);
  return data ? std::string(static_cast<const char*>(data), size) : std::string("<no data>");
}

struct FindCase {
  const char* name;
  HMODULE module;
  LPCSTR resourceName;
  LPCSTR type;
  DWORD error;           // 0: found
  const char* contents;  // when found
};

TEST(FindResource, FindsByIdOrNameAndReportsWhatIsMissing) {
  const HMODULE self = GetModuleHandle(nullptr);
  const HMODULE module = TestModule();
  ASSERT_NE(module, nullptr);
  const HMODULE withoutResources = GetModuleHandle("libkernel32.so");
  ASSERT_NE(withoutResources, nullptr);
  const FindCase cases[] = {
      {.name = "integer name and type name", .module = nullptr, .resourceName = MAKEINTRESOURCE(IDR_K32_TEMPLATE),
       .type = "TEMPLATE", .error = 0, .contents = "template body\n"},
      {.name = "#id name, type in lower case", .module = self, .resourceName = "#201", .type = "template",
       .error = 0, .contents = "template body\n"},
      {.name = "string name in any case", .module = nullptr, .resourceName = "cOnFiRm", .type = "Registry",
       .error = 0, .contents = "HKCR\n{\n}\n"},
      {.name = "empty file", .module = nullptr, .resourceName = MAKEINTRESOURCE(IDR_K32_EMPTY), .type = "TEMPLATE",
       .error = 0, .contents = ""},
      {.name = "same id, other module", .module = module, .resourceName = MAKEINTRESOURCE(IDR_K32_TEMPLATE),
       .type = "TEMPLATE", .error = 0, .contents = "the module's own template\n"},
      {.name = "only in the other module", .module = self, .resourceName = MAKEINTRESOURCE(IDR_K32_ONLY_IN_MODULE),
       .type = "TEMPLATE", .error = ERROR_RESOURCE_NAME_NOT_FOUND, .contents = nullptr},
      {.name = "string name is no id", .module = nullptr, .resourceName = "IDR_K32_TEMPLATE", .type = "TEMPLATE",
       .error = ERROR_RESOURCE_NAME_NOT_FOUND, .contents = nullptr},
      {.name = "integer type absent", .module = nullptr, .resourceName = MAKEINTRESOURCE(IDR_K32_TEMPLATE),
       .type = RT_ICON, .error = ERROR_RESOURCE_TYPE_NOT_FOUND, .contents = nullptr},
      {.name = "string type absent", .module = nullptr, .resourceName = "CONFIRM", .type = "TYPELIB",
       .error = ERROR_RESOURCE_TYPE_NOT_FOUND, .contents = nullptr},
      {.name = "module without resources", .module = withoutResources, .resourceName = MAKEINTRESOURCE(1),
       .type = RT_STRING, .error = ERROR_RESOURCE_DATA_NOT_FOUND, .contents = nullptr},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(kPoison);
    HRSRC found = FindResource(c.module, c.resourceName, c.type);
    if (c.error != 0) {
      EXPECT_EQ(found, nullptr);
      EXPECT_EQ(GetLastError(), c.error);
      continue;
    }
    ASSERT_NE(found, nullptr) << GetLastError();
    EXPECT_EQ(ResourceBytes(c.module, found), c.contents);
    EXPECT_EQ(SizeofResource(c.module, found), std::strlen(c.contents));
  }
}

TEST(FindResource, StringTablesAreBundlesOfSixteen) {
  // Ids 1 and 15 share bundle 1 (id / 16 + 1); bundle 2 does not exist.
  HRSRC bundle = FindResource(nullptr, MAKEINTRESOURCE(1), RT_STRING);
  ASSERT_NE(bundle, nullptr);
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(nullptr, bundle)));
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(words) % alignof(WORD), 0u) << "resource data can be read in place";
  EXPECT_EQ(words[0], 0) << "slot 0 is empty";
  EXPECT_EQ(words[1], 5) << "slot 1 holds \"first\"";
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(words + 2), 5), u"first");
  SetLastError(kPoison);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(2), RT_STRING), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

WORD WordAt(const std::string& bytes, size_t offset) {
  WORD value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

DWORD DwordAt(const std::string& bytes, size_t offset) {
  DWORD value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

TEST(FindResource, DialogMenuAndBitmapInThePlatformsLayouts) {
  HRSRC dialog = FindResource(nullptr, MAKEINTRESOURCE(IDD_K32_DIALOG), RT_DIALOG);
  ASSERT_NE(dialog, nullptr) << GetLastError();
  const std::string d = ResourceBytes(nullptr, dialog);
  ASSERT_GE(d.size(), 18u);
  // DLGTEMPLATEEX: dlgVer 1, signature 0xFFFF, helpID, exStyle, style (FONT adds DS_SETFONT), cDlgItems.
  EXPECT_EQ(WordAt(d, 0), 1);
  EXPECT_EQ(WordAt(d, 2), 0xFFFF);
  EXPECT_EQ(DwordAt(d, 12), static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(WordAt(d, 16), 3);

  HRSRC menu = FindResource(nullptr, MAKEINTRESOURCE(IDR_K32_MENU), RT_MENU);
  ASSERT_NE(menu, nullptr) << GetLastError();
  const std::string m = ResourceBytes(nullptr, menu);
  ASSERT_GE(m.size(), 8u);
  // MENUITEMTEMPLATEHEADER (version 0, offset 0), then the first item: flags MF_GRAYED (1), id.
  EXPECT_EQ(DwordAt(m, 0), 0u);
  EXPECT_EQ(WordAt(m, 4), 0x0001);
  EXPECT_EQ(WordAt(m, 6), 100);

  HRSRC bitmap = FindResource(nullptr, MAKEINTRESOURCE(IDB_K32_PICTURE), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr) << GetLastError();
  const std::string b = ResourceBytes(nullptr, bitmap);
  // A packed DIB: the BITMAPINFOHEADER (biSize 40, width 5, height 3, 24 bits) without the file
  // header, then three rows of 16 bytes.
  ASSERT_EQ(b.size(), 40u + 3 * 16);
  EXPECT_EQ(DwordAt(b, 0), 40u);
  EXPECT_EQ(DwordAt(b, 4), 5u);
  EXPECT_EQ(DwordAt(b, 8), 3u);
  EXPECT_EQ(WordAt(b, 14), 24);
}

TEST(LoadResource, RefusesAHandleThatIsNone) {
  SetLastError(kPoison);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(kPoison);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

std::string ModuleFileName(HMODULE module) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileName(module, path, sizeof path);
  return n ? std::string(path, n) : std::string();
}

TEST(GetModuleHandle, FindsLoadedModulesByFileName) {
  const HMODULE module = TestModule();
  ASSERT_NE(module, nullptr);
  const std::string modulePath = ModuleFileName(module);
  const std::string programPath = ModuleFileName(nullptr);
  ASSERT_FALSE(modulePath.empty());
  const struct {
    const char* name;
    std::string moduleName;
    HMODULE expected;
  } cases[] = {
      {.name = "default extension .dll", .moduleName = "k32resmod", .expected = module},
      {.name = "extension in any case", .moduleName = "K32RESMOD.Dll", .expected = module},
      {.name = "full path", .moduleName = modulePath, .expected = module},
      {.name = "full path with forward slashes",
       .moduleName = [&] {
         std::string s = modulePath;
         std::replace(s.begin(), s.end(), '\\', '/');
         return s;
       }(),
       .expected = module},
      {.name = "trailing dot: no extension", .moduleName = "kernel32_tests.", .expected = GetModuleHandle(nullptr)},
      {.name = "trailing dot does not add .dll", .moduleName = "k32resmod.", .expected = nullptr},
      {.name = "wrong folder", .moduleName = "C:\\elsewhere\\K32ResMod.dll", .expected = nullptr},
      {.name = "not loaded", .moduleName = "NoSuchModule", .expected = nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(kPoison);
    EXPECT_EQ(GetModuleHandle(c.moduleName.c_str()), c.expected);
    if (c.expected == nullptr) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    }
  }
  EXPECT_NE(programPath.find("\\kernel32_tests"), std::string::npos) << programPath;
}

TEST(GetModuleFileName, WindowsPathThroughTheDriveMap) {
  const std::string path = ModuleFileName(TestModule());
  ASSERT_GE(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
  EXPECT_EQ(path.substr(path.size() - 14), "\\K32ResMod.dll") << path;
  EXPECT_EQ(path.find('/'), std::string::npos) << path;

  // Mapping the module's folder as a drive changes the name the module is known by.
  const std::string hostPath = sandbox::HostPath(path);
  ASSERT_FALSE(hostPath.empty());
  sandbox::MapDrive('M', hostPath.substr(0, hostPath.rfind('/')));
  EXPECT_EQ(ModuleFileName(TestModule()), "M:\\K32ResMod.dll");
  EXPECT_EQ(GetModuleHandle("M:\\k32resmod.dll"), TestModule());
}

TEST(GetModuleFileName, TruncatesToTheBufferAndSaysSo) {
  const std::string full = ModuleFileName(TestModule());
  const DWORD length = static_cast<DWORD>(full.size());
  const struct {
    const char* name;
    DWORD size;
    DWORD result;
    DWORD error;  // kPoison: untouched
    std::string contents;
  } cases[] = {
      {.name = "room for the NUL", .size = length + 1, .result = length, .error = kPoison, .contents = full},
      {.name = "no room for the NUL", .size = length, .result = length, .error = ERROR_INSUFFICIENT_BUFFER,
       .contents = full.substr(0, length - 1)},
      {.name = "one byte", .size = 1, .result = 1, .error = ERROR_INSUFFICIENT_BUFFER, .contents = ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    char buffer[MAX_PATH + 8];
    std::memset(buffer, 0x7E, sizeof buffer);
    SetLastError(kPoison);
    EXPECT_EQ(GetModuleFileName(TestModule(), buffer, c.size), c.result);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(std::string(buffer), c.contents);
    EXPECT_EQ(buffer[c.size], 0x7E) << "nothing written past the buffer";
  }
  char buffer[4] = {'x', 'x', 'x', 'x'};
  SetLastError(kPoison);
  EXPECT_EQ(GetModuleFileName(TestModule(), buffer, 0), 0u);
  EXPECT_EQ(buffer[0], 'x');
  SetLastError(kPoison);
  EXPECT_EQ(GetModuleFileName(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x1000)), buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
