// What the INI tests share: the object's contents as one text (from its records, so repeated
// sections and quoted flags show), and reading INI text from a file on the sandbox drive.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ini/IniFile.h"
#include "ini/IniFileData.h"
#include "sandbox/test_support.h"

namespace initest {

// "[name@line]" per section, then "tag=value@line" per item, the value in double quotes when the
// item is quoted; one per line.
inline std::string Contents(IniFile file) {
  std::string text;
  for (int s = 1; s <= ItemListCount(file->sections); ++s) {
    const IniSection* section = PointerAt<IniSection>(file->sections, s);
    text += "[" + std::string(section->name) + "@" + std::to_string(section->line) + "]\n";
    for (int i = 1; i <= ItemListCount(section->items); ++i) {
      const IniItem* item = PointerAt<IniItem>(section->items, i);
      const std::string value = item->quoted ? "\"" + std::string(item->value) + "\"" : std::string(item->value);
      text += std::string(item->tag) + "=" + value + "@" + std::to_string(item->line) + "\n";
    }
  }
  return text;
}

// A test with drive T: and an INI object that the test owns.
class IniTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  void TearDown() override {
    for (IniFile file : owned_) IniFileFree(file);
  }
  IniFile Make(int sorted = 0) {
    IniFile file = IniFileMake(sorted);
    owned_.push_back(file);
    return file;
  }
  // A new object holding `bytes` read from T:\<name>.
  IniFile ReadText(const std::string& bytes, int sorted = 0, const std::string& name = "in.ini") {
    WriteDisk(name, bytes);
    IniFile file = Make(sorted);
    EXPECT_EQ(IniFileRead(file, ("T:\\" + name).c_str()), 0);
    return file;
  }

 private:
  std::vector<IniFile> owned_;
};

}  // namespace initest
