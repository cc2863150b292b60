// Shared set-up of the project-file (.dsp) tests: reading a fixture from T: into a CDspFile and
// writing a tree back in text mode, over the drive and byte helpers of editor_test_support.h.
#pragma once

#include <string>

#include "dsp/DspFile.h"
#include "dsp/DspFileBuilder.h"
#include "editor_test_support.h"

namespace projectfiles_test {

class DspTest : public DriveTest {
 protected:
  // Reads fixture `name` (copied onto T:) into file_.
  void ReadFixture(const std::string& name) { Read(CopyFixture(name)); }
  void Read(const std::string& windowsPath) { CDspFileBuilder(windowsPath.c_str()).Build(file_); }

  // Writes file_ as the editors do (text mode) and returns the bytes on disk.
  std::string WrittenBytes(const std::string& windowsPath = "T:\\written.dsp") {
    CStdioFile out;
    EXPECT_TRUE(out.Open(windowsPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file_.Write(out);
    out.Close();
    return DiskBytes(windowsPath);
  }

  CDspFile file_;
};

}  // namespace projectfiles_test
