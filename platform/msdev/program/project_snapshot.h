// What the msdev program shows of a run's work on the disk: the project files before and after,
// as unified diffs (the host's diff program, diffutils), and the backups that appeared. Host
// files only; paths are shown relative to the workspace's folder, with '/' between folders.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace msdev_program {

class ProjectSnapshot {
 public:
  // The files directly in each folder (bytes kept) and the names of the backups in its
  // "Sablewing_Backup" folder. `base` is the folder paths are shown relative to.
  ProjectSnapshot(const std::string& base, const std::set<std::string>& folders);

  // Writes the diff of each file that changed, appeared or went since the snapshot (in path
  // order), then the backups that appeared, to `out`. `scratch` is a folder for the diff's files.
  // False when the diff program could not be run.
  bool ShowChanges(std::ostream& out, const std::string& scratch) const;

 private:
  struct Files {
    std::map<std::string, std::string> files;  // relative path -> bytes
    std::set<std::string> backups;             // relative paths
  };
  Files Take() const;

  std::string base_;
  std::set<std::string> folders_;
  Files before_;
};

// The unified diff of two texts as `diff -u` writes it, with the labels given ("/dev/null" for a
// side that is not there); "" when they are equal. False when diff could not be run.
bool UnifiedDiff(const std::string& oldBytes, const std::string& newBytes, const std::string& oldLabel,
                 const std::string& newLabel, const std::string& scratch, std::string& diff);

}  // namespace msdev_program
