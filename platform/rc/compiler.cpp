#include "compiler.h"

#include <fstream>
#include <iterator>

#include "depfile.h"
#include "preprocessed_script.h"
#include "res_file.h"
#include "run_tool.h"

namespace fs = std::filesystem;

namespace rc {
namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(path.string() + ": cannot read");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path WithSuffix(const fs::path& prefix, const char* suffix) { return fs::path(prefix.string() + suffix); }

}  // namespace

CompiledScript CompileScript(const fs::path& scriptPath, const CompileOptions& options) {
  const fs::path script = fs::absolute(scriptPath).lexically_normal();
  const fs::path folder = script.parent_path();
  std::vector<fs::path> searchDirs{folder};
  for (const fs::path& dir : options.includeDirs) searchDirs.push_back(fs::absolute(dir).lexically_normal());
  const fs::path preprocessed = WithSuffix(options.workPrefix, ".i.rc");
  const fs::path res = WithSuffix(options.workPrefix, ".res");
  const fs::path headers = WithSuffix(options.workPrefix, ".clang.d");
  const fs::path log = WithSuffix(options.workPrefix, ".log");

  // The preprocessor as llvm-rc runs it, plus the list of the headers it read.
  std::vector<std::string> cpp{options.clang.string(), "--driver-mode=gcc", "-target", "x86_64-pc-windows-msvc-coff",
                               "-E", "-xc", "-DRC_INVOKED"};
  for (const fs::path& dir : searchDirs) cpp.insert(cpp.end(), {"-I", dir.string()});
  cpp.insert(cpp.end(), {"-MD", "-MF", headers.string(), "-MT", "resources", script.string(), "-o", preprocessed.string()});
  ToolRun run = RunTool(cpp, folder, log);
  if (run.exitCode != 0) throw Error(run.output);
  CompiledScript compiled;
  compiled.messages = run.output;
  const std::vector<fs::path> named = ScanPreprocessedScript(ReadFile(preprocessed), searchDirs);

  // llvm-rc looks for named files in its working folder (the script's), beside its input (the
  // preprocessed file: nothing is there), then in the include folders.
  std::vector<std::string> rc{options.llvmRc.string(), "/no-preprocess", "/X", "/C", "1252"};
  for (const fs::path& dir : options.includeDirs) rc.insert(rc.end(), {"/I", fs::absolute(dir).string()});
  // The input follows "--": llvm-rc takes any word that starts with a slash for an option, so a
  // build under /check would lose its input to "/c".
  rc.insert(rc.end(), {"/FO", res.string(), "--", preprocessed.string()});
  run = RunTool(rc, folder, log);
  if (run.exitCode != 0) throw Error(run.output.empty() ? "llvm-rc failed without a message\n" : run.output);
  compiled.messages += run.output;

  try {
    compiled.resources = ReadResFile(ReadFile(res));
  } catch (const Error& e) {
    throw Error(script.string() + ": " + e.what());
  }
  for (const fs::path& dep : ReadDepfile(ReadFile(headers)))
    compiled.dependencies.push_back(fs::absolute(folder / dep).lexically_normal());
  compiled.dependencies.insert(compiled.dependencies.end(), named.begin(), named.end());
  return compiled;
}

}  // namespace rc
