// Shared set-up of the workspace, includes-header and editor tests: fixtures copied onto a
// sandbox drive T:, bytes on disk, golden files, and catching the thrown-by-pointer exceptions.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "TqException.h"
#include "sandbox/sandbox.h"

namespace projectfiles_test {

// The folder of these tests, fixed at build time so the program runs from anywhere.
inline std::string SourceFolder() {
#ifdef PROJECTFILES_TEST_DIR
  return PROJECTFILES_TEST_DIR;
#else
  const char* root = std::getenv("SABLEWING_SOURCE_DIR");
  return root != nullptr ? std::string(root) + "/projectfiles/tests" : std::string(".");
#endif
}

inline std::string ReadHostFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << hostPath;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string FixtureBytes(const std::string& name) { return ReadHostFile(SourceFolder() + "/fixtures/" + name); }
inline std::string GoldenBytes(const std::string& name) { return ReadHostFile(SourceFolder() + "/golden/" + name); }

// The message a CException carries, through its own GetErrorMessage.
inline std::string MessageOf(CException* e) {
  char text[2048] = {};
  e->GetErrorMessage(text, sizeof text);
  return text;
}

// Runs `body`, which must throw an E*, and returns the exception's message; the exception is
// deleted. Any other outcome fails the test.
template <typename E, typename Body>
std::string ThrownMessage(Body body) {
  try {
    body();
  } catch (E* e) {
    std::string message = MessageOf(e);
    e->Delete();
    return message;
  } catch (CException* e) {
    ADD_FAILURE() << "unexpected exception: " << MessageOf(e);
    e->Delete();
    return "";
  }
  ADD_FAILURE() << "nothing thrown";
  return "";
}

// Runs `body`, which must throw a CFileException, and returns its cause (-1 when none came).
template <typename Body>
int ThrownFileCause(Body body) {
  try {
    body();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  } catch (CException* e) {
    ADD_FAILURE() << "unexpected exception: " << MessageOf(e);
    e->Delete();
    return -1;
  }
  ADD_FAILURE() << "nothing thrown";
  return -1;
}

class DriveTest : public testing::Test {
 protected:
  void SetUp() override { host_ = sandbox::MapTempDrive('T'); }

  // Copies fixture `name` onto T: under `as` (the fixture's own name by default); returns its
  // Windows path.
  std::string CopyFixture(const std::string& name, const std::string& as = "") {
    const std::string target = as.empty() ? name : as;
    WriteDisk(target, FixtureBytes(name));
    return "T:\\" + target;
  }

  // Writes bytes to T:\<relative> (relative uses '/' between folders).
  void WriteDisk(const std::string& relative, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(host_) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }

  std::string DiskBytes(const std::string& windowsPath) { return ReadHostFile(sandbox::HostPath(windowsPath)); }
  bool OnDisk(const std::string& windowsPath) {
    return std::filesystem::exists(sandbox::HostPath(windowsPath));
  }

  std::string host_;
};

}  // namespace projectfiles_test
