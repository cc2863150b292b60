// The project's names as the host library puts them into a custom AppWizard's dictionary.
#include <gtest/gtest.h>

#include <string>

#include "mfcapwz/host_macros.h"
#include "sandbox/sandbox.h"

namespace {

std::string Value(const CMapStringToString& dictionary, const char* name) {
  CString value;
  EXPECT_TRUE(dictionary.Lookup(name, value)) << name;
  return static_cast<LPCTSTR>(value);
}

TEST(HostMacros, TheNamesOfTheProjectAndItsFolder) {
  struct Row {
    const char* typed;
    const char* folder;
    const char* Root;
    const char* ROOT;
    const char* SAFE_ROOT;
    const char* FULL_DIR_PATH;
  } rows[] = {
      {"thermo", "C:\\Projects\\thermo", "Thermo", "THERMO", "THERMO", "C:\\Projects\\thermo\\"},
      {"my-proj 2", "C:\\P\\my-proj 2\\", "My-proj 2", "MY-PROJ 2", "MY_PROJ_2", "C:\\P\\my-proj 2\\"},
      {"2nd.Try", "D:\\x", "2nd.Try", "2ND.TRY", "2ND_TRY", "D:\\x\\"},
      {"caf\xe9", "C:\\c", "Caf\xe9", "CAF\xc9", "CAF_", "C:\\c\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    CMapStringToString dictionary;
    mfcapwz::SetHostMacros(dictionary, row.typed, row.folder);
    EXPECT_EQ(Value(dictionary, "root"), row.typed);
    EXPECT_EQ(Value(dictionary, "Root"), row.Root);
    EXPECT_EQ(Value(dictionary, "ROOT"), row.ROOT);
    EXPECT_EQ(Value(dictionary, "SAFE_ROOT"), row.SAFE_ROOT);
    EXPECT_EQ(Value(dictionary, "FULL_DIR_PATH"), row.FULL_DIR_PATH);
  }
}

// A double-byte character is one character a C name cannot hold: one "_".
TEST(HostMacros, ADoubleByteCharacterIsOneUnderscore) {
  sandbox::SetCodePage(932);
  CMapStringToString dictionary;
  mfcapwz::SetHostMacros(dictionary, "a\x93\xfa" "b", "C:\\p");
  EXPECT_EQ(Value(dictionary, "SAFE_ROOT"), "A_B");
}

// The dates are the sandbox clock's, in local time; the identifier is a new one, braced and bare.
TEST(HostMacros, DatesFromTheSandboxClockAndANewIdentifier) {
  sandbox::SetClock(946684800000 - 3600 * 1000);  // 1999-12-31 23:00 UTC
  sandbox::SetTimeZoneBias(120);                    // two hours east: 2000-01-01 01:00
  CMapStringToString dictionary;
  mfcapwz::SetHostMacros(dictionary, "t", "C:\\t");
  EXPECT_EQ(Value(dictionary, "YEAR"), "2000");
  EXPECT_EQ(Value(dictionary, "DATE"), "1/1/2000");
  const std::string braced = Value(dictionary, "LIBID");
  ASSERT_EQ(braced.size(), 38u);
  EXPECT_EQ(braced.front(), '{');
  EXPECT_EQ(Value(dictionary, "LIBID_ODL"), braced.substr(1, 36));
  CMapStringToString again;
  mfcapwz::SetHostMacros(again, "t", "C:\\t");
  EXPECT_NE(Value(again, "LIBID"), braced);
}

}  // namespace
