// What the build reads from clang's preprocessed script besides what llvm-rc makes of it: the files
// the script names (bitmaps, cursors, TEMPLATE files ...), so that editing one rebuilds the module,
// and the code-page pragmas llvm-rc would silently ignore.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace rc {

// Every quoted name in the script's own lines (not in included .h and .c files, whose text llvm-rc
// skips as well) that names an existing file along llvm-rc's search: `searchDirs` in order, the
// script's folder first. A quoted text that names no file is no dependency. Throws Error
// ("file:line: ...") on `#pragma code_page` of anything but 1252: llvm-rc 14 reads every script as
// the code page of its command line (1252) whatever the pragma says.
std::vector<std::filesystem::path> ScanPreprocessedScript(std::string_view text,
                                                          const std::vector<std::filesystem::path>& searchDirs);

}  // namespace rc
