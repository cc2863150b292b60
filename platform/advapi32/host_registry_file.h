// Host file access of the registry stand-in: reading a .reg file, replacing one through a
// temporary beside it, the environment's binding, and messages for the person at the terminal.
#pragma once

#include <optional>
#include <string>

namespace advapi32::host {

enum class ReadResult { Ok, Missing, Failed };
ReadResult ReadWholeFile(const std::string& path, std::string& content, std::string& error);

// Writes a temporary file in the target's folder, flushes it to disk, then renames it over the
// target; on any failure the temporary is removed and the target is as it was.
bool ReplaceFile(const std::string& path, const std::string& content, std::string& error);

// The file named by SABLEWING_REGISTRY, when that variable is set and not empty.
std::optional<std::string> RegistryFileFromEnvironment();

void PrintWarning(const std::string& message);

}  // namespace advapi32::host
