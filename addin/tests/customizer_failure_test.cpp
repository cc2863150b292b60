// A run of the customizer that cannot finish: what the user is told, and that the project's files
// are left as they were.
#include <gtest/gtest.h>

#include <functional>

#include "customizer_e2e_support.h"
#include "bridge/VSApplicationException.h"
#include "dsp/DspExceptions.h"

using namespace addin_test;
using sandbox::testing::ThrownMessage;

namespace {

class CustomizerFailureTest : public CustomizerEndToEndTest {
 protected:
  // One run that must fail with an E*; its message. `loaded` runs once the active project is known.
  template <typename E>
  std::string FailedRun(const std::function<void()>& loaded = [] {}) {
    CVSApplication app(ide_);
    CVSProjectCustomizer customizer(depot_.IsWindowsNT());
    return ThrownMessage<E>([&] {
      app.LoadActiveProject();
      loaded();
      customizer.ApplyComponentSelection(app, depot_.GetComponents(), true, NULL, NULL);
    });
  }
};

// Deselecting everything writes the includes header again, without includes, in the save; until
// then it stays, since StdAfx.h and the project file still name it.
TEST_F(CustomizerFailureTest, DeselectingEverythingKeepsTheIncludesHeaderUntilTheSave) {
  Select({"TqGraph"});
  Apply();
  const std::string header = DiskBytes("P:\\Thermo\\TqIncludes.h");
  Select({});
  sandbox::InjectFileFailure("P:\\Thermo\\Thermo.dsp.~new", "write", ERROR_DISK_FULL);
  EXPECT_FALSE(FailedRun<CFileException>().empty());
  EXPECT_EQ(DiskBytes("P:\\Thermo\\TqIncludes.h"), header);
}

// Only a precompiled header that is really absent is passed over; one that is there and cannot be
// read stops the run before anything is written.
TEST_F(CustomizerFailureTest, APrecompiledHeaderThatCannotBeReadStopsTheRun) {
  struct Row {
    const char* name;
    const char* path;
    const char* operation;
    DWORD error;
  } const rows[] = {
      {.name = "open by another program", .path = "P:\\Thermo\\StdAfx.h", .operation = "open",
       .error = ERROR_SHARING_VIOLATION},
      {.name = "the folder cannot be searched", .path = "P:\\Thermo", .operation = "find",
       .error = ERROR_ACCESS_DENIED},
  };
  Select({"TqCore"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    OpenWorkspace("P:\\Thermo\\Thermo.dsw");  // the failed run before left it closed
    const std::map<std::string, std::string> before = EditedFiles();
    EXPECT_FALSE(
        FailedRun<CFileException>([&] { sandbox::InjectFileFailure(row.path, row.operation, row.error, 1000); })
            .empty());
    sandbox::ClearFileFailures();
    EXPECT_EQ(EditedFiles(), before);
    EXPECT_TRUE(Backups().empty());
  }
}

// A NUL in a comment of StdAfx.h would cut the header short where it is written again. (The project
// names it "stdafx.h".)
TEST_F(CustomizerFailureTest, APrecompiledHeaderHoldingANulIsRefused) {
  std::string header = DiskBytes("P:\\Thermo\\StdAfx.h");
  header.insert(header.find("//") + 2, std::string(1, '\0'));
  WriteDisk("Thermo/StdAfx.h", header);
  const std::map<std::string, std::string> before = EditedFiles();
  Select({"TqCore"});
  EXPECT_EQ(FailedRun<TQ::CAppWizException>(), "P:\\Thermo\\stdafx.h holds a NUL character: it is not a text file.");
  EXPECT_EQ(EditedFiles(), before);
}

// Developer Studio reports a project file it cannot save in its own box; the run stops there, the
// workspace stays open and the edits that were not saved are still the IDE's.
TEST_F(CustomizerFailureTest, AFailedSaveAllStopsTheRunBeforeAnythingIsClosed) {
  ChangeProjectInIde();
  const std::map<std::string, std::string> before = EditedFiles();
  sandbox::InjectFileFailure("P:\\Thermo\\Thermo.dsp.~ide", "open", ERROR_DISK_FULL);
  sandbox::QueueAnswer("MessageBox", {IDOK, ""});
  Select({"TqCore"});
  EXPECT_EQ(FailedRun<CVSApplicationException>(), "Developer Studio could not save all files. Nothing has been changed.");
  ASSERT_FALSE(sandbox::Modals().empty());
  EXPECT_EQ(sandbox::Modals().back().caption, "Microsoft Visual C++");
  EXPECT_EQ(sandbox::Modals().back().text, "The project file 'P:\\Thermo\\Thermo.dsp' could not be saved (error 112).");
  EXPECT_EQ(EditedFiles(), before);
  EXPECT_TRUE(sandbox::msdev::CleanedConfigurations().empty());
  EXPECT_EQ(sandbox::msdev::WorkspacePath(), "P:\\Thermo\\Thermo.dsw");
  EXPECT_TRUE(Backups().empty());
}

}  // namespace
