// Function-panel modules: where the panel file, the code file and the header are found, and the
// names of the panel file's name table, read in binary with every number and entry bounded by the
// file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/FPFile.h"
#include "wyc_test_support.h"

namespace {

using wyctest::kSample;
using Texts = std::vector<std::string>;

Texts NamesOf(const CFPFile& file) { return Texts(file.GetNames().begin(), file.GetNames().end()); }

using wyctest::Panel;

class FPFileTest : public wyctest::WycTest {
 protected:
  void SetUp() override {
    WycTest::SetUp();
    CopyToDisk(kSample + "/VXIPNP", "VXIPNP");
    CopyMeter();
  }
};

TEST_F(FPFileTest, WhereTheModulesPanelCodeAndHeaderAre) {
  WriteDisk("VXIPNP/WinNT/tqpower/tqpower.obj", "");
  WriteDisk("Work/a/tqdual.fp", Panel{}.Bytes());
  WriteDisk("Work/b/tqdual.fp", Panel{.entries = {"second_fp"}}.Bytes());
  WriteDisk("Work/b/tqdual.obj", "");
  WriteDisk("Work/c/tqplain.fp", Panel{}.Bytes());
  WriteDisk("Work/c/tqplain.lib", "");
  WriteDisk("Work/c/lib/msc/tqplain.lib", "");
  const CString framework = "T:\\VXIPNP\\WinNT";
  const struct {
    const char* what;
    const char* module;
    const char* framework;
    CPathSet folders;
    int result;
    int kind;
    const char* folder;
    const char* code;
    const char* header;
    Texts names;
  } rows[] = {
      {.what = "a C source and header beside the panel in a project folder", .module = "metercal",
       .framework = framework, .folders = {"T:\\Projects\\WycMeter", "T:\\VXIPNP\\WinNT\\tqpower"},
       .result = CFPFile::FOUND, .kind = CFPFile::C_SOURCE, .folder = "T:\\Projects\\WycMeter",
       .code = "T:\\Projects\\WycMeter\\metercal.c", .header = "T:\\Projects\\WycMeter\\metercal.h",
       .names = {"metercal_init", "metercal_close", "metercal_reset"}},
      {.what = "inside the framework the library under lib\\msc wins; an object file there is not looked for",
       .module = "tqpower", .framework = framework, .folders = {"T:\\VXIPNP\\WinNT\\tqpower"},
       .result = CFPFile::FOUND, .kind = CFPFile::LIBRARY, .folder = "T:\\VXIPNP\\WinNT\\tqpower",
       .code = "T:\\VXIPNP\\WinNT\\lib\\msc\\tqpower.lib", .header = "T:\\VXIPNP\\WinNT\\include\\tqpower.h",
       .names = {"tqpower_init", "tqpower_close", "tqpower_reset"}},
      {.what = "a source in the framework's driver folder", .module = "tqswitch", .framework = framework,
       .folders = {"T:\\VXIPNP\\WinNT\\tqswitch"}, .result = CFPFile::FOUND, .kind = CFPFile::C_SOURCE,
       .folder = "T:\\VXIPNP\\WinNT\\tqswitch", .code = "T:\\VXIPNP\\WinNT\\tqswitch\\tqswitch.c",
       .header = "T:\\VXIPNP\\WinNT\\include\\tqswitch.h", .names = {"tqswitch_init", "tqswitch_close", "tqswitch_reset"}},
      {.what = "a folder without code goes on to the next; outside the framework an object file, no header",
       .module = "tqdual", .framework = framework, .folders = {"T:\\Work\\a", "T:\\Work\\b"},
       .result = CFPFile::FOUND_WITHOUT_HEADER, .kind = CFPFile::OBJECT, .folder = "T:\\Work\\b",
       .code = "T:\\Work\\b\\tqdual.obj", .header = "", .names = {"second"}},
      {.what = "no framework: every folder is inside, the library looked for below the root first",
       .module = "tqplain", .framework = "", .folders = {"T:\\Work\\c"}, .result = CFPFile::FOUND_WITHOUT_HEADER,
       .kind = CFPFile::LIBRARY, .folder = "T:\\Work\\c", .code = "T:\\Work\\c\\tqplain.lib", .header = "",
       .names = {"meter_init", "meter_close"}},
      {.what = "a panel file but no code in any folder", .module = "tqnolib", .framework = framework,
       .folders = {"T:\\VXIPNP\\WinNT\\tqnolib", "T:\\Work\\a"}, .result = CFPFile::NO_CODE_FILE,
       .kind = CFPFile::NOTHING, .folder = "T:\\VXIPNP\\WinNT\\tqnolib", .code = "", .header = "", .names = {}},
      {.what = "no folder holds the panel file", .module = "absent", .framework = framework,
       .folders = {"T:\\Work\\a", "T:\\Work\\b"}, .result = CFPFile::NO_PANEL_FILE, .kind = CFPFile::NOTHING,
       .folder = "", .code = "", .header = "", .names = {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CFPFile file;
    EXPECT_EQ(file.Find(row.module, row.framework, row.folders), row.result);
    EXPECT_EQ(file.GetKind(), row.kind);
    EXPECT_EQ(std::string(file.GetFolder()), row.folder);
    EXPECT_TRUE(std::string(file.GetModule().m_path).empty() || file.GetModule().m_flag);
    EXPECT_EQ(file.GetModule().m_path.CompareNoCase(row.code), 0) << file.GetModule().m_path;
    EXPECT_EQ(file.GetHeader().m_path.CompareNoCase(row.header), 0) << file.GetHeader().m_path;
    EXPECT_EQ(NamesOf(file), row.names);
    EXPECT_EQ(file.GetNameCount(), static_cast<int>(row.names.size()));
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(FPFileTest, PanelFilesThatAreNotWholeAreInvalid) {
  WriteDisk("Work/x.c", "");
  WriteDisk("Work/x.h", "");
  std::string crlf = Panel{.tableOffset = 0x0D0A, .entries = {std::string(22, 'n') + "_fp"}}.Bytes();
  ASSERT_EQ(crlf[0x0D0A + 7], '\x1A') << "an entry length of 0x1A";
  std::string negative = Panel{.tableOffset = 0}.Bytes();
  Panel::Put(negative, 36, 0x80000000);
  const struct {
    const char* what;
    std::string bytes;
    int result;
    Texts names = {};
  } rows[] = {
      {.what = "version 4", .bytes = Panel{.version = 4}.Bytes(), .result = CFPFile::FOUND,
       .names = {"meter_init", "meter_close"}},
      {.what = "CR LF and Ctrl-Z in the numbers", .bytes = crlf, .result = CFPFile::FOUND,
       .names = {std::string(22, 'n')}},
      {.what = "no name table", .bytes = Panel{.tableOffset = 0}.Bytes(), .result = CFPFile::FOUND, .names = {}},
      {.what = "a negative table offset", .bytes = negative,
       .result = CFPFile::FOUND, .names = {}},
      {.what = "an entry of three characters or fewer gives an empty name", .bytes = Panel{.entries = {"_fp", "ab"}}.Bytes(),
       .result = CFPFile::FOUND, .names = {"", ""}},
      {.what = "an entry of 259 bytes", .bytes = Panel{.entries = {std::string(255, 'm') + "_fp"}}.Bytes(),
       .result = CFPFile::FOUND, .names = {std::string(255, 'm')}},
      {.what = "version 6", .bytes = Panel{.version = 6}.Bytes(), .result = CFPFile::INVALID},
      {.what = "bad magic", .bytes = Panel{.magic = 0x73FE01BB}.Bytes(), .result = CFPFile::INVALID},
      {.what = "no bytes", .bytes = "", .result = CFPFile::INVALID},
      {.what = "a header cut short", .bytes = Panel{}.Bytes().substr(0, 39), .result = CFPFile::INVALID},
      {.what = "a table offset past the end", .bytes = Panel{.tableOffset = 64}.Bytes().substr(0, 60),
       .result = CFPFile::INVALID},
      {.what = "a count past the end", .bytes = Panel{.count = 3}.Bytes(), .result = CFPFile::INVALID},
      {.what = "an entry running past the end", .bytes = Panel{.cut = 2}.Bytes(), .result = CFPFile::INVALID},
      {.what = "an entry of 260 bytes", .bytes = Panel{.entries = {std::string(256, 'm') + "_fp"}}.Bytes(),
       .result = CFPFile::INVALID},
      {.what = "an entry without its NUL", .bytes = Panel{.entries = {"meter_init_fp"}, .cut = 1}.Bytes() + "Z",
       .result = CFPFile::INVALID},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    WriteDisk("Work/x.fp", row.bytes);
    CFPFile file;
    EXPECT_EQ(file.Find("x", "T:\\VXIPNP\\WinNT", CPathSet{"T:\\Work"}), row.result);
    EXPECT_EQ(NamesOf(file), row.names);
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

}  // namespace
