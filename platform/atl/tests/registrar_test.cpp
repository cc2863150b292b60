// The registrar run on script text (CRegObject): what registering writes, what unregistering
// leaves, and scripts that do not parse, which write nothing and name their line.
#include <atlbase.h>
#include <statreg.h>

#include "atl_test_support.h"

namespace atl_test {
namespace {

constexpr char kSoftware[] = "HKEY_CURRENT_USER\\Software";

class RegistrarTest : public AtlTest {
 protected:
  HRESULT Register(const std::string& script) { return registrar_.StringRegister(Wide(script).c_str()); }
  HRESULT Unregister(const std::string& script) { return registrar_.StringUnregister(Wide(script).c_str()); }
  CRegObject registrar_;
};

TEST_F(RegistrarTest, RegisteringWritesTheScriptsKeysAndValues) {
  // The replacement holds a quote and blanks: it stays one value.
  ASSERT_EQ(registrar_.AddReplacement(u"Module", u"C:\\Bob's Tools\\x.dll"), S_OK);
  sandbox::RegistrySetString(std::string(kSoftware) + "\\Tq.Test\\Old", "", "left from before");
  const std::string script =
      "hkcu\n"
      "{\n"
      "\tNoRemove Software\n"
      "\t{\n"
      "\t\tforceremove Tq.Test = s 'default'\n"
      "\t\t{\n"
      "\t\t\tval Text = s 'It''s %MODULE%'\n"
      "\t\t\tVAL Hex = d 0x10\n"
      "\t\t\tval Decimal = d '42'\n"
      "\t\t\t'Two Words'\n"
      "\t\t\tPercent = s '%%'\n"
      "\t\t}\n"
      "\t}\n"
      "}\n";
  ASSERT_EQ(Register(script), S_OK);
  const std::string key = std::string(kSoftware) + "\\Tq.Test";
  EXPECT_EQ(sandbox::RegistryGetString(key, ""), "default");
  EXPECT_EQ(sandbox::RegistryGetString(key, "Text"), "It's C:\\Bob's Tools\\x.dll");
  EXPECT_EQ(sandbox::RegistryGetDword(key, "Hex"), 16u);
  EXPECT_EQ(sandbox::RegistryGetDword(key, "Decimal"), 42u);
  EXPECT_TRUE(sandbox::RegistryKeyExists(key + "\\Two Words"));
  EXPECT_EQ(sandbox::RegistryGetString(key + "\\Percent", ""), "%");
  EXPECT_FALSE(sandbox::RegistryKeyExists(key + "\\Old")) << "ForceRemove starts the key afresh";
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

// Registered, then keys of others added, then unregistered.
TEST_F(RegistrarTest, UnregisteringLeavesNoRemoveKeysAndTheKeysOfOthers) {
  const std::string script =
      "HKCU\n{\n"
      "  NoRemove Software\n  {\n"
      "    val Marker = s 'ours'\n"
      "    Plain = s 'p'\n    {\n      Child\n    }\n"
      "    Gone\n    {\n      Deep\n    }\n"
      "    ForceRemove Forced\n    {\n      Listed\n    }\n"
      "    NoRemove Kept\n    {\n      Child\n    }\n"
      "  }\n}\n";
  ASSERT_EQ(Register(script), S_OK);
  sandbox::RegistrySetString(std::string(kSoftware) + "\\Plain\\Foreign", "", "theirs");
  sandbox::RegistrySetString(std::string(kSoftware) + "\\Forced\\Unlisted", "", "theirs");
  sandbox::RegistrySetString(std::string(kSoftware) + "\\Other", "", "theirs");
  sandbox::RegistrySetString(kSoftware, "Theirs", "theirs");

  ASSERT_EQ(Unregister(script), S_OK);
  EXPECT_EQ(RegistryKeysBelow(kSoftware), (std::vector<std::string>{std::string(kSoftware) + "\\Kept",
                                                                   std::string(kSoftware) + "\\Other",
                                                      std::string(kSoftware) + "\\Plain",
                                                      std::string(kSoftware) + "\\Plain\\Foreign"}))
      << "a plain key with a key of others below it stays; a ForceRemove key goes with everything";
  EXPECT_FALSE(sandbox::RegistryGet(kSoftware, "Marker").has_value()) << "the script's value goes";
  EXPECT_EQ(sandbox::RegistryGetString(kSoftware, "Theirs"), "theirs");
  EXPECT_EQ(Unregister(script), S_OK) << "what is gone already is no failure";
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

TEST_F(RegistrarTest, AScriptThatDoesNotParseWritesNothingAndNamesItsLine) {
  struct Row {
    const char* name;
    const char* script;  // a key to write comes before the fault
    int line;
    const char* says;
  };
  const Row rows[] = {
      {"an unknown root", "HKCU\n{\n  Good\n}\nHKXX\n{\n}\n", 5, "\"HKXX\" is not a root key"},
      {"a block never closed", "HKCU\n{\n  Good\n  {\n", 5, "the block opened on line 4 is not closed"},
      {"a root without its block", "HKCU\nGood\n", 2, "expected \"{\", found \"Good\""},
      {"an unknown value type", "HKCU\n{\n  Good\n  Bad = x 'y'\n}\n", 4, "\"x\" is not a value type"},
      {"a string without quotes", "HKCU\n{\n  Good\n  Bad = s y\n}\n", 4, "expected a string in single quotes"},
      {"a replacement not given", "HKCU\n{\n  Good\n  Bad = s '%NOPE%'\n}\n", 4, "%NOPE% has no replacement"},
      {"a lone percent sign", "HKCU\n{\n  Good\n  Bad = s '50%'\n}\n", 4, "a % without its closing %"},
      {"a name with a backslash", "HKCU\n{\n  Good\n  'A\\B'\n}\n", 4, "holds a backslash"},
      {"Delete", "HKCU\n{\n  Good\n  Delete Old\n}\n", 4, "\"Delete\" is not supported"},
      {"a quote never closed", "HKCU\n{\n  Good\n  Bad = s 'y\n}\n", 4, "a quoted text is not closed"},
      {"text right after a quote", "HKCU\n{\n  Good = s 'y'}\n", 3, "a closing quote must be followed by a blank"},
      {"a value outside a key", "HKCU\n{\n  Good\n  val X = s 'y'\n}\n", 4, "a value must stand inside a key"},
      {"keys below a value", "HKCU\n{\n  Good\n  {\n    val X = s 'y' { }\n  }\n}\n", 5, "a value has no keys below it"},
      {"a number too large", "HKCU\n{\n  Good\n  {\n    val N = d 4294967296\n  }\n}\n", 5, "does not fit in 32 bits"},
      {"a number that is none", "HKCU\n{\n  Good\n  {\n    val N = d 12ab\n  }\n}\n", 5, "\"12ab\" is not a number"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryClear();
    sandbox::ClearDebugOutput();
    const std::string before = sandbox::RegistryExport();
    EXPECT_EQ(Register(row.script), DISP_E_EXCEPTION);
    EXPECT_EQ(sandbox::RegistryExport(), before) << "nothing written";
    const std::string expected = "script line " + std::to_string(row.line) + ": ";
    const std::string said = ErrorInfoDescription();
    EXPECT_EQ(said.rfind(expected, 0), 0u) << said;
    EXPECT_NE(said.find(row.says), std::string::npos) << said;
    EXPECT_EQ(sandbox::DebugOutput(), std::vector<std::string>{"Registrar: " + said});
    EXPECT_EQ(Unregister(row.script), DISP_E_EXCEPTION) << "nor unregistered";
  }
}

// A registry that refuses a write: the refusal is the result (here a standard user, for whom
// HKEY_CLASSES_ROOT is read-only).
TEST_F(RegistrarTest, ARefusedWriteIsTheResult) {
  sandbox::RegistrySetStandardUser(true);
  EXPECT_EQ(Register("HKCR\n{\n  Tq.Test = s 'x'\n}\n"), E_ACCESSDENIED);
  EXPECT_FALSE(sandbox::RegistryKeyExists(std::string(kClasses) + "\\Tq.Test"));
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

// Key names longer than the platform's 255 characters, which the sandbox's registry holds: a
// ForceRemove key goes with them, whether registering starts it afresh or unregistering removes it.
TEST_F(RegistrarTest, AForceRemoveKeyGoesWithKeysOfLongNames) {
  const std::string longName(300, 'L');
  const std::string key = std::string(kSoftware) + "\\Tq.Test";
  sandbox::RegistrySetString(key + "\\" + longName + "\\" + longName, "", "old");
  const std::string script =
      "HKCU\n{\n  NoRemove Software\n  {\n    ForceRemove Tq.Test\n    {\n      " + longName + "\n    }\n  }\n}\n";
  ASSERT_EQ(Register(script), S_OK);
  EXPECT_EQ(RegistryKeysBelow(kSoftware), (std::vector<std::string>{key, key + "\\" + longName}));
  ASSERT_EQ(Unregister(script), S_OK);
  EXPECT_EQ(RegistryKeysBelow(kSoftware), std::vector<std::string>{});
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

}  // namespace
}  // namespace atl_test
