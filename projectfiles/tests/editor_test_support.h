// Shared set-up of the workspace, includes-header and editor tests: fixtures copied onto a
// sandbox drive T:, bytes on disk, golden files, and catching the thrown-by-pointer exceptions.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TqException.h"
#include "sandbox/test_support.h"

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

using sandbox::testing::ReadHostFile;
using sandbox::testing::MessageOf;
using sandbox::testing::ThrownMessage;
using sandbox::testing::ThrownFileCause;

inline std::string FixtureBytes(const std::string& name) { return ReadHostFile(SourceFolder() + "/fixtures/" + name); }
inline std::string GoldenBytes(const std::string& name) { return ReadHostFile(SourceFolder() + "/golden/" + name); }

class DriveTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  // Copies fixture `name` onto T: under `as` (the fixture's own name by default); returns its
  // Windows path.
  std::string CopyFixture(const std::string& name, const std::string& as = "") {
    const std::string target = as.empty() ? name : as;
    WriteDisk(target, FixtureBytes(name));
    return "T:\\" + target;
  }
};

}  // namespace projectfiles_test
