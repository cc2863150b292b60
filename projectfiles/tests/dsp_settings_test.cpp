// Compiler and linker lines: how their arguments are cut, how settings read and write, and how a
// line continued with a backslash keeps its breaks through edits.
#include "dsp/DspConfigEntries.h"
#include "dsp/DspConfigSet.h"
#include "dsp/DspLine.h"
#include "dsp/DspLookupTables.h"
#include "dsp_test_support.h"

using namespace projectfiles_test;

namespace {

std::string Joined(const std::vector<CString>& tokens) {
  std::string joined;
  for (const CString& token : tokens) joined += "[" + std::string(token) + "]";
  return joined;
}

TEST(DspArguments, SplitAtWhiteSpaceOutsideQuotes) {
  struct Row {
    const char* text;
    const char* tokens;
  } rows[] = {
      {.text = "/nologo  /W3\t/c  ", .tokens = "[/nologo][/W3][/c]"},
      {.text = "/I \"C:\\Program Files\\x\\include\" /c", .tokens = "[/I][\"C:\\Program Files\\x\\include\"][/c]"},
      {.text = "/libpath:\"C:\\Program Files\\x\" a.lib", .tokens = "[/libpath:\"C:\\Program Files\\x\"][a.lib]"},
      {.text = "/Yu\"stdafx.h\" /Fo\"Release/\"", .tokens = "[/Yu\"stdafx.h\"][/Fo\"Release/\"]"},
      {.text = "/D \"A  B\"C /W3", .tokens = "[/D][\"A  B\"C][/W3]"},
      // A quote no other quote follows groups nothing.
      {.text = "/D \"A\" /D \"B /W3", .tokens = "[/D][\"A\"][/D][\"B][/W3]"},
      {.text = "", .tokens = ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::vector<CString> tokens;
    SplitDspArguments(row.text, tokens);
    EXPECT_EQ(Joined(tokens), row.tokens);
  }
}

TEST(DspArguments, DoubleByteCharacterStaysWhole) {
  sandbox::SetCodePage(932);
  // The double-byte blank (0x81 0x40) is no white space, and a quote after a character whose
  // trail byte is 0x5C still closes.
  std::vector<CString> tokens;
  SplitDspArguments("/I \x83\x5C\x81\x40x /I \"a \x83\x5C\" /c", tokens);
  EXPECT_EQ(Joined(tokens), "[/I][\x83\x5C\x81\x40x][/I][\"a \x83\x5C\"][/c]");
}

TEST(DspCompilerSettings, TokensBecomeSettings) {
  CDspCPPConfigEntry entry(false, CDspConfigEntry::opAdd);
  entry.AddArguments({"/D", "\"_DEBUG\"", "-W3", "/Zi", "/Yu\"stdafx.h\"", "/I"}, {});
  struct Row {
    int kind;
    const char* switchText;
    const char* text;
  } rows[] = {
      {.kind = dspSwitchOther, .switchText = "/D", .text = "/D \"_DEBUG\""},
      {.kind = dspSwitchOther, .switchText = "-W3", .text = "-W3"},
      {.kind = dspSwitchZi, .switchText = "", .text = "/Zi"},
      {.kind = dspSwitchOther, .switchText = "/Yu\"stdafx.h\"", .text = "/Yu\"stdafx.h\""},
      {.kind = dspSwitchOther, .switchText = "/I", .text = "/I"},
  };
  ASSERT_EQ(entry.GetSettingCount(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    CString text;
    entry.GetSetting(i)->GetText(text);
    EXPECT_EQ(entry.GetSetting(i)->GetKind(), rows[i].kind);
    EXPECT_STREQ(entry.GetSetting(i)->GetSwitch(), rows[i].switchText);
    EXPECT_STREQ(text, rows[i].text);
  }
  entry.GetSetting(2)->Set(dspSwitchZI, "");
  CString text;
  entry.GetSetting(2)->GetText(text);
  EXPECT_STREQ(text, "/ZI");
  ThrownMessage<TQ::CTqIndexException>([&] { entry.GetSetting(5); });
  ThrownMessage<TQ::CTqIndexException>([&] { entry.RemoveSetting(-1); });
}

class DspContinuedLine : public DspTest {
 protected:
  // The configuration of a project whose compiler and linker lines are continued.
  void SetUp() override {
    DspTest::SetUp();
    const std::string project =
        "# Microsoft Developer Studio Project File - Name=\"C\" - Package Owner=<4>\r\n"
        "!IF  \"$(CFG)\" == \"C - Win32 Debug\"\r\n"
        "# PROP Use_MFC 0\r\n"
        "# ADD CPP /nologo /W3 \\\r\n"
        "\t/D \"A\" /D \\\r\n"
        "  \"B\" /c\r\n"
        "# ADD LINK32 a.lib \\\r\n"
        "    b.lib\r\n"
        "!ENDIF \r\n"
        "# Begin Target\r\n"
        "# End Target\r\n";
    WriteDisk("c.dsp", project);
    Read("T:\\c.dsp");
    config_ = file_.GetConfiguration(0);
  }
  std::string ConfigurationText() {
    const std::string bytes = WrittenBytes();
    const size_t begin = bytes.find("# ADD CPP");
    return bytes.substr(begin, bytes.find("!ENDIF") - begin);
  }
  CDspConfig* config_ = nullptr;
};

TEST_F(DspContinuedLine, WritesBackWithItsBreaks) {
  EXPECT_EQ(config_->GetCompilerEntry()->GetSettingCount(), 5);
  EXPECT_EQ(config_->GetLinkerEntry()->GetArgumentCount(), 2);
  // The break between "/D" and its value moves before the setting.
  EXPECT_EQ(ConfigurationText(),
            "# ADD CPP /nologo /W3 \\\r\n\t/D \"A\" \\\r\n  /D \"B\" /c\r\n"
            "# ADD LINK32 a.lib \\\r\n    b.lib\r\n");
}

TEST_F(DspContinuedLine, EditsKeepTheBreaksThatStillFit) {
  CDspCPPConfigEntry* compiler = config_->GetCompilerEntry();
  compiler->RemoveSetting(2);  // /D "A", the first setting of the second line
  compiler->AddSetting(new CDspCPPCompilerSetting("/GZ", ""));
  CDspLink32ConfigEntry* linker = config_->GetLinkerEntry();
  linker->RemoveArgument(1);  // the only argument of the second line: no dangling backslash
  linker->AddArgument("c.lib");
  EXPECT_EQ(ConfigurationText(),
            "# ADD CPP /nologo /W3 \\\r\n  /D \"B\" /c /GZ\r\n"
            "# ADD LINK32 a.lib c.lib\r\n");
}

// An unbalanced quote groups with the next quote on its line. Where settings come to follow it on
// one line (a second ADD CPP line merged into the first, a setting added), each one that holds a
// quote goes on a continuation line of its own, so that the line reads back as it was written.
TEST_F(DspTest, SettingsAfterAnUnbalancedQuoteReadBackAsWritten) {
  const std::string project =
      "# Microsoft Developer Studio Project File - Name=\"Q\" - Package Owner=<4>\r\n"
      "!IF  \"$(CFG)\" == \"Q - Win32 Debug\"\r\n"
      "# PROP Use_MFC 0\r\n"
      "# ADD CPP /D \"A\r\n"
      "# ADD CPP /I \"C:\\a  b\" /c\r\n"
      "# ADD LINK32 \"a.lib\r\n"
      "!ENDIF \r\n"
      "# Begin Target\r\n"
      "# End Target\r\n";
  WriteDisk("q.dsp", project);
  Read("T:\\q.dsp");
  file_.GetConfiguration(0)->GetLinkerEntry()->AddArgument("/libpath:\"C:\\p  q\"");
  const std::string written = WrittenBytes("T:\\q.dsp");
  EXPECT_NE(written.find("# ADD CPP /D \"A \\\r\n  /I \"C:\\a  b\" /c\r\n"
                         "# ADD LINK32 \"a.lib \\\r\n  /libpath:\"C:\\p  q\"\r\n"),
            std::string::npos)
      << written;
  auto settings = [](CDspConfig* config) {
    std::string text;
    CDspCPPConfigEntry* compiler = config->GetCompilerEntry();
    for (int i = 0; i < compiler->GetSettingCount(); ++i) {
      CString setting;
      compiler->GetSetting(i)->GetText(setting);
      text += "[" + std::string(setting) + "]";
    }
    CDspLink32ConfigEntry* linker = config->GetLinkerEntry();
    for (int i = 0; i < linker->GetArgumentCount(); ++i) text += "[" + std::string(linker->GetArgument(i)) + "]";
    return text;
  };
  const std::string before = settings(file_.GetConfiguration(0));
  EXPECT_EQ(before, "[/D \"A][/I \"C:\\a  b\"][/c][\"a.lib][/libpath:\"C:\\p  q\"]");
  Read("T:\\q.dsp");
  EXPECT_EQ(settings(file_.GetConfiguration(0)), before);
  EXPECT_EQ(WrittenBytes(), written);
}

}  // namespace
