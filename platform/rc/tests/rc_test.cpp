// The resource build over the real tools: scripts written to a temporary folder, preprocessed by
// clang and compiled by llvm-rc, the .res read back into the table a module registers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "compiler.h"
#include "depfile.h"
#include "res_file.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(std::string& s, unsigned value) {
  s.push_back(static_cast<char>(value & 0xFF));
  s.push_back(static_cast<char>(value >> 8 & 0xFF));
}
void PutDword(std::string& s, uint32_t value) {
  PutWord(s, value & 0xFFFF);
  PutWord(s, value >> 16);
}

// A BITMAPINFOHEADER of a 24-bit picture, then its rows (each padded to a DWORD).
std::string DibOf(int width, int height) {
  std::string dib;
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  PutDword(dib, 40);
  PutDword(dib, static_cast<uint32_t>(width));
  PutDword(dib, static_cast<uint32_t>(height));
  PutWord(dib, 1);
  PutWord(dib, 24);
  for (int i = 0; i < 6; ++i) PutDword(dib, i == 1 ? rowBytes * static_cast<uint32_t>(height) : 0);
  dib.append(rowBytes * static_cast<uint32_t>(height), '\x7f');
  return dib;
}

// A .bmp file: the 14-byte file header, then the DIB.
std::string BmpFile(int width, int height) {
  const std::string dib = DibOf(width, height);
  std::string file = "BM";
  PutDword(file, static_cast<uint32_t>(14 + dib.size()));
  PutDword(file, 0);
  PutDword(file, 14 + 40);
  return file + dib;
}

// A .cur file with one 2 x 2 monochrome cursor whose hot spot is (1, 0).
std::string CurFile() {
  std::string image;
  PutDword(image, 40);
  PutDword(image, 2);
  PutDword(image, 4);  // XOR and AND masks
  PutWord(image, 1);
  PutWord(image, 1);
  for (int i = 0; i < 6; ++i) PutDword(image, 0);
  PutDword(image, 0);
  PutDword(image, 0xFFFFFF);
  image.append(16, '\0');
  std::string file;
  PutWord(file, 0);
  PutWord(file, 2);  // cursor
  PutWord(file, 1);
  file += std::string("\x02\x02\x00\x00", 4);
  PutWord(file, 1);
  PutWord(file, 0);
  PutDword(file, static_cast<uint32_t>(image.size()));
  PutDword(file, 22);
  return file + image;
}

const rc::Resource* Find(const std::vector<rc::Resource>& resources, const rc::ResourceId& type, const rc::ResourceId& name) {
  for (const rc::Resource& r : resources)
    if (r.type == type && r.name == name) return &r;
  return nullptr;
}

// The strings of every RT_STRING bundle, by string id.
std::map<unsigned, std::u16string> Strings(const std::vector<rc::Resource>& resources) {
  std::map<unsigned, std::u16string> strings;
  for (const rc::Resource& r : resources) {
    if (!(r.type == rc::ResourceId{6, {}})) continue;
    size_t pos = 0;
    for (unsigned slot = 0; slot < 16 && pos + 2 <= r.data.size(); ++slot) {
      const size_t length = r.data[pos] | r.data[pos + 1] << 8;
      pos += 2;
      std::u16string text;
      for (size_t i = 0; i < length && pos + 2 <= r.data.size(); ++i, pos += 2)
        text.push_back(static_cast<char16_t>(r.data[pos] | r.data[pos + 1] << 8));
      if (length != 0) strings[(r.name.number - 1u) * 16 + slot] = text;
    }
  }
  return strings;
}

class RcBuild : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rc_test_" + std::to_string(::getpid()) + "_" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "src");
    fs::create_directories(dir_ / "inc");
    fs::create_directories(dir_ / "work");
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const fs::path& rel, const std::string& bytes) {
    fs::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string Read(const fs::path& rel) {
    std::ifstream in(dir_ / rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  rc::CompileOptions Options() {
    return {.clang = CLANG_EXECUTABLE, .llvmRc = LLVM_RC_EXECUTABLE, .includeDirs = {dir_ / "inc"},
            .workPrefix = dir_ / "work" / "app"};
  }
  // Compiles src/app.rc with that text; the other files must be written before.
  rc::CompiledScript Compile(const std::string& script) {
    Write("src/app.rc", script);
    return rc::CompileScript(dir_ / "src" / "app.rc", Options());
  }
  // The message of a compilation that must fail.
  std::string Refusal(const std::string& script) {
    try {
      Compile(script);
    } catch (const rc::Error& e) {
      return e.what();
    }
    return "<accepted>";
  }

  fs::path dir_;
};

TEST_F(RcBuild, StringTablesAreBundlesOfSixteenCountedUtf16Strings) {
  // The header holds C as well: clang reads its #defines, llvm-rc skips its text.
  Write("src/resource.h",
        "//{{NO_DEPENDENCIES}}\n#define IDS_BASE 100\n#define IDS_NEXT (IDS_BASE + 1)\nint not_a_resource;\n"
        "#ifdef APSTUDIO_INVOKED\n#define IDS_BASE 5\n#endif\n");
  const auto compiled = Compile(
      "#include \"resource.h\"\n"
      "STRINGTABLE DISCARDABLE\nBEGIN\n"
      "  1 \"A\"\n  17 \"BC\"\n"
      "  IDS_BASE \"tab\\there \"\"quoted\"\" \\\\\"\n"
      "  IDS_NEXT, \"caf\\xe9 \\x80 \xe9\\0!\"\n"
      "  IDS_NEXT + 1 L\"\\x65e5\\x672c\"\n"
      "END\n"
      "#ifdef APSTUDIO_INVOKED\n1 TEXTINCLUDE BEGIN \"resource.h\\0\" END\n#endif\n"
      "STRINGTABLE BEGIN 2 \"Z\" END\n");
  // Ids 1 and 2 share bundle 1 (slots 1 and 2), id 17 is slot 1 of bundle 2; absent slots are 0.
  Bytes bundle1{0, 0, 1, 0, 'A', 0, 1, 0, 'Z', 0};
  bundle1.resize(bundle1.size() + 13 * 2, 0);
  const rc::Resource* b1 = Find(compiled.resources, {6, {}}, {1, {}});
  ASSERT_NE(b1, nullptr);
  EXPECT_EQ(b1->data, bundle1);
  EXPECT_EQ(Strings(compiled.resources),
            (std::map<unsigned, std::u16string>{
                {1, u"A"},
                {2, u"Z"},
                {17, u"BC"},
                {100, u"tab\there \"quoted\" \\"},
                {101, std::u16string(u"caf\u00e9 \u20ac \u00e9\0!", 10)},  // code page 1252, escaped or not
                {102, u"\u65e5\u672c"},
            }));
}

// llvm-rc reads a word that starts with a slash as an option: a tree under /dev (or /check) must
// still give it its input.
TEST(RcBuildPlace, AFolderWhoseNameLooksLikeAnOptionStillBuilds) {
  const fs::path dir = fs::path("/dev/shm") / ("rc_test_" + std::to_string(::getpid()) + "_place");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) GTEST_SKIP() << "no /dev/shm here";
  std::ofstream(dir / "app.rc") << "STRINGTABLE BEGIN 1 \"A\" END\n";
  const rc::CompileOptions options{.clang = CLANG_EXECUTABLE, .llvmRc = LLVM_RC_EXECUTABLE, .includeDirs = {dir},
                                   .workPrefix = dir / "app"};
  std::string failure;
  size_t count = 0;
  try {
    count = rc::CompileScript(dir / "app.rc", options).resources.size();
  } catch (const rc::Error& e) {
    failure = e.what();
  }
  fs::remove_all(dir);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(count, 1u);
}

TEST_F(RcBuild, EveryKindOfResourceLandsUnderThePlatformsTypes) {
  Write("src/res/picture.bmp", BmpFile(3, 2));
  Write("src/res/arrow.cur", CurFile());
  Write("src/AddIn.rgs", "HKCR\r\n{\r\n}\r\n");
  Write("inc/confirm.inf", std::string("A\0B", 3));  // found in an include folder
  const auto compiled = Compile(
      "#define IDD_MAIN 100\n"
      "IDD_MAIN DIALOGEX 0, 0, 186, 95\n"
      "STYLE 0x80C00080\nCAPTION \"Components\"\nFONT 8, \"MS Sans Serif\"\n"
      "BEGIN\n"
      "  DEFPUSHBUTTON \"OK\", 1, 129, 7, 50, 14\n"
      "  CONTROL \"\", 1001, \"SysTreeView32\", 0x50010027, 7, 7, 100, 80\n"
      "END\n"
      "101 MENU\nBEGIN\n  POPUP \"&File\"\n  BEGIN\n    MENUITEM \"&Open\", 200\n    MENUITEM \"Gray\", 201, GRAYED\n  END\nEND\n"
      "102 BITMAP \"res/picture.bmp\"\n"
      "103 CURSOR \"res/arrow.cur\"\n"
      "IDD_MAIN DLGINIT\nBEGIN\n  1001, 0x403, 3, 0\n  0x6261, \"\\000\"\n  0\nEND\n"
      "104 TOOLBAR\nBEGIN\n  1, 16, 15, 2, 200, 0\nEND\n"
      "AddIn REGISTRY \"AddIn.rgs\"\n"
      "105 TEMPLATE \"confirm.inf\"\n"
      "106 TYPELIB \"AddIn.rgs\"\n"
      "107 RCDATA { 1, 2L, \"ab\" }\n"
      "108 MyData { 7 }\n"
      "1 VERSIONINFO\nFILEVERSION 1,2,3,4\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n  END\nEND\n");
  const struct {
    const char* name;
    rc::ResourceId type;
    rc::ResourceId id;
    size_t offset;  // where the expected bytes lie in the resource
    Bytes bytes;
  } cases[] = {
      // DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style, style (DS_SETFONT added
      // by FONT), then the item count.
      {.name = "dialog", .type = {5, {}}, .id = {100, {}}, .offset = 0,
       .bytes = {1, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0xC0, 0x80, 2, 0}},
      // MENUITEMTEMPLATEHEADER (version 0, offset 0), then the popup with MF_POPUP | MF_END.
      {.name = "menu", .type = {4, {}}, .id = {101, {}}, .offset = 0, .bytes = {0, 0, 0, 0, 0x90, 0, '&', 0, 'F', 0}},
      // The DIB without the file's 14-byte header: header size 40, width 3, height 2.
      {.name = "bitmap", .type = {2, {}}, .id = {102, {}}, .offset = 0, .bytes = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0}},
      // The group: reserved, type 2, one entry naming the cursor by its id.
      {.name = "group cursor", .type = {12, {}}, .id = {103, {}}, .offset = 0, .bytes = {0, 0, 2, 0, 1, 0}},
      // The cursor itself: its hot spot, then the image.
      {.name = "cursor", .type = {1, {}}, .id = {1, {}}, .offset = 0, .bytes = {1, 0, 0, 0, 40, 0, 0, 0}},
      {.name = "DLGINIT as RT_DLGINIT", .type = {240, {}}, .id = {100, {}}, .offset = 0,
       .bytes = {0xE9, 0x03, 0x03, 0x04, 3, 0, 0, 0, 'a', 'b', 0, 0, 0}},
      {.name = "TOOLBAR as RT_TOOLBAR", .type = {241, {}}, .id = {104, {}}, .offset = 0,
       .bytes = {1, 0, 16, 0, 15, 0, 2, 0, 200, 0, 0, 0}},
      {.name = "file under a string type and an upper-case name", .type = {0, "REGISTRY"}, .id = {0, "ADDIN"},
       .offset = 0, .bytes = {'H', 'K', 'C', 'R', '\r', '\n', '{', '\r', '\n', '}', '\r', '\n'}},
      {.name = "file from an include folder", .type = {0, "TEMPLATE"}, .id = {105, {}}, .offset = 0, .bytes = {'A', 0, 'B'}},
      {.name = "type library", .type = {0, "TYPELIB"}, .id = {106, {}}, .offset = 0, .bytes = {'H', 'K', 'C', 'R'}},
      {.name = "inline data: words, a dword, narrow text", .type = {10, {}}, .id = {107, {}}, .offset = 0,
       .bytes = {1, 0, 2, 0, 0, 0, 'a', 'b'}},
      {.name = "unknown type name kept", .type = {0, "MYDATA"}, .id = {108, {}}, .offset = 0, .bytes = {7, 0}},
      // VS_VERSIONINFO: its key after the lengths and type, then VS_FIXEDFILEINFO's signature.
      {.name = "version", .type = {16, {}}, .id = {1, {}}, .offset = 6, .bytes = {'V', 0, 'S', 0, '_', 0, 'V', 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const rc::Resource* r = Find(compiled.resources, c.type, c.id);
    ASSERT_NE(r, nullptr);
    ASSERT_GE(r->data.size(), c.offset + c.bytes.size());
    EXPECT_EQ(Bytes(r->data.begin() + static_cast<long>(c.offset), r->data.begin() + static_cast<long>(c.offset + c.bytes.size())),
              c.bytes);
  }
  EXPECT_EQ(Find(compiled.resources, {2, {}}, {102, {}})->data.size(), BmpFile(3, 2).size() - 14);
  EXPECT_EQ(compiled.resources.size(), std::size(cases));
}

TEST_F(RcBuild, TracksTheHeadersAndTheFilesTheScriptNames) {
  Write("src/resource.h", "#include <common.h>\n#define IDB_PICTURE 5\nconst char* s = \"other.txt\";\n");
  Write("inc/common.h", "#define IDR_DATA 6\n");
  Write("src/res/picture.bmp", BmpFile(1, 1));
  Write("inc/data.txt", "data");
  Write("src/other.txt", "named in the header's C text only");
  const auto compiled = Compile(
      "#include \"resource.h\"\n"
      "IDB_PICTURE BITMAP \"res/picture.bmp\"\n"
      "IDR_DATA TEMPLATE \"data.txt\"\n"
      "STRINGTABLE BEGIN 1 \"Hi\" END\n");
  const std::vector<fs::path> expected{dir_ / "src/app.rc", dir_ / "src/resource.h", dir_ / "inc/common.h",
                                       dir_ / "src/res/picture.bmp", dir_ / "inc/data.txt"};
  EXPECT_EQ(compiled.dependencies, expected);
}

TEST_F(RcBuild, RefusesWhatTheToolsRefuseWithTheirMessages) {
  Write("src/resource.h", "#define IDR_X 1\n");
  Write("src/res/t.txt", "t");
  Write("src/more.rc2", "\n#pragma code_page(65001)\n");
  const struct {
    const char* name;
    std::string script;
    std::string message;  // a part of the message
  } cases[] = {
      {.name = "syntax error (llvm-rc names no line)", .script = "\n1 DIALOGEX 0, 0, 10\nBEGIN\nEND\n",
       .message = "llvm-rc: Error parsing file: expected ',', got BEGIN"},
      {.name = "missing include", .script = "\n#include \"missing.h\"\n", .message = "app.rc:2:10: fatal error: 'missing.h' file not found"},
      {.name = "include names must match the file's case", .script = "#include \"Resource.h\"\n",
       .message = "app.rc:1:10: fatal error: 'Resource.h' file not found"},
      {.name = "#error", .script = "#ifndef X\n#error X must be defined\n#endif\n", .message = "app.rc:2:2: error: X must be defined"},
      {.name = "missing file", .script = "1 BITMAP \"nope.bmp\"\n", .message = "file not found : nope.bmp"},
      {.name = "a backslash in a file name is no separator", .script = "1 TEMPLATE \"res\\\\t.txt\"\n",
       .message = "file not found : res\\\\t.txt"},
      {.name = "duplicate string id", .script = "STRINGTABLE BEGIN 1 \"a\" END\nSTRINGTABLE BEGIN 1 \"b\" END\n",
       .message = "Multiple STRINGTABLE strings located under ID 1"},
      {.name = "duplicate resource", .script = "#include \"resource.h\"\nIDR_X TEMPLATE \"res/t.txt\"\n1 template \"res/t.txt\"\n",
       .message = "app.rc: duplicate resource 1 of type TEMPLATE"},
      {.name = "same resource in two languages", .script = "LANGUAGE 9, 1\n2 TEMPLATE \"res/t.txt\"\nLANGUAGE 7, 1\n2 TEMPLATE \"res/t.txt\"\n",
       .message = "duplicate resource 2 of type TEMPLATE"},
      {.name = "code page llvm-rc would ignore", .script = "STRINGTABLE BEGIN 1 \"a\" END\n\n#pragma code_page(932)\n",
       .message = "app.rc:3: #pragma code_page(932) is not honoured"},
      {.name = "code page in an included script", .script = "#pragma code_page(1252)\n#include \"more.rc2\"\n",
       .message = "more.rc2:2: #pragma code_page(65001) is not honoured"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string message = Refusal(c.script);
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
  }
}

TEST_F(RcBuild, RefusesAMalformedResFile) {
  Write("src/AddIn.rgs", "HKCR");
  Compile("AddIn REGISTRY \"AddIn.rgs\"\n");
  const std::string good = Read("work/app.res");
  ASSERT_EQ(rc::ReadResFile(good).size(), 1u);
  // The empty first entry is 32 bytes; the resource's header follows: data size, header size,
  // "REGISTRY", "ADDIN", the fixed tail; then its 4 bytes of data.
  const size_t entry = 32, name = entry + 8 + 18;
  ASSERT_EQ(good.substr(name, 10), std::string("A\0D\0D\0I\0N\0", 10));
  const struct {
    const char* name;
    std::function<std::string(std::string)> spoil;
    const char* message;
  } cases[] = {
      {.name = "truncated in the data", .spoil = [](std::string s) { return s.substr(0, s.size() - 1); },
       .message = "the entry's sizes run past the end of the file"},
      {.name = "truncated in the sizes", .spoil = [&](std::string s) { return s.substr(0, entry + 6); },
       .message = "the entry ends early"},
      {.name = "header too short for the name", .spoil = [&](std::string s) { s[entry + 4] = 16; return s; },
       .message = "the entry ends early"},
      {.name = "name beyond ASCII", .spoil = [&](std::string s) { s[name] = '\xe9'; return s; },
       .message = "a resource name beyond ASCII is not supported"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      rc::ReadResFile(c.spoil(good));
      ADD_FAILURE() << "accepted";
    } catch (const rc::Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("malformed .res file at offset ", 0), 0u) << e.what();
    }
  }
}

TEST(RcDepfile, NamesWithBlanksHashesAndDollarsReadBackAsWritten) {
  const std::vector<fs::path> deps{"/src/a b.rc", "/src/#1.h", "/src/$x.bmp", "/plain.h"};
  const std::string text = rc::FormatDepfile("/out/app rc.cpp", deps);
  EXPECT_EQ(rc::ReadDepfile(text), deps) << text;
  EXPECT_EQ(rc::ReadDepfile("resources: /a.rc \\\n  /b.h /c\\ d.h\n"), (std::vector<fs::path>{"/a.rc", "/b.h", "/c d.h"}));
}

// The command line the build runs.
class RcCommandLine : public RcBuild {
 protected:
  int Run(const std::string& args) {
    const std::string command = std::string(RC_EXECUTABLE) + " --clang " + CLANG_EXECUTABLE + " --llvm-rc " +
                                LLVM_RC_EXECUTABLE + " " + args + " 2>" + (dir_ / "stderr.txt").string();
    return WEXITSTATUS(std::system(command.c_str()));
  }
  std::string Stderr() { return Read("stderr.txt"); }
};

TEST_F(RcCommandLine, WritesTheTableAndTheDepfile) {
  Write("src/resource.h", "#define IDS_A 1\n");
  Write("src/app.rc", "#include \"resource.h\"\nSTRINGTABLE BEGIN IDS_A \"a\" END\n");
  const fs::path out = dir_ / "work/out.cpp", dep = dir_ / "work/out.d";
  ASSERT_EQ(Run("-o " + out.string() + " --depfile " + dep.string() + " " + (dir_ / "src/app.rc").string()), 0) << Stderr();
  EXPECT_NE(Read("work/out.cpp").find("StandinRegisterResources(kResources, kResources, 1)"), std::string::npos);
  EXPECT_EQ(rc::ReadDepfile(Read("work/out.d")), (std::vector<fs::path>{dir_ / "src/app.rc", dir_ / "src/resource.h"}));
  EXPECT_EQ(Read("work/out.d").rfind(out.string() + ":", 0), 0u);
}

TEST_F(RcCommandLine, AnErrorLeavesNoOutput) {
  Write("src/app.rc", "STRINGTABLE BEGIN\n1 \"a\" ,,\nEND\n");
  Write("work/out.cpp", "// stale tables from an earlier run\n");
  EXPECT_EQ(Run("-o " + (dir_ / "work/out.cpp").string() + " " + (dir_ / "src/app.rc").string()), 1);
  EXPECT_NE(Stderr().find("llvm-rc: Error parsing file"), std::string::npos) << Stderr();
  EXPECT_FALSE(fs::exists(dir_ / "work/out.cpp"));
  EXPECT_FALSE(fs::exists(dir_ / "work/out.cpp.tmp"));
  EXPECT_EQ(Run("-o"), 1);
  EXPECT_NE(Stderr().find("usage: rc"), std::string::npos) << Stderr();
}

}  // namespace
