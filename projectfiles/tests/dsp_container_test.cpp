// The entry containers: indexes, moves, ownership, and the children that containers remember.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsp/DspConfig.h"
#include "dsp/DspConfigEntries.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspFile.h"
#include "dsp/DspSection.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"
#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"
#include "editor_test_support.h"

using projectfiles_test::ThrownMessage;

namespace {

// A container of verbatim lines "a", "b", ...
class Lines : public CDspFileEntryContainer {
 public:
  explicit Lines(const std::string& names) {
    for (char c : names) (new CDspFileUnknownEntry(CString(c)))->InsertInto(*this, -1);
  }
  std::string Names() const {
    std::string names;
    for (int i = 0; i < GetCount(); ++i)
      names += static_cast<LPCTSTR>(static_cast<const CDspFileUnknownEntry*>(GetAt(i))->GetLine());
    return names;
  }
};

TEST(DspContainer, MovePutsTheEntryAtTheTargetIndex) {
  struct Row {
    int from;
    int to;
    const char* expected;
  } rows[] = {
      {.from = 0, .to = 3, .expected = "bcda"},  {.from = 3, .to = 0, .expected = "dabc"},
      {.from = 1, .to = 2, .expected = "acbd"},  {.from = 0, .to = -1, .expected = "bcda"},
      {.from = -1, .to = 0, .expected = "dabc"}, {.from = -1, .to = -1, .expected = "abcd"},
      {.from = 2, .to = 2, .expected = "abcd"},  {.from = -1, .to = 3, .expected = "abcd"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.from) + " -> " + std::to_string(row.to));
    Lines lines("abcd");
    lines.Move(row.from, row.to);
    EXPECT_EQ(lines.Names(), row.expected);
  }
}

TEST(DspContainer, IndexesOutsideTheListThrowAndChangeNothing) {
  Lines lines("abc");
  EXPECT_EQ(ThrownMessage<TQ::CTqIndexException>([&] { lines.GetAt(3); }),
            "Specified index: 3 is out of range. Valid range is 0 to 2");
  ThrownMessage<TQ::CTqIndexException>([&] { lines.GetAt(-2); });
  ThrownMessage<TQ::CTqIndexException>([&] { lines.Move(0, 3); });
  ThrownMessage<TQ::CTqIndexException>([&] { lines.Move(5, 0); });
  // The offered entry is deleted, not leaked (the sanitizer build checks).
  EXPECT_EQ(ThrownMessage<TQ::CTqIndexException>([&] { lines.InsertAt(new CDspFileUnknownEntry("x"), 4); }),
            "Specified index: 4 is out of range. Valid range is 0 to 3");
  EXPECT_EQ(lines.Names(), "abc");
  lines.InsertAt(new CDspFileUnknownEntry("x"), 3);
  EXPECT_EQ(lines.Names(), "abcx");
  Lines empty("");
  ThrownMessage<TQ::CTqIndexException>([&] { empty.GetAt(-1); });
  EXPECT_EQ(lines.GetAt(-1), lines.GetAt(3));
}

TEST(DspContainer, DeleteFindsByIdentity) {
  Lines lines("abc");
  CDspFileUnknownEntry stranger("b");
  lines.Delete(&stranger);
  EXPECT_EQ(lines.Names(), "abc");
  lines.Delete(lines.GetAt(1));
  EXPECT_EQ(lines.Names(), "ac");
}

CDspCPPConfigEntry* CompilerLine(bool base, int operation, std::vector<CString> tokens) {
  auto* entry = new CDspCPPConfigEntry(base, operation);
  entry->AddArguments(tokens, {});
  return entry;
}

TEST(DspConfigRules, SecondAddCompilerLineMergesIntoTheFirst) {
  CDspConfig config("x");
  CompilerLine(true, CDspConfigEntry::opAdd, {"/W3"})->InsertInto(config, -1);
  CompilerLine(false, CDspConfigEntry::opAdd, {"/nologo"})->InsertInto(config, -1);
  CompilerLine(false, CDspConfigEntry::opSubtract, {"/YX"})->InsertInto(config, -1);
  CompilerLine(false, CDspConfigEntry::opAdd, {"/D", "\"A\"", "/c"})->InsertInto(config, -1);
  EXPECT_EQ(config.GetCount(), 3) << "BASE and SUBTRACT lines stand as they are";
  CDspCPPConfigEntry* compiler = config.GetCompilerEntry();
  EXPECT_EQ(config.IndexOf(compiler), 1);
  ASSERT_EQ(compiler->GetSettingCount(), 3);
  EXPECT_STREQ(compiler->GetSetting(1)->GetValue(), "\"A\"");
}

TEST(DspConfigRules, SecondAddLinkerLineMergesIntoTheFirst) {
  CDspConfig config("x");
  for (const char* lib : {"a.lib", "b.lib"}) {
    auto* linker = new CDspLink32ConfigEntry(false, CDspConfigEntry::opAdd);
    linker->AddArgument(lib);
    linker->InsertInto(config, -1);
  }
  EXPECT_EQ(config.GetCount(), 1);
  EXPECT_EQ(config.GetLinkerEntry()->GetArgumentCount(), 2);
  config.GetLinkerEntry()->RemoveArgument(0);
  EXPECT_STREQ(config.GetLinkerEntry()->GetArgument(0), "b.lib");
  ThrownMessage<TQ::CTqIndexException>([&] { config.GetLinkerEntry()->GetArgument(1); });
}

TEST(DspConfigRules, SecondUseMFCLineIsRefusedAndTheConfigurationUnchanged) {
  CDspConfig config("x");
  (new CDspMFCConfigEntry(true, "2"))->InsertInto(config, -1);
  (new CDspMFCConfigEntry(false, "2"))->InsertInto(config, -1);
  CDspMFCConfigEntry* remembered = config.GetMFCEntry();
  EXPECT_EQ(ThrownMessage<TQ::CInvalidProjectFormatException>(
                [&] { (new CDspMFCConfigEntry(false, "0"))->InsertInto(config, -1); }),
            "Unknown/invalid project file format.");
  EXPECT_EQ(config.GetCount(), 2);
  EXPECT_EQ(config.GetMFCEntry(), remembered);
}

// A removed child is no longer remembered: nothing points at a deleted entry.
TEST(DspConfigRules, RemovedChildrenAreForgotten) {
  CDspConfig config("x");
  CompilerLine(false, CDspConfigEntry::opAdd, {"/c"})->InsertInto(config, -1);
  config.Delete(config.GetCompilerEntry());
  EXPECT_EQ(config.GetCompilerEntry(), nullptr);
  CompilerLine(false, CDspConfigEntry::opAdd, {"/W4"})->InsertInto(config, -1);
  ASSERT_NE(config.GetCompilerEntry(), nullptr);
  EXPECT_EQ(config.GetCompilerEntry()->GetSettingCount(), 1);

  CDspFile file;
  auto* section = new CDspSection("P", "ID");
  section->InsertInto(file, -1);
  (new CDspTarget("# Begin Target"))->InsertInto(file, -1);
  section->RemoveFrom(file);
  EXPECT_EQ(file.GetSectionCount(), 0);
  file.Delete(file.GetTarget());
  EXPECT_EQ(file.GetTarget(), nullptr);
  EXPECT_EQ(file.GetCount(), 0);
}

TEST(DspTargetProxy, GroupsAndFilesGoIntoOneProxyWhereTheFirstStood) {
  CDspTarget target("# Begin Target");
  (new CDspFileUnknownEntry(""))->InsertInto(target, -1);
  (new CDspTargetFolder("Source Files"))->InsertInto(target, -1);
  (new CDspFileUnknownEntry("# late"))->InsertInto(target, -1);
  (new CDspTargetFile)->InsertInto(target, -1);
  (new CDspTargetFolder("First"))->InsertInto(target, 0);
  ASSERT_EQ(target.GetCount(), 3);
  CDspTargetFolderProxy* proxy = target.FindFolderProxy();
  EXPECT_EQ(target.IndexOf(proxy), 1);
  ASSERT_EQ(proxy->GetCount(), 3);
  EXPECT_STREQ(static_cast<CDspTargetFolder*>(proxy->GetAt(0))->GetName(), "First");
  EXPECT_EQ(target.GetFolderProxy(), proxy);

  CDspTarget bare;
  CDspTargetFolderProxy* made = bare.GetFolderProxy();
  EXPECT_EQ(bare.GetCount(), 1);
  bare.Delete(made);
  EXPECT_EQ(bare.FindFolderProxy(), nullptr);
}

TEST(DspFolder, DefaultFilterAlwaysAppendsAndTheFirstIsRemembered) {
  CDspTargetFolder folder("G");
  (new CDspFileUnknownEntry(""))->InsertInto(folder, -1);
  auto* first = new CDspTargetDefaultFilter("cpp");
  first->InsertInto(folder, 0);
  (new CDspTargetDefaultFilter("h"))->InsertInto(folder, 0);
  EXPECT_EQ(folder.IndexOf(first), 1);
  EXPECT_EQ(folder.GetDefaultFilter(), first);
}

TEST(DspEntries, OperationTexts) {
  EXPECT_STREQ(CDspCPPConfigEntry(false, CDspConfigEntry::opAdd).GetOperationText(), "ADD");
  EXPECT_STREQ(CDspCPPConfigEntry(false, CDspConfigEntry::opSubtract).GetOperationText(), "SUBTRACT");
  EXPECT_STREQ(CDspMFCConfigEntry(false, "0").GetOperationText(), "PROP");
  EXPECT_STREQ(CDspCPPConfigEntry(false, 7).GetOperationText(), "");
}

}  // namespace
