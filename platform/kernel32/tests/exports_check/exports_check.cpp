// exports_check <module file> <exports list>: loads a built module with LoadLibrary, finds each
// name of its exports list with GetProcAddress (a "Name @N" line also by ordinal N, at the same
// address), and fails when the module exports any other name (DllMain aside, which every module
// may export; an ordinal's symbol standin_ordinal_N only when the list numbers one). Registered
// by add_exports_test().
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

struct Export {
  std::string name;
  unsigned ordinal = 0;  // 0: exported by name only
};

// The exports list: one name a line, optionally followed by "@N"; '#' starts a comment; blank
// lines are ignored.
bool ReadExportsList(const char* file, std::vector<Export>& exports) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line.substr(0, line.find('#')));
    Export e;
    std::string ordinal;
    if (!(fields >> e.name)) continue;
    if (fields >> ordinal) {
      if (ordinal.size() < 2 || ordinal[0] != '@') return false;
      e.ordinal = static_cast<unsigned>(std::stoul(ordinal.substr(1)));
    }
    exports.push_back(e);
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
  std::vector<Export> listed;
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
  std::set<std::string> allowed{"DllMain"};
  for (const Export& e : listed) {
    allowed.insert(e.name);
    const FARPROC byName = GetProcAddress(module, e.name.c_str());
    if (byName == nullptr) {
      std::fprintf(stderr, "%s: listed but not found by GetProcAddress: %s (error %u)\n", argv[1], e.name.c_str(),
                   static_cast<unsigned>(GetLastError()));
      ++failures;
    }
    if (e.ordinal == 0) continue;
    allowed.insert("standin_ordinal_" + std::to_string(e.ordinal));
    if (GetProcAddress(module, MAKEINTRESOURCE(e.ordinal)) != byName) {
      std::fprintf(stderr, "%s: ordinal %u is not %s\n", argv[1], e.ordinal, e.name.c_str());
      ++failures;
    }
  }
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
