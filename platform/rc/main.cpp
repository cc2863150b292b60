// rc --clang <path> --llvm-rc <path> [-I dir]... -o out.cpp [--depfile file] script.rc
// Compiles a resource script into a C++ source (see compiler.h); the intermediate files lie beside
// the output. On an error it prints the tools' messages, leaves no output file behind and exits
// with status 1.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "compiler.h"
#include "depfile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: rc --clang <path> --llvm-rc <path> [-I dir]... -o out.cpp [--depfile file] script.rc";

int Usage(const std::string& problem) {
  std::cerr << "rc: " << problem << "\n" << kUsage << "\n";
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
      } else if (arg == "-o") {
        output = value("-o");
      } else if (arg == "--depfile") {
        depfile = value("--depfile");
      } else if (arg == "--clang") {
        options.clang = value("--clang");
      } else if (arg == "--llvm-rc") {
        options.llvmRc = value("--llvm-rc");
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
  if (script.empty()) return Usage("no script given");
  if (output.empty()) return Usage("no output file given (-o)");
  if (options.clang.empty() || options.llvmRc.empty()) return Usage("the paths of clang and llvm-rc are needed");
  options.workPrefix = output;

  std::error_code ec;
  try {
    const rc::CompiledScript compiled = rc::CompileScript(script, options);
    std::cerr << compiled.messages;
    if (!WriteFile(output, rc::GenerateCpp(compiled, script.filename().string()))) {
      std::cerr << output.string() << ": cannot write the output file\n";
      fs::remove(output, ec);
      return 1;
    }
    if (!depfile.empty() && !WriteFile(depfile, rc::FormatDepfile(output, compiled.dependencies))) {
      std::cerr << depfile.string() << ": cannot write the dependency file\n";
      fs::remove(output, ec);
      return 1;
    }
  } catch (const rc::Error& e) {
    const std::string message = e.what();
    std::cerr << message;
    if (message.empty() || message.back() != '\n') std::cerr << "\n";
    fs::remove(output, ec);  // a stale table from an earlier run must not be linked
    return 1;
  }
  return 0;
}
