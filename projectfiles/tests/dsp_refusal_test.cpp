// What the reader refuses, with which exception and text; a refused file stays on disk as it
// was and no file handle is left open.
#include "dsp/DspExceptions.h"
#include "dsp_test_support.h"

using namespace projectfiles_test;

namespace {

const char* const kInvalidFormat = "Unknown/invalid project file format.";
const char* const kNotParsable =
    "Sablewing 6.0 recognized this as a Sablewing\nproject, but was unable to parse it. If you want to use\n"
    "Sablewing components in the project, you must\nre-create the project with the Sablewing 6.0\n"
    "AppWizard or edit the project files manually.\n\nRefer to the How Do I Manually Add Components topic in\n"
    "Sablewing Reference for instructions on editing the\nproject files manually.\n";

class DspRefusal : public DspTest {};

TEST_F(DspRefusal, EachMalformedFileIsRefusedAndLeftAsItWas) {
  struct Row {
    const char* fixture;
    const char* message;  // null: a CFileException end-of-file naming the file
  } rows[] = {
      {.fixture = "dsp_refuse_empty.dsp", .message = kInvalidFormat},
      {.fixture = "dsp_refuse_no_name.dsp", .message = kInvalidFormat},
      {.fixture = "dsp_refuse_second_use_mfc.dsp", .message = kInvalidFormat},
      {.fixture = "dsp_refuse_static_library.dsp", .message = kNotParsable},
      {.fixture = "dsp_refuse_no_use_mfc.dsp", .message = kNotParsable},
      {.fixture = "dsp_refuse_single_config.dsp", .message = "Invalid configuration."},
      {.fixture = "dsp_refuse_no_target.dsp", .message = "Invalid target file"},
      {.fixture = "dsp_refuse_no_source_line.dsp", .message = "Invalid source entry."},
      {.fixture = "dsp_refuse_eof_in_config.dsp", .message = nullptr},
      {.fixture = "dsp_refuse_eof_in_target.dsp", .message = nullptr},
      {.fixture = "dsp_refuse_unbalanced_group.dsp", .message = nullptr},
      {.fixture = "dsp_refuse_eof_in_source_file.dsp", .message = nullptr},
      {.fixture = "dsp_refuse_eof_in_section.dsp", .message = nullptr},
      // The lone backslash would end the first ADD LINK32 line, before "/x": a continuation there.
      {.fixture = "dsp_refuse_merged_line_ending_in_backslash.dsp", .message = kInvalidFormat},
      {.fixture = "dsp_refuse_nul.dsp", .message = "T:\\dsp_refuse_nul.dsp holds a NUL character: it is not a text file."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    const std::string path = CopyFixture(row.fixture);
    if (row.message != nullptr) {
      EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { Read(path); }), row.message);
    } else {
      try {
        Read(path);
        ADD_FAILURE() << "nothing thrown";
      } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::endOfFile);
        EXPECT_EQ(e->m_lOsError, -1);
        EXPECT_STREQ(e->m_strFileName, path.c_str());
        e->Delete();
      }
    }
    EXPECT_EQ(DiskBytes(path), FixtureBytes(row.fixture));
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  }
}

TEST_F(DspRefusal, MissingFileGivesTheFailedOpen) {
  try {
    Read("T:\\absent.dsp");
    ADD_FAILURE() << "nothing thrown";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

// A failed read part way leaves what was read in the tree, and the next read starts afresh.
TEST_F(DspRefusal, TreeKeepsWhatWasReadBeforeTheFailure) {
  ThrownFileCause([&] { ReadFixture("dsp_refuse_eof_in_target.dsp"); });
  EXPECT_STREQ(file_.GetProjectName(), "Tiny");
  EXPECT_EQ(file_.GetConfigurationCount(), 1);
  EXPECT_NE(file_.GetTarget(), nullptr);
  ReadFixture("MeterDll.dsp");
  EXPECT_EQ(file_.GetConfigurationCount(), 2);
}

}  // namespace
