// Compiler and linker settings of components: which configurations receive them (Debug, Release,
// neither), what the Remove lists take away and what they never take, the Windows NT rules for the
// debug-information switches, and that applying a component twice changes nothing more.
#include <gtest/gtest.h>

#include <memory>

#include "customizer/VSProjectCustomizer.h"
#include "customizer_test_support.h"
#include "editors/DswEditor.h"

using namespace addin_test;

namespace {

// Release, Debug, and a Profile configuration that defines neither _DEBUG nor NDEBUG.
class CustomizerSettingsTest : public sandbox::testing::TempDriveTest<'P'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    WriteDisk("ThreeConfigs.dsp", FixtureBytes("ThreeConfigs.dsp"));
    WriteDisk("Thermo.dsw", sandbox::testing::ReadHostFile(SampleFolder() + "/Projects/Thermo/Thermo.dsw"));
    Reopen();
  }

  // Fresh editors over the files as they are on disk.
  void Reopen() {
    dspEditor_ = std::make_unique<CDspEditor>();
    dswEditor_ = std::make_unique<CDswEditor>();
    dspEditor_->Open("P:\\ThreeConfigs.dsp");
    dswEditor_->Open("P:\\Thermo.dsw");
  }

  static CComponent Meter() {
    CComponent meter = MakeComponent("Meter");
    meter.CompilerReleaseSettings = {"/I \"$(METER)\\include\"", "/D \"METER\""};
    meter.CompilerDebugSettings = {"/I \"$(METER)\\include\"", "/D \"METER\"", "/Z7", "/GR"};
    meter.RemoveCompilerReleaseSettings = {"/W3"};
    meter.RemoveCompilerDebugSettings = {"/Gm", "/GR", "/ZI"};
    meter.LinkerReleaseSettings = {"Meter.lib", "/libpath:\"$(METER)\\lib\""};
    meter.LinkerDebugSettings = {"Meterd.lib"};
    meter.RemoveLinkerReleaseSettings = {"/nologo"};
    meter.RemoveLinkerDebugSettings = {"/DEBUG"};  // the line says /debug: exact comparison keeps it
    return meter;
  }

  CDspEditor& Dsp() { return *dspEditor_; }
  CDswEditor& Dsw() { return *dswEditor_; }

  std::unique_ptr<CDspEditor> dspEditor_;
  std::unique_ptr<CDswEditor> dswEditor_;
};

const char kProfileCompiler[] =
    "/nologo /MD /W3 /GX /Zi /O2 /D \"WIN32\" /D \"_WINDOWS\" /D \"_WINDLL\" /D \"_AFXDLL\" /D \"_USRDLL\" "
    "/Yu\"stdafx.h\" /FD /c";
const char kProfileLinker[] = "/nologo /subsystem:windows /dll /profile /machine:I386";

TEST_F(CustomizerSettingsTest, EachConfigurationGetsItsListsAndASecondRunChangesNothing) {
  struct Case {
    const char* name;
    bool windowsNT;
    const char* releaseCompiler;
    const char* debugCompiler;
  } const cases[] = {
      {.name = "Windows 95: /Z7 takes the place of /ZI",
       .windowsNT = false,
       .releaseCompiler = "/nologo /MD /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_WINDLL\" /D \"_AFXDLL\" "
                          "/D \"_USRDLL\" /Yu\"stdafx.h\" /FD /c /I \"$(METER)\\include\" /D \"METER\"",
       .debugCompiler = "/nologo /MDd /W3 /GX /Z7 /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_WINDLL\" "
                        "/D \"_AFXDLL\" /D \"_USRDLL\" /Yu\"stdafx.h\" /FD /GZ /c /I \"$(METER)\\include\" "
                        "/D \"METER\" /GR"},
      {.name = "Windows NT: /Z7 is not added and /ZI stays",
       .windowsNT = true,
       .releaseCompiler = "/nologo /MD /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_WINDLL\" /D \"_AFXDLL\" "
                          "/D \"_USRDLL\" /Yu\"stdafx.h\" /FD /c /I \"$(METER)\\include\" /D \"METER\"",
       .debugCompiler = "/nologo /MDd /W3 /GX /ZI /Od /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /D \"_WINDLL\" "
                        "/D \"_AFXDLL\" /D \"_USRDLL\" /Yu\"stdafx.h\" /FD /GZ /c /I \"$(METER)\\include\" "
                        "/D \"METER\" /GR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reopen();
    CVSProjectCustomizer customizer(c.windowsNT);
    for (int run = 1; run <= 2; ++run) {
      SCOPED_TRACE("run " + std::to_string(run));
      customizer.AddComponentToProject(Dsw(), Dsp(), Meter());
      EXPECT_EQ(CompilerLine(Dsp(), 0), c.releaseCompiler);
      EXPECT_EQ(CompilerLine(Dsp(), 1), c.debugCompiler);
      EXPECT_EQ(CompilerLine(Dsp(), 2), kProfileCompiler);
      EXPECT_EQ(LinkerLine(Dsp(), 0), "/subsystem:windows /dll /machine:I386 Meter.lib /libpath:\"$(METER)\\lib\"");
      EXPECT_EQ(LinkerLine(Dsp(), 1), "/nologo /subsystem:windows /dll /debug /machine:I386 /pdbtype:sept Meterd.lib");
      EXPECT_EQ(LinkerLine(Dsp(), 2), kProfileLinker);
    }
  }
}

// The same switch counts as present; another debug-information switch is replaced, never joined.
TEST_F(CustomizerSettingsTest, ALineKeepsOneDebugInformationSwitch) {
  CVSProjectCustomizer customizer(false);
  CComponent zi = MakeComponent("Zi");
  zi.CompilerDebugSettings = {"/Zi"};
  customizer.AddComponentToProject(Dsw(), Dsp(), zi);
  customizer.AddComponentToProject(Dsw(), Dsp(), zi);
  const std::string debug = CompilerLine(Dsp(), 1);
  EXPECT_NE(debug.find("/Gm /GX /Zi /Od"), std::string::npos) << debug;
  for (const char* other : {"/ZI", "/Z7", "/Zd"}) EXPECT_EQ(debug.find(std::string(other) + " "), std::string::npos) << debug;
  EXPECT_EQ(debug.find("/Zi"), debug.rfind("/Zi")) << debug;
}

// A Remove list takes a debug-information switch by its exact text, except /ZI on Windows NT.
TEST_F(CustomizerSettingsTest, ARemoveListTakesDebugInformationSwitchesButNotZIOnNT) {
  struct Case {
    const char* name;
    bool windowsNT;
    const char* add;  // a Debug setting the component adds first, or null
    const char* remove;
    const char* debugAround;  // the Debug line around where its switch stands
  } const cases[] = {
      {"Windows 95 takes /ZI", false, NULL, "/ZI", "/Gm /GX /Od"},
      {"Windows NT keeps /ZI", true, NULL, "/ZI", "/Gm /GX /ZI /Od"},
      {"/Zi is not /ZI", false, NULL, "/Zi", "/Gm /GX /ZI /Od"},
      {"/Z7 added in place of /ZI, then taken", false, "/Z7", "/Z7", "/Gm /GX /Od"},
      {"Windows NT takes /Zi", true, "/Zi", "/Zi", "/Gm /GX /Od"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reopen();
    CComponent component = MakeComponent("Debugging");
    if (c.add != NULL) component.CompilerDebugSettings = {c.add};
    component.RemoveCompilerDebugSettings = {c.remove};
    CVSProjectCustomizer(c.windowsNT).AddComponentToProject(Dsw(), Dsp(), component);
    const std::string debug = CompilerLine(Dsp(), 1);
    EXPECT_NE(debug.find(std::string("/nologo /MDd /W3 ") + c.debugAround + " /D \"WIN32\""), std::string::npos)
        << debug;
  }
}

// Debug is told first: a line that defines both _DEBUG and NDEBUG is a Debug configuration.
TEST_F(CustomizerSettingsTest, ALineWithBothMarkersIsDebug) {
  std::string project = FixtureBytes("ThreeConfigs.dsp");
  const std::string release = "# ADD CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\"";
  ASSERT_NE(project.find(release), std::string::npos);
  project.replace(project.find(release), release.size(), release + " /D \"_DEBUG\"");
  WriteDisk("ThreeConfigs.dsp", project);
  Reopen();
  CVSProjectCustomizer(false).AddComponentToProject(Dsw(), Dsp(), Meter());
  EXPECT_EQ(LinkerLine(Dsp(), 0), "/nologo /subsystem:windows /dll /machine:I386 Meterd.lib");
}

// Removing a component takes its files, sections and workspace entries, never its settings.
TEST_F(CustomizerSettingsTest, RemovingAComponentLeavesItsSettings) {
  CVSProjectCustomizer customizer(false);
  customizer.AddComponentToProject(Dsw(), Dsp(), Meter());
  const std::string release = CompilerLine(Dsp(), 0), debug = CompilerLine(Dsp(), 1);
  const std::string releaseLink = LinkerLine(Dsp(), 0), debugLink = LinkerLine(Dsp(), 1);
  customizer.RemoveComponentFromProject(Dsw(), Dsp(), Meter());
  EXPECT_EQ(CompilerLine(Dsp(), 0), release);
  EXPECT_EQ(CompilerLine(Dsp(), 1), debug);
  EXPECT_EQ(LinkerLine(Dsp(), 0), releaseLink);
  EXPECT_EQ(LinkerLine(Dsp(), 1), debugLink);
}

}  // namespace
