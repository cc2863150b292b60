// REGEDIT4 text: the exact export, the round trip, hand-written imports and refused text.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>

#include "registry_test_support.h"

namespace {

using regtest::Create;
using regtest::Key;
using testing::HasSubstr;

void SetBytes(HKEY key, const char* name, DWORD type, std::vector<BYTE> data) {
  ASSERT_EQ(RegSetValueEx(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
}

// One key holding every kind of value the writer distinguishes.
void MakeExportFixture() {
  Key key, sub;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\Export", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetString(key, nullptr, "Default"), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetString(key, "Quote\"Name", "C:\\Path \"quoted\""), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "Count", 10), ERROR_SUCCESS);
  SetBytes(key, "Bytes", REG_BINARY, {0x01, 0x02, 0xff});
  SetBytes(key, "Expand", REG_EXPAND_SZ, {'%', 'X', '%', 0});
  SetBytes(key, "Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
  SetBytes(key, "NoNul", REG_SZ, {'a', 'b'});
  SetBytes(key, "Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  SetBytes(key, "ShortDword", REG_DWORD, {1, 2});
  std::vector<BYTE> longData(40);
  for (size_t i = 0; i < longData.size(); ++i) longData[i] = static_cast<BYTE>(i);
  SetBytes(key, "Long", REG_BINARY, longData);
  ASSERT_EQ(Create(key, "Sub", sub), ERROR_SUCCESS);
}

TEST(RegeditText, ExportWritesRegedit4) {
  MakeExportFixture();
  EXPECT_EQ(sandbox::RegistryExport("HKCU\\software\\VELLACOTT\\export"),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Vellacott\\Export]\r\n"
            "@=\"Default\"\r\n"
            "\"Bytes\"=hex:01,02,ff\r\n"
            "\"Count\"=dword:0000000a\r\n"
            "\"Expand\"=hex(2):25,58,25,00\r\n"
            "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
            "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\r\n"
            "\"Multi\"=hex(7):61,00,62,00,00\r\n"
            "\"NoNul\"=hex(1):61,62\r\n"
            "\"Quote\\\"Name\"=\"C:\\\\Path \\\"quoted\\\"\"\r\n"
            "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
            "\"ShortDword\"=hex(4):01,02\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Vellacott\\Export\\Sub]\r\n"
            "\r\n");
}

TEST(RegeditText, ExportNamesTheRootAsAsked) {
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\Classes\\CLSID\\{1}", "", "x");
  EXPECT_EQ(sandbox::RegistryExport("HKCR\\clsid"),
            "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID]\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID\\{1}]\r\n@=\"x\"\r\n\r\n");
  EXPECT_THAT(sandbox::RegistryExport(), HasSubstr("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{1}]\r\n"));
  EXPECT_EQ(sandbox::RegistryExport("HKCU\\Missing"), "");
}

TEST(RegeditText, RoundTripRestoresEveryByte) {
  MakeExportFixture();
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\Classes\\.dsw", "", "Workspace");
  sandbox::RegistrySetString("HKEY_USERS\\.DEFAULT\\Caf\xE9", "\x83\x41", "\x93\xfa\x96\x7b");
  const std::string exported = sandbox::RegistryExport();
  const auto noNul = sandbox::RegistryGet("HKCU\\Software\\Vellacott\\Export", "NoNul");

  sandbox::RegistryClear();
  ASSERT_EQ(sandbox::RegistryExport("HKCU\\Software\\Vellacott\\Export"), "");
  std::string error;
  ASSERT_TRUE(sandbox::RegistryImport(exported, &error)) << error;
  EXPECT_EQ(sandbox::RegistryExport(), exported);
  EXPECT_EQ(sandbox::RegistryGet("HKCU\\Software\\Vellacott\\Export", "NoNul"), noNul);
  EXPECT_EQ(sandbox::RegistryGetString("HKU\\.default\\caf\xE9", "\x83\x41"), "\x93\xfa\x96\x7b");
}

TEST(RegeditText, ImportReadsHandWrittenText) {
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Old\\Sub", "v", 1);
  const std::string text =
      "REGEDIT4\n"
      "\n"
      "; settings of the add-in\n"
      "[HKEY_CURRENT_USER\\Software\\Vellacott\\Hand]\n"
      "\"Text\"=\"a \\\"b\\\" \\\\c\"\n"
      "@=\"dflt\"\n"
      "\"Num\" = dword:FFFFFFFF\n"
      "\"Bin\"=hex:01,\\\n"
      "  02,03\n"
      "\"Empty\"=hex:\n"
      "\"Gone\"=\"x\"\n"
      "\"Gone\"=-\n"
      "[HKCR\\.dsp]\n"
      "@=\"Project\"\n"
      "[-HKEY_CURRENT_USER\\Software\\Vellacott\\Old]\n"
      "[-HKEY_CURRENT_USER\\Software\\Vellacott\\NeverThere]";  // no final line break
  std::string error;
  ASSERT_TRUE(sandbox::RegistryImport(text, &error)) << error;
  const char* hand = "HKCU\\Software\\Vellacott\\Hand";
  EXPECT_EQ(sandbox::RegistryGetString(hand, "Text"), "a \"b\" \\c");
  EXPECT_EQ(sandbox::RegistryGetString(hand, ""), "dflt");
  EXPECT_EQ(sandbox::RegistryGetDword(hand, "Num"), 0xFFFFFFFFu);
  EXPECT_EQ(sandbox::RegistryGet(hand, "Bin"), (sandbox::RegistryValue{REG_BINARY, {1, 2, 3}}));
  EXPECT_EQ(sandbox::RegistryGet(hand, "Empty"), (sandbox::RegistryValue{REG_BINARY, {}}));
  EXPECT_EQ(sandbox::RegistryGet(hand, "Gone"), std::nullopt);
  EXPECT_EQ(sandbox::RegistryGetString("HKLM\\SOFTWARE\\Classes\\.dsp", ""), "Project");
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Old"));
}

TEST(RegeditText, MalformedTextIsRefusedWithItsLineAndChangesNothing) {
  sandbox::RegistrySetString("HKCU\\Software\\Vellacott\\A", "v", "keep");
  struct Case {
    const char* name;
    std::string_view text;  // a NUL inside is part of it
    const char* message;
  };
  using namespace std::string_view_literals;
  const Case cases[] = {
      {.name = "empty", .text = "", .message = "line 1: expected the REGEDIT4 header"},
      {.name = "other header", .text = "REGEDIT5\r\n", .message = "line 1: expected the REGEDIT4 header"},
      {.name = "value first", .text = "REGEDIT4\r\n\"v\"=\"x\"\r\n", .message = "line 2: a value outside any key"},
      {.name = "unknown root", .text = "REGEDIT4\r\n[HKEY_NOWHERE\\X]\r\n",
       .message = "line 2: \"HKEY_NOWHERE\\X\" does not start with a registry root"},
      {.name = "empty key name", .text = "REGEDIT4\r\n[HKCU\\A\\\\B]\r\n",
       .message = "line 2: \"HKCU\\A\\\\B\" has an empty key name"},
      {.name = "open section", .text = "REGEDIT4\r\n[HKCU\\Software\r\n",
       .message = "line 2: a key section must end with ']'"},
      {.name = "unterminated string",
       .text = "REGEDIT4\r\n[HKCU\\Software\\Vellacott\\A]\r\n\"v\"=\"x\"\r\n\"w\"=\"open\r\n",
       .message = "line 4: the quoted text has no closing quote"},
      {.name = "bad escape", .text = "REGEDIT4\r\n[HKCU\\Software\\Vellacott\\A]\r\n\"v\"=\"C:\\Temp\"\r\n",
       .message = "line 3: unknown escape \\T"},
      {.name = "text after string", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=\"x\" y\r\n",
       .message = "line 3: text after the closing quote"},
      {.name = "long dword", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=dword:123456789\r\n",
       .message = "line 3: dword: needs 1 to 8 hex digits"},
      {.name = "bad hex byte", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:01,zz\r\n",
       .message = "line 3: \"zz\" is not a hex byte"},
      {.name = "empty hex entry", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:01,,02\r\n",
       .message = "line 3: an empty entry in the hex list"},
      {.name = "bad hex type", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex(x):01\r\n",
       .message = "line 3: hex(N): needs a hex type number"},
      {.name = "no equals", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\" \"x\"\r\n",
       .message = "line 3: expected '=' after the value name"},
      {.name = "bare name", .text = "REGEDIT4\r\n[HKCU\\A]\r\nv=\"x\"\r\n",
       .message = "line 3: expected a quoted value name or @"},
      {.name = "unknown data", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=qword:1\r\n",
       .message = "line 3: unrecognised value data"},
      {.name = "continued at end", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\"=hex:01,\\\r\n",
       .message = "line 3: the text ends inside a continued line"},
      {.name = "value under deletion", .text = "REGEDIT4\r\n[-HKCU\\Software\\Vellacott\\A]\r\n\"v\"=\"x\"\r\n",
       .message = "line 3: a value under a deleted key section"},
      {.name = "carriage return in a key name", .text = "REGEDIT4\r\n[HKCU\\A\rB]\r\n",
       .message = "line 2: a key name holds a carriage return or a NUL"},
      {.name = "NUL in a value name", .text = "REGEDIT4\r\n[HKCU\\A]\r\n\"v\0w\"=\"x\"\r\n"sv,
       .message = "line 3: the value name holds a carriage return or a NUL"},
      {.name = "line after a continuation",
       .text = "REGEDIT4\r\n[HKCU\\Software\\Vellacott\\A]\r\n\"b\"=hex:01,\\\r\n  02\r\n\"c\"=nope\r\n",
       .message = "line 5: unrecognised value data"},
  };
  const std::string before = sandbox::RegistryExport();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(sandbox::RegistryImport(std::string(c.text), &error));
    EXPECT_THAT(error, HasSubstr(c.message));
    EXPECT_EQ(sandbox::RegistryExport(), before);
  }
  EXPECT_EQ(sandbox::RegistryGetString("HKCU\\Software\\Vellacott\\A", "v"), "keep");
}

// REGEDIT4 has no way to write a line break inside a name; such a value is left out loudly.
TEST(RegeditText, ANameTheFormatCannotHoldIsReported) {
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "two\nlines", 1), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "fine", 1), ERROR_SUCCESS);
  EXPECT_NONFATAL_FAILURE(sandbox::RegistryExport("HKCU\\Software\\Vellacott"), "line break or NUL");
  // A value whose data holds a line break is written as hex, which can hold anything.
  ASSERT_EQ(regtest::SetString(key, "fine", "a\r\nb"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValue(key, "two\nlines"), ERROR_SUCCESS);
  EXPECT_EQ(sandbox::RegistryExport("HKCU\\Software\\Vellacott"),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vellacott]\r\n\"fine\"=hex(1):61,0d,0a,62,00\r\n\r\n");
}

}  // namespace
