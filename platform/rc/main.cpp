// rc [-I dir]... [-D name[=value]]... -o out.cpp [--depfile file] script.rc
// Compiles a resource script into a C++ source. On an error it prints "file:line: what", leaves
// no output file behind and exits with status 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "compiler.h"

namespace fs = std::filesystem;

namespace {

int Usage(const std::string& problem) {
  std::cerr << "rc: " << problem << "\nusage: rc [-I dir]... [-D name[=value]]... -o out.cpp [--depfile file] script.rc\n";
  return 1;
}

// Writes beside the target and renames, so a failed write leaves no partial file.
bool WriteFile(const fs::path& path, const std::string& text) {
  const fs::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

std::string MakeEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  rc::CompileOptions options;
  fs::path output, depfile, script;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const std::string& flag) -> std::string {
      if (arg.size() > flag.size()) return arg.substr(flag.size());
      if (i + 1 >= argc) throw std::invalid_argument(flag + " needs a value");
      return argv[++i];
    };
    try {
      if (arg.rfind("-I", 0) == 0) {
        options.includeDirs.emplace_back(value("-I"));
      } else if (arg.rfind("-D", 0) == 0) {
        const std::string def = value("-D");
        const size_t eq = def.find('=');
        options.defines.emplace_back(def.substr(0, eq), eq == std::string::npos ? "1" : def.substr(eq + 1));
      } else if (arg == "-o") {
        output = value("-o");
      } else if (arg == "--depfile") {
        depfile = value("--depfile");
      } else if (!arg.empty() && arg[0] == '-') {
        return Usage("unknown option " + arg);
      } else if (script.empty()) {
        script = arg;
      } else {
        return Usage("more than one script given");
      }
    } catch (const std::invalid_argument& e) {
      return Usage(e.what());
    }
  }
  if (script.empty() || output.empty()) return Usage(script.empty() ? "no script given" : "no output file given (-o)");

  std::error_code ec;
  try {
    const rc::CompiledScript compiled = rc::CompileScript(script, options);
    if (!WriteFile(output, rc::GenerateCpp(compiled, script.filename().string()))) {
      std::cerr << output.string() << ": cannot write the output file\n";
      fs::remove(output, ec);
      return 1;
    }
    if (!depfile.empty()) {
      std::string deps = MakeEscape(output.string()) + ":";
      for (const fs::path& dep : compiled.dependencies) deps += " " + MakeEscape(fs::absolute(dep).string());
      if (!WriteFile(depfile, deps + "\n")) {
        std::cerr << depfile.string() << ": cannot write the dependency file\n";
        fs::remove(output, ec);
        return 1;
      }
    }
  } catch (const rc::Error& e) {
    std::cerr << e.what() << "\n";
    fs::remove(output, ec);  // a stale table from an earlier run must not be linked
    return 1;
  }
  return 0;
}
