#include "compiler.h"

#include "parser.h"
#include "preprocessor.h"

namespace rc {

CompiledScript CompileScript(const std::filesystem::path& script, const CompileOptions& options) {
  SourceFiles files(options.reader, options.includeDirs);
  const PreprocessedScript tokens = Preprocess(script, files, options.defines);
  ScriptParser parser(tokens, files);
  CompiledScript compiled;
  compiled.resources = parser.Run();
  compiled.dependencies = files.Dependencies();
  return compiled;
}

}  // namespace rc
