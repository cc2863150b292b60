// The type library description: what the build's tool accepts and writes as a module's TYPELIB
// resource, and what it refuses with the line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sandbox/sandbox.h"
#include "sandbox/test_process.h"
#include "typelib_description.h"

namespace {

constexpr char kDescription[] =
    "# comment\r\n"
    "library Tools {2ec3ff81-49b2-4bea-b737-3b357cbda3e8} 1.12\r\n"
    "helpstring \"Tools 1.12 Type Library\"\r\n"
    "importlib devshl.dll\r\n"
    "\r\n"
    "dispinterface ICommands {8F37130A-783D-4433-AF92-483D3501F29F}\r\n"
    "    method Add\r\n"
    "    method Remove\r\n"
    "dual IHelper {D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}\r\n"
    "coclass Commands {58931657-3320-4C7E-BC21-A3EC8950301F}\r\n"
    "  interface ICommands\r\n"
    "  interface IApplicationEvents\r\n";

TEST(TypeLibDescription, ReadAndWrittenInItsPlainForm) {
  typelib::Library library;
  std::string error;
  ASSERT_TRUE(typelib::Parse(kDescription, library, &error)) << error;
  EXPECT_EQ(library.name, "Tools");
  EXPECT_EQ(library.libid, "{2EC3FF81-49B2-4BEA-B737-3B357CBDA3E8}");
  EXPECT_EQ(library.major, 1u);
  EXPECT_EQ(library.minor, 12u);
  ASSERT_EQ(library.interfaces.size(), 2u);
  EXPECT_EQ(library.interfaces[0].kind, typelib::Interface::kDispatch);
  EXPECT_EQ(library.interfaces[0].methods, (std::vector<std::string>{"Add", "Remove"}));
  EXPECT_EQ(library.interfaces[1].kind, typelib::Interface::kDual);
  ASSERT_EQ(library.coclasses.size(), 1u);
  EXPECT_EQ(library.coclasses[0].interfaces, (std::vector<std::string>{"ICommands", "IApplicationEvents"}));

  const std::string plain = typelib::Write(library);
  EXPECT_EQ(plain,
            "library Tools {2EC3FF81-49B2-4BEA-B737-3B357CBDA3E8} 1.12\n"
            "helpstring \"Tools 1.12 Type Library\"\n"
            "importlib devshl.dll\n"
            "dispinterface ICommands {8F37130A-783D-4433-AF92-483D3501F29F}\n"
            "  method Add\n"
            "  method Remove\n"
            "dual IHelper {D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}\n"
            "coclass Commands {58931657-3320-4C7E-BC21-A3EC8950301F}\n"
            "  interface ICommands\n"
            "  interface IApplicationEvents\n");
  typelib::Library again;
  ASSERT_TRUE(typelib::Parse(plain, again, &error)) << error;
  EXPECT_EQ(typelib::Write(again), plain);
}

TEST(TypeLibDescription, AMalformedDescriptionIsRefusedWithItsLine) {
  constexpr char kLibrary[] = "library L {00000000-0000-0000-0000-000000000001} 1.0\n";
  struct Row {
    std::string text;
    int line;
    const char* says;
  };
  const Row rows[] = {
      {"dual I {00000000-0000-0000-0000-000000000002}\n", 1, "starts with \"library"},
      {"", 0, "has no library statement"},
      {std::string(kLibrary) + kLibrary, 2, "a second library statement"},
      {"library L {0-0-0-0-0} 1.0\n", 1, "is not an identifier"},
      {"library L {00000000-0000-0000-0000-000000000001} 1\n", 1, "is not a version"},
      {"library L {00000000-0000-0000-0000-000000000001} 1.70000\n", 1, "at most 65535"},
      {"library 2L {00000000-0000-0000-0000-000000000001} 1.0\n", 1, "is not a library name"},
      {std::string(kLibrary) + "helpstring Tools\n", 2, "expected helpstring"},
      {std::string(kLibrary) + "helpstring \"a\"\nhelpstring \"b\"\n", 3, "a second helpstring"},
      {std::string(kLibrary) + "method Add\n", 2, "a method outside an interface"},
      {std::string(kLibrary) + "dual I {00000000-0000-0000-0000-000000000002}\n  method Add\n  method ADD\n", 4,
       "listed twice"},
      {std::string(kLibrary) + "dual I {00000000-0000-0000-0000-000000000001}\n", 2, "used twice"},
      {std::string(kLibrary) + "dual I {00000000-0000-0000-0000-000000000002}\ncoclass I {00000000-0000-0000-0000-000000000003}\n",
       3, "declared twice"},
      {std::string(kLibrary) + "coclass C {00000000-0000-0000-0000-000000000003}\n  interface IMissing\n", 3,
       "neither declared in the library nor imported"},
      {std::string(kLibrary) + "interface I {00000000-0000-0000-0000-000000000002}\n", 2, "outside a coclass"},
      {std::string(kLibrary) + "module M\n", 2, "\"module\" is not a statement"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    typelib::Library library;
    std::string error;
    EXPECT_FALSE(typelib::Parse(row.text, library, &error));
    if (row.line > 0) {
      EXPECT_EQ(error.rfind("line " + std::to_string(row.line) + ": ", 0), 0u) << error;
    }
    EXPECT_NE(error.find(row.says), std::string::npos) << error;
  }
}

// The build's tool: a good description becomes the resource file, a malformed one stops the build
// with its file and line and leaves no file.
TEST(TypeLibDescription, TheBuildsToolWritesTheResourceOrStopsTheBuild) {
  const std::filesystem::path folder = sandbox::MapTempDrive('T');
  const std::string good = (folder / "good.tld").string(), bad = (folder / "bad.tld").string();
  std::ofstream(good) << kDescription;
  std::ofstream(bad) << "library L {00000000-0000-0000-0000-000000000001} 1.0\n\nmethod Add\n";
  const std::string goodOut = (folder / "good.tlb").string(), badOut = (folder / "bad.tlb").string();
  ASSERT_EQ(sandbox::testing::RunProgram(TYPELIB_TOOL_FILE, {good, goodOut}, {}), 0);
  std::ifstream written(goodOut, std::ios::binary);
  std::stringstream bytes;
  bytes << written.rdbuf();
  typelib::Library library;
  std::string error;
  ASSERT_TRUE(typelib::Parse(kDescription, library, &error));
  EXPECT_EQ(bytes.str(), typelib::Write(library));

  const std::string log = (folder / "log.txt").string();
  EXPECT_EQ(sandbox::testing::RunProgram("/bin/sh", {"-c", "\"$0\" \"$1\" \"$2\" 2>\"$3\"", TYPELIB_TOOL_FILE, bad, badOut, log}, {}), 1);
  std::ifstream messages(log);
  std::stringstream said;
  said << messages.rdbuf();
  EXPECT_EQ(said.str(), bad + ":3: error: a method outside an interface\n");
  EXPECT_FALSE(std::filesystem::exists(badOut));
}

}  // namespace
