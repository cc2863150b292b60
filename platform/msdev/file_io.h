// How the IDE reads and writes its files: whole files through kernel32, with Windows paths.
#pragma once

#include <string>

namespace msdev {

// Reads the whole file at a Windows path; false with the Windows error code in *error.
bool ReadWholeFile(const std::string& windowsPath, std::string& bytes, unsigned long* error);

// Writes `bytes` as the whole file at a Windows path: into a file beside it, which replaces the
// target only once every byte is written, flushed and closed. False with the Windows error code
// in *error, the target as it was and nothing left beside it.
bool WriteWholeFile(const std::string& windowsPath, const std::string& bytes, unsigned long* error);

// The full Windows form of a path (GetFullPathName); "" when it cannot be formed.
std::string FullWindowsPath(const std::string& path);

// A path's last component without its extension ("C:\T\Wizard.awx" -> "Wizard").
std::string FileTitle(const std::string& path);

}  // namespace msdev
