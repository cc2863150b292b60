// What the reader makes of a project file: the configurations and their remembered lines, the
// compiler settings and linker arguments, the target's groups and files, and the sections.
#include "dsp/DspConfigEntries.h"
#include "dsp/DspConfigSet.h"
#include "dsp/DspLookupTables.h"
#include "dsp/DspSection.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"
#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"
#include "dsp_test_support.h"

using namespace projectfiles_test;

namespace {

CString TextOf(const CDspCPPCompilerSetting* setting) {
  CString text;
  setting->GetText(text);
  return text;
}

class DspModel : public DspTest {
 protected:
  CDspTargetFolderProxy* Proxy() { return file_.GetTarget()->FindFolderProxy(); }
  template <typename T>
  T* ChildAs(CDspFileEntryContainer* container, int index) {
    T* child = dynamic_cast<T*>(container->GetAt(index));
    EXPECT_NE(child, nullptr) << "child " << index;
    return child;
  }
};

TEST_F(DspModel, ConfigurationsAndTheirRememberedLines) {
  ReadFixture("MeterDll.dsp");
  EXPECT_STREQ(file_.GetProjectName(), "MeterDll");
  ASSERT_EQ(file_.GetConfigurationCount(), 2);
  EXPECT_STREQ(file_.GetConfiguration(0)->GetName(), "MeterDll - Win32 Release");
  CDspConfig* debug = file_.GetConfiguration(1);
  EXPECT_STREQ(debug->GetName(), "MeterDll - Win32 Debug");

  EXPECT_EQ(debug->GetMFCEntry()->GetKind(), 4) << "\"6\" is the fifth Use_MFC value";
  EXPECT_FALSE(debug->GetMFCEntry()->IsBase());

  CDspCPPConfigEntry* compiler = debug->GetCompilerEntry();
  EXPECT_FALSE(compiler->IsBase());
  EXPECT_STREQ(compiler->GetOperationText(), "ADD");
  struct Setting {
    int index;
    int kind;
    const char* switchText;
    const char* value;
  } settings[] = {
      {.index = 0, .kind = dspSwitchOther, .switchText = "/nologo", .value = ""},
      {.index = 5, .kind = dspSwitchZI, .switchText = "", .value = ""},
      {.index = 7, .kind = dspSwitchOther, .switchText = "/I", .value = "\"C:\\Program Files\\Sablewing\\include\""},
      {.index = 9, .kind = dspSwitchOther, .switchText = "/D", .value = "\"_DEBUG\""},
      {.index = 16, .kind = dspSwitchOther, .switchText = "/Yu\"stdafx.h\"", .value = ""},
  };
  for (const Setting& row : settings) {
    SCOPED_TRACE(row.index);
    const CDspCPPCompilerSetting* setting = compiler->GetSetting(row.index);
    EXPECT_EQ(setting->GetKind(), row.kind);
    EXPECT_STREQ(setting->GetSwitch(), row.switchText);
    EXPECT_STREQ(setting->GetValue(), row.value);
  }
  EXPECT_STREQ(TextOf(compiler->GetSetting(5)), "/ZI");
  EXPECT_STREQ(TextOf(compiler->GetSetting(9)), "/D \"_DEBUG\"");
  EXPECT_EQ(compiler->GetSettingCount(), 20);

  CDspLink32ConfigEntry* linker = debug->GetLinkerEntry();
  ASSERT_EQ(linker->GetArgumentCount(), 9);
  EXPECT_STREQ(linker->GetArgument(0), "TqInterfaceD.lib");
  EXPECT_STREQ(linker->GetArgument(8), "/libpath:\"C:\\Program Files\\Sablewing\\lib\"");
}

TEST_F(DspModel, GroupsAndSourceFilesOfTheTarget) {
  ReadFixture("MeterDll.dsp");
  CDspTargetFolderProxy* proxy = Proxy();
  ASSERT_NE(proxy, nullptr);
  ASSERT_EQ(proxy->GetCount(), 5) << "four groups and ReadMe.txt";
  const char* groups[] = {"Source Files", "Header Files", "Resource Files", "Sablewing"};
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(ChildAs<CDspTargetFolder>(proxy, i)->GetName(), groups[i]);
  EXPECT_STREQ(ChildAs<CDspTargetFile>(proxy, 4)->GetSourcePath(), ".\\ReadMe.txt");

  CDspTargetFolder* sources = ChildAs<CDspTargetFolder>(proxy, 0);
  EXPECT_STREQ(sources->GetDefaultFilter()->GetFilter(), "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat");
  // Per-file compiler lines between per-file conditionals all belong to the file; the first
  // ADD and the first SUBTRACT line are remembered, a BASE line is verbatim.
  CDspTargetFile* math = ChildAs<CDspTargetFile>(sources, 6);
  EXPECT_STREQ(math->GetSourcePath(), ".\\MeterMath.c");
  CDspCPPConfigEntry* add = nullptr;
  CDspCPPConfigEntry* subtract = nullptr;
  ASSERT_TRUE(math->GetAddCompilerEntry(add));
  ASSERT_TRUE(math->GetSubtractCompilerEntry(subtract));
  EXPECT_STREQ(TextOf(add->GetSetting(0)), "/W4");
  EXPECT_EQ(subtract->GetSettingCount(), 3);
  EXPECT_EQ(math->IndexOf(subtract), 5) << "the Release configuration's SUBTRACT line is the first";
  EXPECT_NE(dynamic_cast<CDspFileUnknownEntry*>(math->GetAt(math->IndexOf(add) - 1)), nullptr) << "ADD BASE CPP";

  CDspTargetFile* readme = ChildAs<CDspTargetFile>(proxy, 4);
  EXPECT_FALSE(readme->GetAddCompilerEntry(add));
  EXPECT_EQ(add, nullptr);

  CDspTargetFolder* display = ChildAs<CDspTargetFolder>(ChildAs<CDspTargetFolder>(proxy, 3), 2);
  EXPECT_STREQ(display->GetName(), "Meter Display");
  CDspTargetFile* nested = ChildAs<CDspTargetFile>(display, 2);
  EXPECT_STREQ(nested->GetSourcePath(), "\"C:\\Program Files\\Sablewing\\source\\TqMeterDisplay.cpp\"");
  ASSERT_TRUE(nested->GetAddCompilerEntry(add));
  EXPECT_STREQ(TextOf(add->GetSetting(0)), "/I \"C:\\Program Files\\Sablewing\\source\"");
}

TEST_F(DspModel, SectionsOfTheProject) {
  ReadFixture("MeterDll.dsp");
  ASSERT_EQ(file_.GetSectionCount(), 2);
  CDspSection* sink = file_.GetSection(0);
  EXPECT_STREQ(sink->GetName(), "MeterDll");
  EXPECT_STREQ(sink->GetId(), "C03D9E15-8A42-47B6-B1F0-5D2A6E93C7A8");
  ASSERT_EQ(sink->GetCount(), 2);
  auto* header = dynamic_cast<CDspSectionEntry*>(sink->GetAt(0));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->GetKind(), dspSectionDefaultSinkHeaderFile);
  EXPECT_STREQ(header->GetValue(), "meterdisplay.h");
  EXPECT_EQ(file_.GetSection(-1), file_.GetSection(1));
  EXPECT_EQ(dynamic_cast<CDspSectionEntry*>(file_.GetSection(1)->GetAt(2))->GetKind(), dspSectionImplFile);
}

// The lines of the documented-changes fixture, as the model holds them.
TEST_F(DspModel, OddLinesOfAHandEditedFile) {
  ReadFixture("dsp_changes.dsp");
  CDspConfig* release = file_.GetConfiguration(0);
  EXPECT_EQ(release->GetMFCEntry()->GetKind(), dspUseMFCOther);
  EXPECT_STREQ(release->GetMFCEntry()->GetValueText(), "3");
  // Three "# ADD CPP" lines are one compiler entry; the quoted path keeps its double blank.
  CDspCPPConfigEntry* compiler = release->GetCompilerEntry();
  ASSERT_EQ(compiler->GetSettingCount(), 7);
  EXPECT_STREQ(compiler->GetSetting(2)->GetValue(), "\"C:\\Program  Files\\x\"");
  EXPECT_STREQ(TextOf(compiler->GetSetting(3)), "/D \"EXTRA\"");
  EXPECT_EQ(compiler->GetSetting(4)->GetKind(), dspSwitchZi);
  EXPECT_STREQ(TextOf(compiler->GetSetting(6)), "/D \"CONT\"") << "continued on the next line";
  // Trailing blanks add no argument; the second ADD LINK32 line is merged.
  CDspLink32ConfigEntry* linker = release->GetLinkerEntry();
  ASSERT_EQ(linker->GetArgumentCount(), 3);
  EXPECT_STREQ(linker->GetArgument(1), "/libpath:\"C:\\Program Files\\x\"");
  EXPECT_STREQ(linker->GetArgument(2), "two.lib");

  CDspConfig* unnamed = file_.GetConfiguration(1);
  EXPECT_STREQ(unnamed->GetName(), "") << "an opening line without \"==\"";
  // An unbalanced quote groups nothing.
  ASSERT_EQ(unnamed->GetCompilerEntry()->GetSettingCount(), 2);
  EXPECT_STREQ(unnamed->GetCompilerEntry()->GetSetting(1)->GetValue(), "\"unbalanced");
  // A backslash before a line of its own kind is an argument.
  ASSERT_EQ(unnamed->GetLinkerEntry()->GetArgumentCount(), 2);
  EXPECT_STREQ(unnamed->GetLinkerEntry()->GetArgument(1), "\\");

  // A condition with a second test keeps its line until the configuration is renamed.
  CDspConfig* compound = file_.GetConfiguration(2);
  EXPECT_STREQ(compound->GetName(), "Edge - Win32 Debug");
  EXPECT_STREQ(compound->GetOpeningLine(),
               "!ELSEIF  \"$(CFG)\" == \"Edge - Win32 Debug\" || \"$(CFG)\" == \"Edge - Win32 Test\"");
  EXPECT_STREQ(release->GetOpeningLine(), "") << "the usual form is rebuilt";
  compound->SetName("Edge - Win32 Test");
  EXPECT_STREQ(compound->GetOpeningLine(), "");

  CDspTargetFolderProxy* proxy = Proxy();
  ASSERT_EQ(proxy->GetCount(), 2);
  EXPECT_STREQ(ChildAs<CDspTargetFolder>(proxy, 1)->GetName(), "") << "a group line without quotes";
  EXPECT_EQ(file_.GetTarget()->IndexOf(proxy), 2) << "after the empty line and the # Name line";
  // Only the section named after the project with an id in braces is a section.
  ASSERT_EQ(file_.GetSectionCount(), 1);
  EXPECT_STREQ(file_.GetSection(0)->GetId(), "11111111-2222-3333-4444-555555555555");
  EXPECT_EQ(dynamic_cast<CDspSectionEntry*>(file_.GetSection(0)->GetAt(1))->GetKind(), dspSectionRawLine);
}

TEST_F(DspModel, TargetTypeKinds) {
  struct Row {
    const char* line;
    int kind;
  } rows[] = {
      {.line = "# TARGTYPE \"Win32 (x86) Application\" 0x0101", .kind = dspTargetApplication},
      {.line = "# TARGTYPE \"Win32 (x86) Static Library\" 0x0104", .kind = dspTargetStaticLibrary},
      {.line = "# TARGTYPE \"Win32 (x86) Generic Project\" 0x010a", .kind = dspTargetUtility},
      {.line = "# TARGTYPE \"Win32 (x86) Dynamic-Link Library\" 0x0102 \t ", .kind = dspTargetDynamicLibrary},
      {.line = "# TARGTYPE \"Win32 (x86) External Target\" 0x0105", .kind = dspTargetUnknown},
      {.line = "# TARGTYPE \"Win32 (ALPHA) Application\" 0x0601", .kind = dspTargetUnknown},
      {.line = "# TARGTYPE \"Win32 (x86) Application\" none", .kind = dspTargetUnknown},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(CDspTargetType(row.line).GetKind(), row.kind);
  }
}

}  // namespace
