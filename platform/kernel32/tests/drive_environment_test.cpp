// Drive maps handed to a program started as its own process through SABLEWING_DRIVES.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "sandbox/sandbox.h"
#include "sandbox/test_process.h"

namespace {

// The second program: this test executable started again with K32_DRIVES_CHILD set. It runs
// before main(), after kernel32 mapped the drives its environment names, and reads through them.
[[maybe_unused]] const bool kChildRan = [] {
  if (std::getenv("K32_DRIVES_CHILD") == nullptr) return false;
  char text[16] = {};
  DWORD read = 0;
  const HANDLE file = CreateFile("T:\\world\\marker.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::_Exit(10);
  const BOOL ok = ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  if (!ok || std::string(text) != "from T") std::_Exit(11);
  // An entry that names no folder is left out; the others still map.
  if (GetFileAttributes("Q:\\") != INVALID_FILE_ATTRIBUTES) std::_Exit(12);
  std::_Exit(GetFileAttributes("U:\\") == FILE_ATTRIBUTE_DIRECTORY ? 0 : 13);
}();

TEST(DrivesEnvironment, NamesTheMappedDrivesForAProgramStartedWithIt) {
  EXPECT_EQ(sandbox::DrivesEnvironment(), "SABLEWING_DRIVES=") << "Z: is every process's own";
  const std::string t = sandbox::MapTempDrive('T');
  const std::string u = sandbox::MapTempDrive('u');
  EXPECT_EQ(sandbox::DrivesEnvironment(), "SABLEWING_DRIVES=T=" + t + ";U=" + u);

  std::filesystem::create_directories(t + "/world");
  std::ofstream(t + "/world/marker.txt") << "from T";
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string drives = sandbox::DrivesEnvironment() + ";Q=" + t + "/missing;junk";
  EXPECT_EQ(sandbox::testing::RunProgram(self, {}, {drives, "K32_DRIVES_CHILD=1"}), 0);
}

}  // namespace
