// exports_check <module file> <exports list>: loads a built module with LoadLibrary, finds each
// name of its exports list with GetProcAddress, and fails when the module exports any other name
// (DllMain aside, which every module may export). Registered by add_exports_test().
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

// The exports list: one name a line; '#' starts a comment; blank lines are ignored.
bool ReadExportsList(const char* file, std::vector<std::string>& names) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    line = line.substr(0, line.find('#'));
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    names.push_back(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: exports_check <module file> <exports list>\n");
    return 2;
  }
  int failures = 0;
  sandbox::SetFailureHandler([&](const std::string& message) {
    std::fprintf(stderr, "sandbox: %s\n", message.c_str());
    ++failures;
  });
  std::vector<std::string> listed;
  if (!ReadExportsList(argv[2], listed)) {
    std::fprintf(stderr, "cannot read the exports list %s\n", argv[2]);
    return 2;
  }
  const std::string windowsPath = sandbox::WindowsPath(argv[1]);
  HMODULE module = windowsPath.empty() ? nullptr : LoadLibrary(windowsPath.c_str());
  if (module == nullptr) {
    std::fprintf(stderr, "LoadLibrary(\"%s\") failed with error %u\n", windowsPath.c_str(),
                 static_cast<unsigned>(GetLastError()));
    return 1;
  }
  for (const std::string& name : listed) {
    if (GetProcAddress(module, name.c_str()) == nullptr) {
      std::fprintf(stderr, "%s: listed but not found by GetProcAddress: %s (error %u)\n", argv[1], name.c_str(),
                   static_cast<unsigned>(GetLastError()));
      ++failures;
    }
  }
  std::set<std::string> allowed(listed.begin(), listed.end());
  allowed.insert("DllMain");
  for (const std::string& name : sandbox::ModuleExports(module)) {
    if (!allowed.count(name)) {
      std::fprintf(stderr, "%s: exported but not listed: %s\n", argv[1], name.c_str());
      ++failures;
    }
  }
  if (!FreeLibrary(module)) {
    std::fprintf(stderr, "FreeLibrary failed with error %u\n", static_cast<unsigned>(GetLastError()));
    ++failures;
  }
  if (failures == 0) std::printf("%s: %zu names exported as listed\n", argv[1], listed.size());
  return failures == 0 ? 0 : 1;
}
