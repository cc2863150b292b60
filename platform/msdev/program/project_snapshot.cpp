// The msdev program's view of the project files (project_snapshot.h). Host calls: reading and
// writing host files and running diff.
#include "project_snapshot.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace msdev_program {
namespace {

namespace fs = std::filesystem;

const char kBackupFolder[] = "Sablewing_Backup";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

// A word for the shell, in single quotes.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The folder, a file or folder in the base, shown relative to the base.
std::string Relative(const fs::path& path, const fs::path& base) {
  return fs::path(path).lexically_normal().lexically_relative(fs::path(base).lexically_normal()).generic_string();
}

}  // namespace

bool UnifiedDiff(const std::string& oldBytes, const std::string& newBytes, const std::string& oldLabel,
                 const std::string& newLabel, const std::string& scratch, std::string& diff) {
  diff.clear();
  if (oldBytes == newBytes) return true;
  const fs::path oldFile = fs::path(scratch) / "old";
  const fs::path newFile = fs::path(scratch) / "new";
  if (!WriteFile(oldFile, oldBytes) || !WriteFile(newFile, newBytes)) return false;
  const std::string command = "diff -u --label " + Quoted(oldLabel) + " --label " + Quoted(newLabel) + " " +
                              Quoted(oldFile.string()) + " " + Quoted(newFile.string()) + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) diff.append(buffer, n);
  const int status = ::pclose(pipe);
  fs::remove(oldFile);
  fs::remove(newFile);
  // diff says 1 when the files differ; anything else means it did not do its work.
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

ProjectSnapshot::ProjectSnapshot(const std::string& base, const std::set<std::string>& folders)
    : base_(base), folders_(folders), before_(Take()) {}

ProjectSnapshot::Files ProjectSnapshot::Take() const {
  Files taken;
  std::error_code error;
  for (const std::string& folder : folders_) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
      if (entry.is_regular_file()) taken.files[Relative(entry.path(), base_)] = ReadFile(entry.path());
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(folder) / kBackupFolder, error))
      if (entry.is_regular_file()) taken.backups.insert(Relative(entry.path(), base_));
  }
  return taken;
}

bool ProjectSnapshot::ShowChanges(std::ostream& out, const std::string& scratch) const {
  const Files after = Take();
  std::set<std::string> paths;
  for (const auto& [path, bytes] : before_.files) paths.insert(path);
  for (const auto& [path, bytes] : after.files) paths.insert(path);
  bool changed = false;
  for (const std::string& path : paths) {
    const auto old = before_.files.find(path);
    const auto now = after.files.find(path);
    const bool wasThere = old != before_.files.end();
    const bool isThere = now != after.files.end();
    std::string diff;
    if (!UnifiedDiff(wasThere ? old->second : "", isThere ? now->second : "", wasThere ? "a/" + path : "/dev/null",
                     isThere ? "b/" + path : "/dev/null", scratch, diff))
      return false;
    if (!diff.empty()) changed = true;
    out << diff;
  }
  if (!changed) out << "No project file changed.\n";
  std::vector<std::string> made;
  for (const std::string& backup : after.backups)
    if (before_.backups.count(backup) == 0) made.push_back(backup);
  if (made.empty()) {
    out << "No backups were made.\n";
  } else {
    out << "Backups made:\n";
    for (const std::string& backup : made) out << "  " << backup << "\n";
  }
  return true;
}

}  // namespace msdev_program
