// The resource compiler on small scripts held in memory: string tables laid out as the platform
// lays them out, the preprocessor, code pages, file resources, and what it refuses (with the line).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

#include "compiler.h"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

rc::CompiledScript Compile(const Files& files, const std::string& main = "/src/app.rc") {
  rc::CompileOptions options;
  options.includeDirs = {"/inc"};
  options.reader = [files](const fs::path& path) -> std::optional<std::string> {
    auto it = files.find(path.lexically_normal().string());
    if (it == files.end()) return std::nullopt;
    return it->second;
  };
  return rc::CompileScript(main, options);
}

const rc::Resource* Find(const rc::CompiledScript& s, const rc::ResourceId& type, const rc::ResourceId& name) {
  for (const rc::Resource& r : s.resources)
    if (r.type == type && r.name == name) return &r;
  return nullptr;
}

// Reads the bundles back: id -> text (absent strings are skipped, as LoadString skips them).
std::map<unsigned, std::u16string> Strings(const rc::CompiledScript& s) {
  std::map<unsigned, std::u16string> out;
  for (const rc::Resource& r : s.resources) {
    if (!(r.type == rc::ResourceId{rc::kStringType, {}})) continue;
    size_t at = 0;
    for (unsigned slot = 0; slot < 16; ++slot) {
      EXPECT_LE(at + 2, r.data.size()) << "bundle " << r.name.number << " is short";
      if (at + 2 > r.data.size()) return out;
      const unsigned length = r.data[at] | (r.data[at + 1] << 8);
      at += 2;
      std::u16string text;
      for (unsigned k = 0; k < length; ++k, at += 2) text.push_back(static_cast<char16_t>(r.data[at] | (r.data[at + 1] << 8)));
      if (length) out[(r.name.number - 1) * 16 + slot] = text;
    }
    EXPECT_EQ(at, r.data.size()) << "bundle " << r.name.number << " has trailing bytes";
  }
  return out;
}

TEST(RcStringTable, BundlesOfSixteenLengthPrefixedUtf16) {
  const auto s = Compile({{"/src/app.rc", "STRINGTABLE\nBEGIN\n  1 \"A\"\n  17 \"BC\"\nEND\n"}});
  ASSERT_EQ(s.resources.size(), 2u);
  // Id 1 lives in bundle 1 slot 1; id 17 in bundle 2 slot 1. Every other slot is a zero length.
  std::vector<uint8_t> bundle1(32, 0);
  bundle1[2] = 1;
  bundle1.insert(bundle1.begin() + 4, {'A', 0});
  const rc::Resource* b1 = Find(s, {6, {}}, {1, {}});
  ASSERT_NE(b1, nullptr);
  EXPECT_EQ(b1->data, bundle1);
  const rc::Resource* b2 = Find(s, {6, {}}, {2, {}});
  ASSERT_NE(b2, nullptr);
  EXPECT_EQ(b2->data.size(), 32u + 4u);
  EXPECT_EQ((Strings(s)), (std::map<unsigned, std::u16string>{{1, u"A"}, {17, u"BC"}}));
}

TEST(RcStringTable, EscapesSymbolsAndArithmetic) {
  const auto s = Compile({
      {"/src/resource.h",
       "//{{NO_DEPENDENCIES}}\n#define IDS_BASE 100\n#define IDS_NEXT (IDS_BASE + 1)\n"
       "#define IDS_HEX 0x20\nint not_a_resource_line;\n#ifdef APSTUDIO_INVOKED\n#define IDS_BASE 5\n#endif\n"},
      {"/src/app.rc",
       "#include \"resource.h\"\n"
       "STRINGTABLE DISCARDABLE\nBEGIN\n"
       "  IDS_BASE \"tab\\there\\nnew \"\"quoted\"\" \\\\ \\\"\"\n"
       "  IDS_NEXT, \"cr\\r oct\\101\\0end hex\\x41\\x7e!\"\n"
       "  IDS_HEX*2+1 \"// not a comment /* nor this */\"\n"
       "  IDS_BASE-1 \"\"\n"
       "END\n"},
  });
  const auto strings = Strings(s);
  EXPECT_EQ(strings.at(100), u"tab\there\nnew \"quoted\" \\ \"");
  EXPECT_EQ(strings.at(101), std::u16string(u"cr\r octA\0end hexA~!", 19));
  EXPECT_EQ(strings.at(65), u"// not a comment /* nor this */");
  EXPECT_EQ(strings.count(99), 0u) << "an empty string is stored as absent";
}

TEST(RcStringTable, BlocksAccumulateAndLanguageIsIgnored) {
  const auto s = Compile({{"/src/app.rc",
                           "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                           "STRINGTABLE PRELOAD LANGUAGE 9, 1 { 2 \"two\" }\n"
                           "/* a comment\n   over lines */ STRINGTABLE\nBEGIN 3 \"three\" END\n"}});
  EXPECT_EQ((Strings(s)), (std::map<unsigned, std::u16string>{{2, u"two"}, {3, u"three"}}));
}

TEST(RcPreprocessor, ConditionalsDefinesAndSkippedIdeBlocks) {
  const auto s = Compile({{"/src/app.rc",
                           "#define FEATURE\n"
                           "#if defined(FEATURE) && !defined(OTHER)\nSTRINGTABLE BEGIN 1 \"if\" END\n"
                           "#elif 1\nSTRINGTABLE BEGIN 1 \"elif\" END\n#else\nthis is not rc at all\n#endif\n"
                           "#ifndef FEATURE\n#error not reached\n#elif RC_INVOKED\nSTRINGTABLE BEGIN 2 \"elif2\" END\n#endif\n"
                           "#undef FEATURE\n#ifdef FEATURE\n#error undef did not work\n#endif\n"
                           "#ifdef APSTUDIO_INVOKED\n1 TEXTINCLUDE DISCARDABLE\nBEGIN\n  \"resource.h\\0\"\nEND\n"
                           "#if 0\n#bogus directive inside a skipped block\n#endif\n#endif\n"
                           "#define ID3 3\nSTRINGTABLE BEGIN ID3 \"three\" END\n#undef ID3\n#define ID3 4\n"
                           "STRINGTABLE BEGIN ID3 \"four\" END\n"}});
  EXPECT_EQ((Strings(s)), (std::map<unsigned, std::u16string>{{1, u"if"}, {2, u"elif2"}, {3, u"three"}, {4, u"four"}}));
}

TEST(RcCodePage, TextIsConvertedFromTheScriptsCodePage) {
  // 0x95 0x5C is U+8868 in code page 932: its trail byte is a backslash that must not escape the
  // quote after it. 0x80 is the euro sign in 1252 and 0x81 (undefined there) maps to U+0081.
  const auto s = Compile({{"/src/app.rc",
                           "STRINGTABLE BEGIN 1 \"\x80\x81\xE9\" END\n"
                           "#pragma code_page(932)\n"
                           "STRINGTABLE BEGIN 2 \"\x95\x5C\" 3 \"\\x93\\xfa\\x96\\x7b\xB1\" END\n"
                           "#pragma code_page(65001)\n"
                           "STRINGTABLE BEGIN 4 \"\xC3\xA9\xF0\x9F\x98\x80\" END\n"
                           "#pragma code_page(DEFAULT)\n"
                           "STRINGTABLE BEGIN 5 \"\xE9\" END\n"}});
  const auto strings = Strings(s);
  EXPECT_EQ(strings.at(1), u"\u20AC\u0081\u00E9");
  EXPECT_EQ(Strings(Compile({{"/src/app.rc", "\xEF\xBB\xBFSTRINGTABLE BEGIN 1 \"\xC3\xA9\" END\n"}})).at(1), u"\u00E9")
      << "a UTF-8 signature selects UTF-8";
  EXPECT_EQ(strings.at(2), u"\u8868");
  EXPECT_EQ(strings.at(3), u"\u65E5\u672C\uFF71");
  EXPECT_EQ(strings.at(4), u"\u00E9\U0001F600");
  EXPECT_EQ(strings.at(5), u"\u00E9");
}

TEST(RcFileResource, EmbedsTheFileUnderItsTypeAndName) {
  const auto s = Compile({
      {"/src/resource.h", "#define IDR_ADDIN 101\n#define IDR_TEMPLATE 0x80\n"},
      {"/src/app.rc",
       "#include \"resource.h\"\n"
       "IDR_ADDIN REGISTRY DISCARDABLE \"AddIn.rgs\"\n"
       "IDR_TEMPLATE TEMPLATE \"template\\\\confirm.inf\"\n"
       "(IDR_ADDIN+1) TEMPLATE \"template\\readme.txt\"\n"
       "Named rcdata PRELOAD \"/abs/data.bin\"\n"
       "7 300 \"AddIn.rgs\"\n"},
      {"/src/AddIn.rgs", "HKCR\r\n{\r\n}\r\n"},
      {"/src/template/confirm.inf", std::string("A\0B", 3)},
      {"/src/template/readme.txt", ""},
      {"/abs/data.bin", "\x01\x02"},
  });
  ASSERT_EQ(s.resources.size(), 5u);
  auto bytes = [&](const rc::ResourceId& type, const rc::ResourceId& name) {
    const rc::Resource* r = Find(s, type, name);
    EXPECT_NE(r, nullptr) << type.Describe() << " " << name.Describe();
    return r ? std::string(r->data.begin(), r->data.end()) : std::string("<missing>");
  };
  EXPECT_EQ(bytes({0, "REGISTRY"}, {101, {}}), "HKCR\r\n{\r\n}\r\n");
  EXPECT_EQ(bytes({0, "TEMPLATE"}, {0x80, {}}), std::string("A\0B", 3));
  EXPECT_EQ(bytes({0, "TEMPLATE"}, {102, {}}), "");
  EXPECT_EQ(bytes({10, {}}, {0, "NAMED"}), "\x01\x02");
  EXPECT_EQ(bytes({300, {}}, {7, {}}), "HKCR\r\n{\r\n}\r\n");
  EXPECT_EQ(s.dependencies.size(), 6u) << "script, header and four data files (one read twice)";
}

TEST(RcIncludes, SearchBesideTheIncluderThenTheScriptThenIncludeDirs) {
  const auto s = Compile({
      {"/src/app.rc", "#include \"res/app.rc2\"\n#include <common.h>\nSTRINGTABLE BEGIN IDS_COMMON \"c\" END\n"},
      {"/src/res/app.rc2", "#include \"local.h\"\nIDR_X TEMPLATE \"t.txt\"\n"},
      {"/src/res/local.h", "#define IDR_X 5\n"},
      {"/src/t.txt", "beside the script"},
      {"/inc/common.h", "#pragma once\n#define IDS_COMMON 9\n#line 3\n"},
  });
  EXPECT_EQ((Strings(s)), (std::map<unsigned, std::u16string>{{9, u"c"}}));
  const rc::Resource* t = Find(s, {0, "TEMPLATE"}, {5, {}});
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(std::string(t->data.begin(), t->data.end()), "beside the script");
}

struct Refusal {
  const char* name;
  std::string script;
  int line;
  const char* message;
};

TEST(RcRefuses, BadInputWithFileAndLine) {
  const Refusal cases[] = {
      {.name = "unknown statement", .script = "\nFOO BAR BAZ\n", .line = 2, .message = "expected a file name for resource FOO"},
      {.name = "type missing", .script = "\n\nLONELY\n", .line = 3, .message = "expected a resource type after LONELY"},
      {.name = "not yet supported", .script = "1 DIALOG 0, 0, 10, 10\n", .line = 1, .message = "DIALOG resources are not supported yet"},
      {.name = "inline data", .script = "1 TEMPLATE\nBEGIN\n\"x\"\nEND\n", .line = 2, .message = "inline data for TEMPLATE"},
      {.name = "punctuation", .script = "STRINGTABLE BEGIN END\n, 1\n", .line = 2, .message = "expected a resource statement, found ','"},
      {.name = "adjacent strings", .script = "STRINGTABLE\nBEGIN\n1 \"a\"\n  \"b\"\nEND\n", .line = 4, .message = "adjacent strings are not joined"},
      {.name = "id without string", .script = "STRINGTABLE\nBEGIN\n1\nEND\n", .line = 4, .message = "expected a string after string id 1"},
      {.name = "no END", .script = "STRINGTABLE\nBEGIN\n1 \"a\"\n", .line = 1, .message = "STRINGTABLE block is not closed with END"},
      {.name = "no BEGIN", .script = "STRINGTABLE\n1 \"a\"\n", .line = 2, .message = "expected BEGIN after STRINGTABLE"},
      {.name = "undefined id", .script = "STRINGTABLE\nBEGIN\nIDS_NOWHERE \"a\"\nEND\n", .line = 3, .message = "undefined symbol IDS_NOWHERE"},
      {.name = "id too large", .script = "STRINGTABLE BEGIN\n65536 \"a\" END\n", .line = 2, .message = "string id 65536 is out of range"},
      {.name = "duplicate id", .script = "STRINGTABLE BEGIN\n1 \"a\"\nEND\nSTRINGTABLE BEGIN\n1 \"b\" END\n", .line = 5, .message = "duplicate string id 1 (first defined at /src/app.rc:2)"},
      {.name = "duplicate resource", .script = "1 TEMPLATE \"f\"\n1 template \"f\"\n", .line = 2, .message = "duplicate resource 1 of type TEMPLATE"},
      {.name = "resource id 0", .script = "0 TEMPLATE \"f\"\n", .line = 1, .message = "resource id 0 is out of range"},
      {.name = "missing file", .script = "\n1 TEMPLATE \"nope.txt\"\n", .line = 2, .message = "cannot open file 'nope.txt' for resource 1"},
      {.name = "unterminated string", .script = "STRINGTABLE BEGIN\n1 \"abc\nEND\n", .line = 2, .message = "unterminated string"},
      {.name = "unknown escape", .script = "STRINGTABLE BEGIN\n1 \"a\\qb\" END\n", .line = 2, .message = "unknown escape sequence \\q"},
      {.name = "bad hex escape", .script = "STRINGTABLE BEGIN\n1 \"\\xg\" END\n", .line = 2, .message = "\\x without hex digits"},
      {.name = "wide string", .script = "STRINGTABLE BEGIN\n1 L\"a\" END\n", .line = 2, .message = "wide string literals"},
      {.name = "stray byte", .script = "STRINGTABLE BEGIN\n1 @ END\n", .line = 2, .message = "unexpected character '@'"},
      {.name = "malformed number", .script = "STRINGTABLE BEGIN\n12abc \"a\" END\n", .line = 2, .message = "malformed number: 12abc"},
      {.name = "division by zero", .script = "STRINGTABLE BEGIN\n(1/0) \"a\" END\n", .line = 2, .message = "division by zero"},
      {.name = "invalid 932 text", .script = "#pragma code_page(932)\nSTRINGTABLE BEGIN\n1 \"\\x81\" END\n", .line = 3, .message = "not valid text in code page 932"},
      {.name = "unsupported code page", .script = "\n#pragma code_page(1251)\n", .line = 2, .message = "unsupported code page 1251"},
      {.name = "unknown pragma", .script = "#pragma pack(1)\n", .line = 1, .message = "unknown #pragma pack(1)"},
      {.name = "unknown directive", .script = "\n#frobnicate\n", .line = 2, .message = "unknown directive #frobnicate"},
      {.name = "#error", .script = "#ifndef X\n#error X must be defined\n#endif\n", .line = 2, .message = "#error X must be defined"},
      {.name = "#if without #endif", .script = "\n#if 1\n", .line = 2, .message = "#if without #endif"},
      {.name = "#else without #if", .script = "#else\n", .line = 1, .message = "#else without #if"},
      {.name = "#elif after #else", .script = "#if 0\n#else\n#elif 1\n#endif\n", .line = 3, .message = "#elif after #else"},
      {.name = "#endif without #if", .script = "\n\n#endif\n", .line = 3, .message = "#endif without #if"},
      {.name = "garbage in #if", .script = "#if 1 2\n#endif\n", .line = 1, .message = "unexpected '2' in #if"},
      {.name = "missing include", .script = "\n#include \"missing.h\"\n", .line = 2, .message = "cannot open include file 'missing.h'"},
      {.name = "UTF-16 file", .script = "\xFF\xFES\0T\0", .line = 1, .message = "UTF-16 files are not supported"},
      {.name = "unterminated comment", .script = "/* open\n\n", .line = 2, .message = "unterminated comment"},
      {.name = "function-like macro", .script = "#define ID(x) x\nSTRINGTABLE BEGIN\nID(1) \"a\" END\n", .line = 3, .message = "function-like macro ID is not supported"},
      {.name = "bad macro body", .script = "#define BAD 1 @\nSTRINGTABLE BEGIN\nBAD \"a\" END\n", .line = 3, .message = "in macro BAD (defined at /src/app.rc:1)"},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      Compile({{"/src/app.rc", c.script}, {"/src/f", "data"}});
      ADD_FAILURE() << "accepted";
    } catch (const rc::Error& e) {
      EXPECT_EQ(e.where().line, c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind(e.where().file + ":" + std::to_string(e.where().line) + ": ", 0), 0u)
          << e.what();
    }
  }
}

TEST(RcRefuses, ErrorsInIncludedFilesNameThatFile) {
  try {
    Compile({{"/src/app.rc", "#include \"more.rc2\"\n"}, {"/src/more.rc2", "\n\n1 BITMAP \"x.bmp\"\n"}});
    ADD_FAILURE() << "accepted";
  } catch (const rc::Error& e) {
    EXPECT_EQ(e.where().file, "/src/more.rc2");
    EXPECT_EQ(e.where().line, 3);
  }
}

// The host side: names written Windows-style find files whose case differs, as on the IDE's disk.
class RcOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rc_test_" + std::to_string(::getpid()) + "_" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Res");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const fs::path& rel, const std::string& text) { std::ofstream(dir_ / rel, std::ios::binary) << text; }
  int RunRc(const std::string& args) {
    const std::string command = std::string(RC_EXECUTABLE) + " " + args + " 2>" + (dir_ / "stderr.txt").string();
    return WEXITSTATUS(std::system(command.c_str()));
  }
  std::string Stderr() {
    std::ifstream in(dir_ / "stderr.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(RcOnDisk, FileNamesMatchCaseInsensitively) {
  Write("Res/Template.TXT", "body");
  Write("app.rc", "1 TEMPLATE \"res\\\\template.txt\"\n");
  const auto s = rc::CompileScript(dir_ / "app.rc", {});
  ASSERT_EQ(s.resources.size(), 1u);
  EXPECT_EQ(std::string(s.resources[0].data.begin(), s.resources[0].data.end()), "body");
}

TEST_F(RcOnDisk, CommandLineWritesOutputAndDepfile) {
  Write("resource.h", "#define IDS_A 1\n");
  Write("app.rc", "#include \"resource.h\"\nSTRINGTABLE BEGIN IDS_A \"a\" END\n");
  const fs::path out = dir_ / "out.cpp", dep = dir_ / "out.d";
  ASSERT_EQ(RunRc("-I " + dir_.string() + " -o " + out.string() + " --depfile " + dep.string() + " " +
                  (dir_ / "app.rc").string()),
            0)
      << Stderr();
  std::ifstream in(out);
  const std::string cpp(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(cpp.find("StandinRegisterResources(kResources, kResources, 1)"), std::string::npos);
  std::ifstream deps(dep);
  const std::string depText(std::istreambuf_iterator<char>(deps), {});
  EXPECT_NE(depText.find((dir_ / "resource.h").string()), std::string::npos) << depText;
}

TEST_F(RcOnDisk, CommandLineErrorLeavesNoOutput) {
  Write("app.rc", "STRINGTABLE BEGIN\n1 \"a\" \"b\"\nEND\n");
  const fs::path out = dir_ / "out.cpp";
  Write("out.cpp", "// stale tables from an earlier run\n");
  EXPECT_EQ(RunRc("-o " + out.string() + " " + (dir_ / "app.rc").string()), 1);
  EXPECT_EQ(Stderr().rfind((dir_ / "app.rc").string() + ":2: ", 0), 0u) << Stderr();
  EXPECT_FALSE(fs::exists(out));
  EXPECT_FALSE(fs::exists(dir_ / "out.cpp.tmp"));
  EXPECT_EQ(RunRc("-o"), 1);
  EXPECT_NE(Stderr().find("usage: rc"), std::string::npos);
}

}  // namespace
