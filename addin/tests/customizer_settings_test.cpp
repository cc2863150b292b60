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
