// The script's preprocessor: comments, #include, object-like #define/#undef, the conditionals
// (#if/#ifdef/#ifndef/#elif/#else/#endif with defined()), #pragma code_page and #error. Macros are
// expanded as lines are read, so a later #undef does not reach back. Included headers (.h and the
// like) contribute only their directives; other included files are script text.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "lexer.h"
#include "source_files.h"

namespace rc {

struct PreprocessedScript {
  std::vector<Token> tokens;
  Location end;  // just past the last line of the main script
};

// Predefined: RC_INVOKED and _WIN32. APSTUDIO_INVOKED is not defined, so the blocks the IDE's
// resource editor keeps for itself are skipped.
PreprocessedScript Preprocess(const std::filesystem::path& script, SourceFiles& files,
                              const std::vector<std::pair<std::string, std::string>>& defines);

}  // namespace rc
