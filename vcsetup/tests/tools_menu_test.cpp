// Entries of the Tools menu over the sample user's five (the old help at #2): adding one with its
// eleven values, a name already there, removing one in the middle, the last, an absent one, and
// failures that must leave every entry in place.
#include "ToolsMenu.h"

#include <functional>

#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

using Value = sandbox::RegistryValue;

Value Sz(const std::string& text) {
  Value value{REG_SZ, std::vector<uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}
Value Dword(uint32_t n) {
  return Value{REG_DWORD, {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)}};
}

// Menu name of every entry "NumTools" counts.
std::vector<std::string> MenuNames() {
  std::vector<std::string> names;
  const uint32_t count = sandbox::RegistryGetDword(kToolsKey, "NumTools").value_or(0);
  for (uint32_t n = 0; n < count; ++n)
    names.push_back(sandbox::RegistryGetString(kToolsKey, "MenuName#" + std::to_string(n)).value_or("(none)"));
  return names;
}

// The eleven values of entry n in the order they are written, with their types.
std::vector<std::pair<std::string, Value>> Entry(int n) {
  std::vector<std::pair<std::string, Value>> values;
  for (const char* field :
       {"MenuName", "PathName", "DefaultArguments", "InitialDirectory", "OutputRedirect", "UseSearchPath",
        "ReloadNoPrompt", "CloseWindow", "AskArgument", "VisibleOnMenu", "GUITool"}) {
    const std::string name = std::string(field) + "#" + std::to_string(n);
    values.emplace_back(name, sandbox::RegistryGet(kToolsKey, name).value_or(Value{}));
  }
  return values;
}

class ToolsMenu : public SampleWorld {
 protected:
  void SetUp() override {
    SampleWorld::SetUp();
    LoadUser();
  }
};

const std::vector<std::string> kSampleMenu = {"&Module Viewer", "M&essage Tracer", "&Tallyforge++ Help",
                                              "&Error Finder", "&Scratch Pad"};

TEST_F(ToolsMenu, AnEntryIsAddedAtTheEndWithItsElevenValues) {
  ASSERT_EQ(MenuNames(), kSampleMenu);
  EXPECT_TRUE(AddToolsMenuEntry("Sablewing Reference", "C:\\Sablewing\\Help\\tqkey.exe", "/f \"x.chm\"", "C:\\Work"));
  EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 6u);
  const std::vector<std::pair<std::string, Value>> expected = {
      {"MenuName#5", Sz("Sablewing Reference")}, {"PathName#5", Sz("C:\\Sablewing\\Help\\tqkey.exe")},
      {"DefaultArguments#5", Sz("/f \"x.chm\"")}, {"InitialDirectory#5", Sz("C:\\Work")},
      {"OutputRedirect#5", Dword(0)}, {"UseSearchPath#5", Dword(0)}, {"ReloadNoPrompt#5", Dword(0)},
      {"CloseWindow#5", Dword(0)}, {"AskArgument#5", Dword(0)}, {"VisibleOnMenu#5", Dword(1)},
      {"GUITool#5", Dword(1)}};
  EXPECT_EQ(Entry(5), expected);
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

TEST_F(ToolsMenu, AddingWhatCannotBeAddedChangesNothing) {
  const struct {
    const char* name;
    const char* menuName;
    std::function<void()> arrange;
    bool result;
  } rows[] = {
      {.name = "the name is there", .menuName = "&Scratch Pad", .arrange = [] {}, .result = true},
      {.name = "no Tools key", .menuName = "Sablewing Reference",
       .arrange = [] { sandbox::RegistryDeleteKey(kToolsKey); }, .result = false},
      {.name = "no NumTools", .menuName = "Sablewing Reference",
       .arrange = [] { DeleteValue(kToolsKey, "NumTools"); },
       .result = false},
      {.name = "the first value cannot be written", .menuName = "Sablewing Reference",
       .arrange = [] { sandbox::RegistryInjectFailure(kToolsKey, "set", ERROR_ACCESS_DENIED, 1); }, .result = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryClearFailures();
    sandbox::RegistryDeleteKey(kToolsKey);
    LoadUser();
    row.arrange();
    const std::string before = sandbox::RegistryExport();
    EXPECT_EQ(AddToolsMenuEntry(row.menuName, "C:\\x.exe", "", "") != FALSE, row.result);
    EXPECT_EQ(sandbox::RegistryExport(), before);
  }
}

TEST_F(ToolsMenu, MenuNamesCompareWithTheirCase) {
  EXPECT_TRUE(AddToolsMenuEntry("&scratch pad", "C:\\x.exe", "", ""));
  EXPECT_EQ(MenuNames().back(), "&scratch pad");
  EXPECT_TRUE(RemoveToolsMenuEntry("&TALLYFORGE++ HELP"));
  EXPECT_EQ(MenuNames().size(), 6u) << "another case is another name";
}

TEST_F(ToolsMenu, RemovingMovesTheLaterEntriesDown) {
  const struct {
    const char* name;
    const char* menuName;
    std::vector<std::string> menu;
    // Entry that holds, afterwards, the values the fixture had at entry `from`.
    int at, from;
  } rows[] = {
      {.name = "#2 of 5", .menuName = "&Tallyforge++ Help",
       .menu = {"&Module Viewer", "M&essage Tracer", "&Error Finder", "&Scratch Pad"}, .at = 2, .from = 3},
      {.name = "the last", .menuName = "&Scratch Pad",
       .menu = {"&Module Viewer", "M&essage Tracer", "&Tallyforge++ Help", "&Error Finder"}, .at = 3, .from = 3},
      {.name = "the first", .menuName = "&Module Viewer",
       .menu = {"M&essage Tracer", "&Tallyforge++ Help", "&Error Finder", "&Scratch Pad"}, .at = 3, .from = 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryDeleteKey(kToolsKey);
    LoadUser();
    auto moved = Entry(row.from);
    for (auto& [name, value] : moved) name = name.substr(0, name.find('#') + 1) + std::to_string(row.at);
    EXPECT_TRUE(RemoveToolsMenuEntry(row.menuName));
    EXPECT_EQ(MenuNames(), row.menu);
    EXPECT_EQ(Entry(row.at), moved) << "with every value's type and data";
  }
  // After #2 of 5 nothing numbered 4 is left.
  sandbox::RegistryDeleteKey(kToolsKey);
  LoadUser();
  ASSERT_TRUE(RemoveToolsMenuEntry("&Tallyforge++ Help"));
  for (const auto& [name, value] : Entry(4)) EXPECT_EQ(value, Value{}) << name;
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

TEST_F(ToolsMenu, ARemovalThatCannotFinishLosesNoEntry) {
  const struct {
    const char* name;
    const char* menuName;
    const char* failure;  // operation injected once on the Tools key, null for none
    bool result;
  } rows[] = {
      {.name = "absent", .menuName = "&Help Viewer", .failure = nullptr, .result = true},
      {.name = "the values cannot be listed", .menuName = "&Tallyforge++ Help", .failure = "enum", .result = false},
      {.name = "an entry cannot be moved", .menuName = "&Tallyforge++ Help", .failure = "set", .result = false},
      {.name = "no Tools key", .menuName = "&Tallyforge++ Help", .failure = "open", .result = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryClearFailures();
    sandbox::RegistryDeleteKey(kToolsKey);
    LoadUser();
    if (row.failure) sandbox::RegistryInjectFailure(kToolsKey, row.failure, ERROR_ACCESS_DENIED, 1);
    const std::string before = sandbox::RegistryExport();
    EXPECT_EQ(RemoveToolsMenuEntry(row.menuName) != FALSE, row.result);
    EXPECT_EQ(sandbox::RegistryExport(), before);
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
  }
  // A move that fails half way puts back what had moved: no entry is shown twice.
  sandbox::RegistryDeleteKey(kToolsKey);
  LoadUser();
  const std::string before = sandbox::RegistryExport();
  sandbox::RegistryInjectFailure(kToolsKey, "delete", ERROR_ACCESS_DENIED, 1);
  EXPECT_FALSE(RemoveToolsMenuEntry("&Tallyforge++ Help"));
  EXPECT_EQ(sandbox::RegistryExport(), before);
}

// A removal cut short (the program ended half way through moving the entries) shows one entry
// twice; the next removal, of any name, first finishes it from the record it left.
TEST_F(ToolsMenu, ARemovalCutShortIsFinishedByTheNext) {
  std::string cut;
  // The record takes 35 values (three entries, the position, the count); the 50th set is in the
  // middle of moving the entries down, one menu name moved already.
  sandbox::BeforeNthRegistryCall("set", 50, [&] { cut = sandbox::RegistryExport(); });
  ASSERT_TRUE(RemoveToolsMenuEntry("&Tallyforge++ Help"));
  const std::string removed = sandbox::RegistryExport();
  sandbox::RegistryClear();
  ASSERT_TRUE(sandbox::RegistryImport(cut));
  EXPECT_EQ(MenuNames(), (std::vector<std::string>{"&Module Viewer", "M&essage Tracer", "&Error Finder",
                                                   "&Error Finder", "&Scratch Pad"}));
  EXPECT_TRUE(RemoveToolsMenuEntry("&Help Viewer"));
  EXPECT_EQ(sandbox::RegistryExport(), removed);
}

// A count far beyond the entries there are is neither walked nor grown past its largest value.
TEST_F(ToolsMenu, ACountBeyondTheEntriesCostsNothingAndNeverWraps) {
  sandbox::RegistrySetDword(kToolsKey, "NumTools", 0xFFFFFFFF);
  EXPECT_TRUE(RemoveToolsMenuEntry("&Tallyforge++ Help"));
  EXPECT_EQ(sandbox::RegistryGetDword(kToolsKey, "NumTools"), 0xFFFFFFFEu);
  EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#3"), "&Scratch Pad");
  EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#4"), std::nullopt);
  sandbox::RegistrySetDword(kToolsKey, "NumTools", 0xFFFFFFFF);
  const std::string before = sandbox::RegistryExport();
  EXPECT_FALSE(AddToolsMenuEntry("Sablewing Reference", "r.exe", "", ""));
  EXPECT_EQ(sandbox::RegistryExport(), before);
}

}  // namespace
}  // namespace vcsetup_test
