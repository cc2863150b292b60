// Registry values: a REGEDIT4 file loaded as the whole registry (as the registry-file harness loads
// one), then read by the Wyc installations (FindInstallations, Read), the real-time link library's
// search for its driver (through RtLinkProbe.dll, which exports it) and the set-up programs'
// directory lists and Tools-menu entries. Each answer is its reader's documented one; the lists
// and the Tools menu change only as documented (a directory added once, an entry added once, the
// first entry of a name removed with every later one moved down by one); no key or file handle
// stays open and no file on the drive changes.
#include <windows.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "PathList.h"
#include "RegistryLists.h"
#include "ToolsMenu.h"
#include "harness.h"
#include "plugin/WycInstallation.h"
#include "sandbox/sandbox.h"

namespace {

const char kDirectoriesKey[] =
    "SOFTWARE\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
const char kToolsKey[] = "SOFTWARE\\Microsoft\\DevStudio\\6.0\\Tools";
const char kWycKey[] = "HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Wyc\\";

// --- The Wyc installations -------------------------------------------------------------------

void CheckInstallations() {
  std::vector<CString> names;
  try {
    CWycInstallation::FindInstallations(names);
  } catch (CWycInstallationExc e) {
    fuzz::Check(e == WYCINST_EXC_REGISTRY, "FindInstallations refuses with " + std::to_string(e));
  }
  for (const CString& name : names) {
    fuzz::Check(name.GetLength() <= 9 && name.Find("dev") < 0, "an installation offered by the name " + std::string(name));
    const auto mode = sandbox::RegistryGetString(kWycKey + std::string(name), "CompatibilityMode");
    fuzz::Check(mode && mode->size() >= 4 && _strnicmp(mode->c_str(), "msvc", 4) == 0,
                "an installation offered without its mode: " + std::string(name));
  }
  names.push_back("6.0");
  for (const CString& name : names) {
    CWycInstallation installation;
    try {
      installation.Read(name);
    } catch (CWycInstallationExc e) {
      fuzz::Check(e == WYCINST_EXC_EXTLIB || e == WYCINST_EXC_REGISTRY, "Read refuses with " + std::to_string(e));
      CString dir, vxipnp;
      installation.GetInstallDir(dir);
      fuzz::Check(dir.IsEmpty() && !installation.GetVXIPNPPath(vxipnp) && installation.GetIncludePaths()->empty() &&
                      installation.GetExtLibraries()->empty() && installation.GetLibraryFPFiles()->empty(),
                  "a refused installation left the object filled");
      continue;
    }
    CString runTime, instrSup;
    installation.GetRunTimeLibrary(runTime);
    installation.GetInstrSupLibrary(instrSup);
    for (const CString& library : {runTime, instrSup})
      fuzz::Check(::GetFileAttributes(library) != INVALID_FILE_ATTRIBUTES, "a library that is not there: " + std::string(library));
    for (const CFileStamp& panel : *installation.GetLibraryFPFiles())
      fuzz::Check(::GetFileAttributes(panel.m_path) != INVALID_FILE_ATTRIBUTES, "a panel that is not there");
  }
}

// --- The driver library of the real-time run-time ----------------------------------------------

void CheckRunTimeSearch() {
  using Probe = LONG (*)(char* buffer, DWORD size);
  static const Probe probe = [] {
    HMODULE module = ::LoadLibrary("C:\\rt\\RtLinkProbe.dll");
    fuzz::Check(module != NULL, "RtLinkProbe.dll does not load");
    return reinterpret_cast<Probe>(reinterpret_cast<void (*)()>(::GetProcAddress(module, "ProbeRunTimeLibraryPath")));
  }();
  char path[1024] = "";
  const LONG result = probe(path, sizeof path);
  // 8 is memory or the registry functions running out: neither happens here.
  fuzz::Check(result != 8, "the driver search ran out");
  if (result != 0) {
    fuzz::Check(path[0] == '\0', "a failed driver search found a path");
    return;
  }
  const std::string found = path;
  if (found.empty()) return;
  fuzz::Check(found.size() > 13 && found.compare(found.size() - 13, 13, "\\gmrtlink.dll") == 0 &&
                  ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES,
              "the driver search found " + found);
}

// --- Directory lists ---------------------------------------------------------------------------

std::vector<std::string> Entries(const std::string& list) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (;;) {
    const size_t separator = list.find(';', start);
    entries.push_back(list.substr(start, separator == std::string::npos ? std::string::npos : separator - start));
    if (separator == std::string::npos) return entries;
    start = separator + 1;
  }
}

void CheckDirectoryLists() {
  for (const char* name : {"Include Dirs", "Library Dirs"}) {
    CString list;
    ReadRegString(HKEY_CURRENT_USER, kDirectoriesKey, name, list);
    for (const std::string& entry : Entries(static_cast<LPCTSTR>(list)))
      fuzz::Check(PathListContains(list, entry.c_str()), "a list does not hold its own entry " + entry);
    // Under a double-byte code page the entries are found by whole characters: run for survival.
    sandbox::SetCodePage(932);
    for (const std::string& entry : Entries(static_cast<LPCTSTR>(list))) PathListContains(list, entry.c_str());
    sandbox::SetCodePage(1252);
  }
  const char dir[] = "C:\\Sablewing\\Include";
  CString before;
  const bool there = ReadRegString(HKEY_CURRENT_USER, kDirectoriesKey, "Include Dirs", before) != FALSE;
  const bool keyThere = sandbox::RegistryKeyExists(std::string("HKCU\\") + kDirectoriesKey);
  fuzz::Check(AddDirToRegList(HKEY_CURRENT_USER, kDirectoriesKey, "Include Dirs", dir) == (keyThere ? TRUE : FALSE),
              "adding a directory answers wrongly");
  if (!keyThere) return;
  CString after;
  fuzz::Check(ReadRegString(HKEY_CURRENT_USER, kDirectoriesKey, "Include Dirs", after) && PathListContains(after, dir),
              "an added directory is not in the list");
  CString expected = there ? before : CString();
  AppendToPathList(expected, dir);
  fuzz::Check(after == expected, "adding a directory changed the list otherwise");
  const std::string once = sandbox::RegistryExport();
  AddDirToRegList(HKEY_CURRENT_USER, kDirectoriesKey, "Include Dirs", dir);
  fuzz::Check(sandbox::RegistryExport() == once, "a directory added twice changed the list again");
}

// --- The Tools menu ----------------------------------------------------------------------------

struct Value {
  DWORD type;
  std::string data;
  bool operator==(const Value&) const = default;
};
// The entries' values: number -> field -> value, for every value named "<field>#<n>" (n decimal,
// as the menu writes it), and the count when "NumTools" is a DWORD.
struct Menu {
  bool open = false;
  bool counted = false;
  DWORD count = 0;
  std::map<DWORD, std::map<std::string, Value>> slots;
};

Menu ReadMenu() {
  Menu menu;
  HKEY key = NULL;
  if (::RegOpenKeyEx(HKEY_CURRENT_USER, kToolsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return menu;
  menu.open = true;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegEnumValue(key, index, name, &nameLength, NULL, &type, NULL, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    fuzz::Check(::RegQueryValueEx(key, name, NULL, &type, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS,
                "a listed value cannot be read");
    const std::string text(name, nameLength);
    if (text == "NumTools" && type == REG_DWORD && size == 4) {
      menu.counted = true;
      std::memcpy(&menu.count, data.data(), 4);
    }
    const size_t hash = text.rfind('#');
    if (hash == std::string::npos) continue;
    const std::string number = text.substr(hash + 1);
    if (number.empty() || number.size() > 10 || number.find_first_not_of("0123456789") != std::string::npos ||
        (number.size() > 1 && number[0] == '0') || std::stoull(number) > 0xFFFFFFFFull)
      continue;
    // Value names compare without regard to case: one field, however it is spelled.
    std::string field = text.substr(0, hash);
    for (char& c : field) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    menu.slots[static_cast<DWORD>(std::stoull(number))][field] = {type, data};
  }
  ::RegCloseKey(key);
  return menu;
}

// The menu name of an entry as the Tools functions compare it: its data up to the first NUL.
std::string MenuName(const Menu& menu, DWORD n) {
  const auto slot = menu.slots.find(n);
  if (slot == menu.slots.end()) return std::string("\0(none)", 7);
  const auto value = slot->second.find("menuname");
  if (value == slot->second.end()) return std::string("\0(none)", 7);
  return value->second.data.c_str();
}

// The first entry of that name among the counted ones.
long Find(const Menu& menu, const std::string& name) {
  for (const auto& [n, slot] : menu.slots)
    if (n < menu.count && MenuName(menu, n) == name) return static_cast<long>(n);
  return -1;
}

void CheckToolsMenu() {
  const char kOld[] = "&Tallyforge++ Help";
  const char kReference[] = "Sablewing Reference";
  const Menu before = ReadMenu();
  const std::string registry = sandbox::RegistryExport();
  // A record of a removal cut short is finished first: what the menu then becomes is the
  // removal's own tests' business; here only that the record goes and the rest holds.
  const bool pending = sandbox::RegistryKeyExists(std::string("HKCU\\") + kToolsKey + "\\Sablewing Removal");
  const BOOL removed = RemoveToolsMenuEntry(kOld);
  const Menu afterRemove = ReadMenu();
  if (pending && before.open && before.counted) {
    fuzz::Check(!removed || !sandbox::RegistryKeyExists(std::string("HKCU\\") + kToolsKey + "\\Sablewing Removal"),
                "a removal left its record");
  } else if (!before.open || !before.counted) {
    fuzz::Check(!removed && sandbox::RegistryExport() == registry, "a menu without its count was changed");
  } else {
    fuzz::Check(removed, "an entry could not be removed");
    const long n = Find(before, kOld);
    Menu expected = before;
    if (n >= 0) {
      const DWORD count = before.count;
      expected.count = count - 1;
      // Entries past the last that holds a value are empty: a count far beyond them moves nothing.
      const DWORD last = before.slots.empty() ? 0 : before.slots.rbegin()->first;
      for (DWORD k = static_cast<DWORD>(n); k + 1 < count && k <= last; ++k) {
        if (before.slots.count(k + 1) != 0)
          expected.slots[k] = before.slots.at(k + 1);
        else
          expected.slots.erase(k);
      }
      if (static_cast<DWORD>(n) + 1 < count) expected.slots.erase(count - 1);
    }
    fuzz::Check(afterRemove.count == expected.count && afterRemove.slots == expected.slots,
                "removing an entry did not move every later one down by one");
  }

  const std::string removedRegistry = sandbox::RegistryExport();
  const BOOL added = AddToolsMenuEntry(kReference, "C:\\Sablewing\\Help\\tqkey.exe", "/k", "");
  const Menu afterAdd = ReadMenu();
  if (!afterRemove.open || !afterRemove.counted) {
    fuzz::Check(!added && sandbox::RegistryExport() == removedRegistry, "a menu without its count was changed");
    return;
  }
  if (Find(afterRemove, kReference) >= 0) {
    fuzz::Check(added && sandbox::RegistryExport() == removedRegistry, "an entry that is there was added again");
    return;
  }
  if (!added) {
    fuzz::Check(sandbox::RegistryExport() == removedRegistry, "an entry that was not added changed the menu");
    return;
  }
  fuzz::Check(afterAdd.count == afterRemove.count + 1 && MenuName(afterAdd, afterRemove.count) == kReference,
              "an added entry is not the last one counted");
  for (const auto& [n, slot] : afterRemove.slots)
    if (n != afterRemove.count) fuzz::Check(afterAdd.slots.at(n) == slot, "adding an entry changed another");
  const std::string once = sandbox::RegistryExport();
  AddToolsMenuEntry(kReference, "C:\\Sablewing\\Help\\tqkey.exe", "/k", "");
  fuzz::Check(sandbox::RegistryExport() == once, "an entry added twice is there twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::AllowUnmodelledPaths();
  fuzz::SampleDrive([](const std::string& drive) {
    std::filesystem::create_directories(drive + "/rt");
    std::filesystem::copy_file(RTLINK_PROBE_FILE, drive + "/rt/RtLinkProbe.dll",
                               std::filesystem::copy_options::overwrite_existing);
    // A run-time installation the sample registry does not name: the driver search finds it when
    // an input names its folder.
    std::filesystem::create_directories(drive + "/RT/8.0");
    std::ofstream(drive + "/RT/8.0/gmrtlink.dll").close();
  });
  const std::string input = sandbox::HostPath(fuzz::PutInput("Input.reg", data, size));
  std::string error;
  if (!sandbox::RegistryLoad(input, &error)) return 0;

  CheckInstallations();
  CheckRunTimeSearch();
  CheckDirectoryLists();
  CheckToolsMenu();

  fuzz::Check(sandbox::RegistryOpenHandles() == 0, "a registry handle was left open");
  fuzz::CheckNoHandles();
  fuzz::CheckSampleUnchanged();
  fuzz::CheckUnmodelledPathsOnly();
  return 0;
}
