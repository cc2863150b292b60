// The Wyc project reader: the sample projects read whole; path keys in their absolute and
// relative forms; a project saved elsewhere and a changed Wyc folder; target types; the file
// sets and the include folders they add; the failures, each leaving the object reset; and the
// assertion handler behind a bad file-set index.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InformationDepot.h"
#include "WycProject.h"
#include "plugin/CurrentDepot.h"
#include "sandbox/test_support.h"

namespace {

using Texts = std::vector<std::string>;

const std::string kSample = sandbox::testing::SourceRoot() + "/sample";

Texts TextsOf(const CPathSet& set) { return Texts(set.begin(), set.end()); }
Texts PathsOf(const CFileStampSet& set) {
  Texts paths;
  for (const CFileStamp& stamp : set) paths.push_back(std::string(stamp.m_path) + (stamp.m_flag ? " (excluded)" : ""));
  return paths;
}

template <class Body>
int Thrown(Body body) {
  try {
    body();
  } catch (CWycProjectExc e) {
    return e;
  }
  return -1;
}

// C: is the sample installation with its registry; the depot the plug-in lends is current. T: is
// a drive of the test's own.
class WycProjectTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    sandbox::MapDrive('C', kSample);
    ASSERT_TRUE(sandbox::RegistryLoad(kSample + "/sablewing.reg"));
    g_pCurrentDepot = &depot_;
  }
  void TearDown() override { g_pCurrentDepot = NULL; }

  // Writes T:\<name> (CR LF line ends) and reads it for the Wyc folder C:\Wyc.
  bool ReadText(CWycProject& project, const std::string& text, const std::string& name = "Proj\\p.prj") {
    std::string bytes;
    for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string relative = name;
    for (char& c : relative)
      if (c == '\\') c = '/';
    WriteDisk(relative, bytes);
    return project.Read(("T:\\" + name).c_str(), "C:\\Wyc");
  }
  // Every field empty, as after a reset.
  static void ExpectReset(const CWycProject& project) {
    EXPECT_EQ(project.GetTargetType(), CWycProject::NO_TARGET);
    EXPECT_TRUE(project.GetIncludePaths().empty());
    const CFileStampSet* sets[CWycProject::FILE_SET_COUNT];
    project.GetFileSets(sets);
    for (const CFileStampSet* set : sets) EXPECT_TRUE(set->empty());
    EXPECT_TRUE(project.GetIconFile().IsEmpty());
    EXPECT_TRUE(project.GetBuildConfiguration().IsEmpty());
    EXPECT_TRUE(project.GetVXIPNPDir().IsEmpty());
  }

  CInformationDepot depot_;
};

TEST_F(WycProjectTest, TheSampleProjectsReadWhole) {
  CWycProject project;
  ASSERT_TRUE(project.Read("C:\\Projects\\WycMeter\\WycMeter.prj", "C:\\Wyc"));
  EXPECT_EQ(project.GetTargetType(), CWycProject::EXECUTABLE);
  EXPECT_EQ(std::string(project.GetBuildConfiguration()), "Debug");
  EXPECT_EQ(std::string(project.GetIconFile()), "C:\\Projects\\WycMeter\\meter.ico");
  EXPECT_EQ(std::string(project.GetApplicationTitle()), "Sample Meter");
  EXPECT_EQ(std::string(project.GetComments()), "A sample project \"of our own\"") << "escapes undone";
  EXPECT_EQ(std::string(project.GetLegalCopyright()), "Copyright \xa9 Vellacott");
  EXPECT_EQ(std::string(project.GetNumericFileVersion()), "1,0,0,0");
  EXPECT_EQ(std::string(project.GetOriginalFilename()), "WycMeter.exe");
  EXPECT_TRUE(project.GetSpecialBuild().IsEmpty());
  EXPECT_FALSE(project.GetInstrDriverSupportOnly());
  EXPECT_EQ(std::string(project.GetVXIPNPDir()), "C:\\VXIPNP\\WinNT");
  const std::string meter = "C:\\Projects\\WycMeter";
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::C_SOURCE_FILES)).size(), 2u);
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::INCLUDE_FILES)), (Texts{meter + "\\meter.h"}));
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::LIBRARY_FILES)), (Texts{meter + "\\meterlib.lib"}));
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::FUNCTION_PANEL_FILES)).size(), 2u);
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::UIR_FILES)).size(), 2u);
  EXPECT_TRUE(project.GetFileSet(CWycProject::OBJECT_FILES).empty());
  EXPECT_TRUE(project.GetFileSet(CWycProject::OTHER_FILES).empty()) << "notes.txt is not in the project";
  EXPECT_EQ(TextsOf(project.GetIncludePaths()),
            (Texts{"C:\\Projects\\WycMeter", "C:\\Projects\\WycMeter\\panels", "C:\\Wyc\\toolslib\\toolbox"}))
      << "the UIR's sub-folder and the header's folder among them";

  CWycProject dll;
  ASSERT_TRUE(dll.Read("C:\\Projects\\WycMeter\\WycMeterDll.prj", "C:\\Wyc"));
  EXPECT_EQ(dll.GetTargetType(), CWycProject::DYNAMIC_LINK_LIBRARY);
  EXPECT_TRUE(dll.GetExportIncludeSymbols());
  EXPECT_EQ(dll.GetDllCopyTarget(), CWycProject::DLL_COPY_VXIPNP_DIRECTORY);
  EXPECT_EQ(std::string(dll.GetOriginalFilename()), "WycMeterDll.dll");

  EXPECT_FALSE(project.Read("C:\\Projects\\WycMeter\\Missing.prj", "C:\\Wyc")) << "no file: false, no exception";
  EXPECT_EQ(project.GetTargetType(), CWycProject::EXECUTABLE) << "nothing else changes";
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(WycProjectTest, PathKeysInEveryForm) {
  const struct {
    const char* what;
    const char* keys;   // the "Icon File" key and its companions
    const char* path;   // nullptr: malformed
  } rows[] = {
      {.what = "a one-letter first component is the drive", .keys = "Icon File = \"/c/d/f.ico\"",
       .path = "c:\\d\\f.ico"},
      {.what = "a longer one lies on drive c", .keys = "Icon File = \"/proj/f.ico\"", .path = "c:\\proj\\f.ico"},
      {.what = "one component", .keys = "Icon File = \"/f.ico\"", .path = "c:\\f.ico"},
      {.what = "a drive path stays", .keys = "Icon File = \"C:\\\\d\\\\f.ico\"", .path = "C:\\d\\f.ico"},
      {.what = "a UNC path stays", .keys = "Icon File = \"\\\\\\\\server\\\\share\\\\f.ico\"",
       .path = "\\\\server\\share\\f.ico"},
      {.what = "a UNC path with forward slashes", .keys = "Icon File = \"//server/share/f.ico\"",
       .path = "\\\\server\\share\\f.ico"},
      {.what = "absent", .keys = "", .path = ""},
      {.what = "an Is Rel that is no boolean counts as absolute",
       .keys = "Icon File Is Rel = Maybe\nIcon File = \"/c/d/f.ico\"\nIcon File Rel To = \"Project\"", .path = "c:\\d\\f.ico"},
      {.what = "relative to the project",
       .keys = "Icon File Is Rel = True\nIcon File Rel To = \"Project\"\nIcon File Rel Path = \"res/f.ico\"\n"
               "Icon File = \"/z/elsewhere.ico\"",
       .path = "T:\\Proj\\res\\f.ico"},
      {.what = "relative to the Wyc folder",
       .keys = "Icon File Is Rel = True\nIcon File Rel To = \"Wyc\"\nIcon File Rel Path = \"bin/wyc.ico\"",
       .path = "C:\\Wyc\\bin\\wyc.ico"},
      {.what = "relative to the VXIplug&play folder",
       .keys = "Icon File Is Rel = True\nIcon File Rel To = \"VXIPlug&Play\"\nIcon File Rel Path = \"x.ico\"",
       .path = "C:\\VXIPNP\\WinNT\\x.ico"},
      {.what = "relative to its kbase folder",
       .keys = "Icon File Is Rel = True\nIcon File Rel To = \"VXIPlug&Play kbase\"\nIcon File Rel Path = \"x.ico\"",
       .path = "C:\\VXIPNP\\WinNT\\kbase\\x.ico"},
      {.what = "\"project\" in lower case", .keys = "Icon File Is Rel = True\nIcon File Rel To = \"project\"\n"
                                                 "Icon File Rel Path = \"f.ico\"", .path = nullptr},
      {.what = "no base", .keys = "Icon File Is Rel = True\nIcon File Rel Path = \"f.ico\"", .path = nullptr},
      {.what = "no relative path", .keys = "Icon File Is Rel = True\nIcon File Rel To = \"Project\"", .path = nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CWycProject project;
    const std::string text = std::string("[Project Header]\nPathname = \"/t/Proj/p.prj\"\n[Create Executable]\n") +
                             row.keys + "\n";
    if (row.path == nullptr) {
      EXPECT_EQ(Thrown([&] { ReadText(project, text); }), WYCPRJ_EXC_MALFORMED);
      ExpectReset(project);
    } else {
      EXPECT_TRUE(ReadText(project, text));
      EXPECT_EQ(std::string(project.GetIconFile()), row.path);
    }
  }
}

TEST_F(WycProjectTest, AMovedProjectAndAnotherWycFolderMoveOnlyWhatLiesInThem) {
  WriteDisk("New/a.c", "");
  WriteDisk("New/sub/b.uir", "");
  WriteDisk("Old2/c.c", "");
  const std::string text =
      "[Project Header]\nPathname = \"/t/Old/p.prj\"\nWyc Dir = \"/t/OldWyc\"\n"
      "[Include Paths]\nInclude Path 1 = \"/t/OldWyc/include\"\nInclude Path 2 = \"/t/OldWycX/include\"\n"
      "Include Path 3 = \"/t/Old\"\nInclude Path 4 = \"/t/OldWyc\"\n"
      "[File 0001]\nPath = \"/t/Old/a.c\"\nExclude = False\nFile Type = \"CSource\"\n"
      "[File 0002]\nPath = \"/t/Old2/c.c\"\nExclude = True\nFile Type = \"CSource\"\n"
      "[File 0003]\nPath = \"/t/Old/sub/b.uir\"\nExclude = False\nFile Type = \"User Interface Resource\"\n";
  CWycProject project;
  ASSERT_TRUE(ReadText(project, text, "New\\p.prj"));
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::C_SOURCE_FILES)).size(), 2u);
  Texts sources = PathsOf(project.GetFileSet(CWycProject::C_SOURCE_FILES));
  std::sort(sources.begin(), sources.end());
  EXPECT_EQ(sources, (Texts{"T:\\New\\a.c", "t:\\Old2\\c.c (excluded)"}));
  EXPECT_EQ(TextsOf(project.GetIncludePaths()),
            (Texts{"C:\\Wyc", "C:\\Wyc\\include", "T:\\New", "T:\\New\\sub", "t:\\OldWycX\\include"}));
}

TEST_F(WycProjectTest, TargetTypes) {
  const struct {
    const char* what;
    const char* header;
    const char* executable;
    int type;  // -1: malformed
    bool exportSymbols = false;
    int copyTo = CWycProject::DLL_COPY_NONE;
  } rows[] = {
      {.what = "no target type: an executable, whatever the flags", .header = "Flags = 1024", .executable = "",
       .type = CWycProject::EXECUTABLE},
      {.what = "an executable", .header = "Target Type = \"Executable\"\nFlags = 16", .executable = "",
       .type = CWycProject::EXECUTABLE},
      {.what = "a console executable", .header = "Target Type = \"Executable\"\nFlags = 1040", .executable = "",
       .type = CWycProject::CONSOLE_EXECUTABLE},
      {.what = "a static library", .header = "Target Type = \"Static Library\"", .executable = "",
       .type = CWycProject::STATIC_LIBRARY},
      {.what = "a DLL into the system folder", .header = "Target Type = \"Dynamic Link Library\"",
       .executable = "DLL Exports = \"Include File And Marked Symbols\"\nWhere to Copy DLL = \"Windows System directory\"",
       .type = CWycProject::DYNAMIC_LINK_LIBRARY, .exportSymbols = true, .copyTo = CWycProject::DLL_COPY_SYSTEM_DIRECTORY},
      {.what = "a DLL with other texts", .header = "Target Type = \"Dynamic Link Library\"",
       .executable = "DLL Exports = \"Marked Symbols\"\nWhere to Copy DLL = \"Do not copy\"",
       .type = CWycProject::DYNAMIC_LINK_LIBRARY, .exportSymbols = false, .copyTo = CWycProject::DLL_COPY_NONE},
      {.what = "a DLL without its exports", .header = "Target Type = \"Dynamic Link Library\"",
       .executable = "Where to Copy DLL = \"Windows System directory\"", .type = -1},
      {.what = "a DLL without its copy target", .header = "Target Type = \"Dynamic Link Library\"",
       .executable = "DLL Exports = \"Include File Symbols\"", .type = -1},
      {.what = "another target type", .header = "Target Type = \"executable\"", .executable = "", .type = -1},
      {.what = "flags that are no number", .header = "Flags = many", .executable = "", .type = -1},
      {.what = "a support flag that is no boolean", .header = "",
       .executable = "Instrument Driver Support Only = 2", .type = -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CWycProject project;
    const std::string text = std::string("[Project Header]\nPathname = \"/t/Proj/p.prj\"\n") + row.header +
                             "\n[Create Executable]\n" + row.executable + "\n";
    if (row.type < 0) {
      EXPECT_EQ(Thrown([&] { ReadText(project, text); }), WYCPRJ_EXC_MALFORMED);
      ExpectReset(project);
      continue;
    }
    EXPECT_TRUE(ReadText(project, text));
    EXPECT_EQ(project.GetTargetType(), row.type);
    EXPECT_EQ(project.GetExportIncludeSymbols(), row.exportSymbols);
    EXPECT_EQ(project.GetDllCopyTarget(), row.copyTo);
    EXPECT_EQ(std::string(project.GetBuildConfiguration()), "Release") << "the default";
  }
}

TEST_F(WycProjectTest, FileSetsAndTheirFailures) {
  WriteDisk("Proj/a.c", "");
  WriteDisk("Proj/inc/a.h", "");
  WriteDisk("a.uir", "");
  const auto file = [](int n, const std::string& path, const std::string& type, const char* exclude = "False") {
    char section[32];
    std::snprintf(section, sizeof section, "[File %04d]\n", n);
    return std::string(section) + "Path = \"" + path + "\"\nExclude = " + exclude + "\nFile Type = \"" + type + "\"\n";
  };
  const std::string header = "[Project Header]\nPathname = \"/t/Proj/p.prj\"\n";
  CWycProject project;
  ASSERT_TRUE(ReadText(project, header + file(1, "/t/Proj/a.c", "CSource") + file(2, "/t/Proj/a.c", "CSource") +
                                    file(3, "/t/Proj/a.c", "Unknown", "True") + file(4, "/t/Proj/inc/a.h", "Include") +
                                    file(6, "/t/Proj/gone.c", "CSource")));
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::C_SOURCE_FILES)), (Texts{"T:\\Proj\\a.c"}))
      << "the same file and time twice: one record; File 0006 is never reached after the missing 0005";
  EXPECT_EQ(PathsOf(project.GetFileSet(CWycProject::OTHER_FILES)), (Texts{"T:\\Proj\\a.c (excluded)"}))
      << "the same file under a second type";
  EXPECT_EQ(TextsOf(project.GetIncludePaths()), (Texts{"T:\\Proj\\inc"}));

  const struct {
    const char* what;
    std::string files;
    int thrown;
  } rows[] = {
      {.what = "a missing file", .files = file(1, "/t/Proj/gone.c", "CSource"), .thrown = WYCPRJ_EXC_MISSING_FILE},
      {.what = "a missing file not in the project",
       .files = file(1, "/t/Proj/gone.c", "CSource") + "Not In Project = True\n" + file(2, "/t/Proj/a.c", "Object"),
       .thrown = -1},
      {.what = "no Exclude", .files = "[File 0001]\nPath = \"/t/Proj/a.c\"\nFile Type = \"CSource\"\n",
       .thrown = WYCPRJ_EXC_MALFORMED},
      {.what = "an Exclude that is no boolean", .files = file(1, "/t/Proj/a.c", "CSource", "No"),
       .thrown = WYCPRJ_EXC_MALFORMED},
      {.what = "no File Type", .files = "[File 0001]\nPath = \"/t/Proj/a.c\"\nExclude = False\n",
       .thrown = WYCPRJ_EXC_MALFORMED},
      {.what = "another File Type", .files = file(1, "/t/Proj/a.c", "C Source"), .thrown = WYCPRJ_EXC_MALFORMED},
      {.what = "a UIR path without a folder", .files = file(1, "T:a.uir", "User Interface Resource"),
       .thrown = WYCPRJ_EXC_MALFORMED},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CWycProject failing;
    if (row.thrown < 0) {
      EXPECT_TRUE(ReadText(failing, header + row.files));
      EXPECT_EQ(PathsOf(failing.GetFileSet(CWycProject::OBJECT_FILES)), (Texts{"T:\\Proj\\a.c"}));
      continue;
    }
    EXPECT_EQ(Thrown([&] { ReadText(failing, header + row.files); }), row.thrown);
    ExpectReset(failing);
  }

  // A Pathname whose path has no folder part is malformed too.
  CWycProject noFolder;
  EXPECT_EQ(Thrown([&] { ReadText(noFolder, "[Project Header]\nPathname = \"p.prj\"\n"); }), WYCPRJ_EXC_MALFORMED);
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(WycProjectTest, TheSettingsReadersFailuresAreItsOwn) {
  CWycProject project;
  WriteDisk("Proj/p.prj", "[Project Header]\r\nPathname = \"/t/Proj/p.prj\"\r\n");
  sandbox::InjectFileFailure("T:\\Proj\\p.prj", "read", ERROR_READ_FAULT);
  EXPECT_EQ(Thrown([&] { project.Read("T:\\Proj\\p.prj", "C:\\Wyc"); }), WYCPRJ_EXC_INI_READ);
  ExpectReset(project);
  sandbox::ClearFileFailures();
  // The file opens for the look, then not for the reader.
  sandbox::InjectFileFailure("T:\\Proj\\p.prj", "open", ERROR_SHARING_VIOLATION, 2);
  EXPECT_FALSE(project.Read("T:\\Proj\\p.prj", "C:\\Wyc"));
}

// --- The assertion handler behind GetFileSet ----------------------------------------------

class AssertionTest : public WycProjectTest {
 protected:
  static LRESULT CALLBACK OnCreate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CBT_CREATEWND* create = reinterpret_cast<const CBT_CREATEWND*>(lParam);
      if (create->lpcs->lpszName != nullptr && std::string(create->lpcs->lpszName) == "Assertion Failed!") {
        s_owner = create->lpcs->hwndParent;
        if (s_nestedProject != nullptr) s_nestedProject->GetFileSet(-1);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static HWND s_owner;
  static const CWycProject* s_nestedProject;
};
HWND AssertionTest::s_owner = nullptr;
const CWycProject* AssertionTest::s_nestedProject = nullptr;

TEST_F(AssertionTest, ABadIndexIsShownAndTheAnswerDecides) {
  CWycProject project;
  const struct {
    const char* what;
    int answer;
    unsigned breaks;
    std::vector<uint32_t> ends;
  } rows[] = {
      {.what = "Ignore goes on", .answer = IDIGNORE, .breaks = 0, .ends = {}},
      {.what = "Retry breaks into the debugger", .answer = IDRETRY, .breaks = 1, .ends = {}},
      {.what = "Abort ends the program", .answer = IDABORT, .breaks = 0, .ends = {3}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    sandbox::Reset();
    sandbox::QueueAnswer("MessageBox", {row.answer, {}});
    EXPECT_TRUE(project.GetFileSet(7).empty());
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].caption, "Assertion Failed!");
    EXPECT_EQ(modals[0].text, "File AppWizard\\WycForVCShared\\CWycProject, Line 203");
    EXPECT_EQ(modals[0].style, static_cast<unsigned>(MB_ABORTRETRYIGNORE | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND));
    EXPECT_EQ(sandbox::DebugOutput(),
              (std::vector<std::string>{"Assertion Failed: File AppWizard\\WycForVCShared\\CWycProject, Line 203\n"}));
    EXPECT_EQ(sandbox::DebugBreaks(), row.breaks);
    EXPECT_EQ(sandbox::ProgramEnds(), row.ends);
  }
}

TEST_F(AssertionTest, TheBoxIsOwnedByTheLastActivePopupAndANestedFailureBreaksAtOnce) {
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "Frame";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND frame = CreateWindowEx(0, "Frame", "IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  HWND wizard = CreateWindowEx(0, "Frame", "Wizard", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, frame, nullptr, nullptr,
                               nullptr);
  SetActiveWindow(wizard);
  HHOOK hook = SetWindowsHookEx(WH_CBT, OnCreate, nullptr, GetCurrentThreadId());
  CWycProject project;
  s_nestedProject = &project;
  sandbox::QueueAnswer("MessageBox", {IDIGNORE, {}});
  EXPECT_TRUE(project.GetFileSet(-1).empty());
  s_nestedProject = nullptr;
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(s_owner, wizard) << "the active window's last active popup, not the frame";
  EXPECT_EQ(sandbox::Modals().size(), 1u) << "the nested failure showed no box";
  EXPECT_EQ(sandbox::DebugBreaks(), 1u) << "it broke into the debugger at once";
  EXPECT_EQ(sandbox::DebugOutput().size(), 1u);
  DestroyWindow(frame);
}

}  // namespace
