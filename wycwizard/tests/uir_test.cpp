// The callbacks of .uir files through the run-time engine stand-in: the names each kind gives,
// once each, the engine's errors turned into CUIRExc with nothing left loaded, and the binding
// that fails once and for all when the engine or one of its entry points is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/wycrte.h"
#include "uir/UIR.h"
#include "wyc_test_support.h"

// The test program carries the reader as the Wyc add-in does.
extern const UINT g_nUIREngineMessageId = 110;

namespace {

using wyctest::WycTest;
namespace rte = sandbox::wycrte;
using Names = std::vector<CString>;

Names CallbacksOf(const CUIR& uir, int kind) { return uir.GetCallbacks(kind); }

// Runs the reader on one file: -1 when it was read, else the CUIRExc thrown.
int ReadOutcome(CUIR& uir, const CString& path) {
  try {
    uir.ReadCallbacks(path);
    return -1;
  } catch (CUIRExc e) {
    return e;
  }
}

class UIRTest : public WycTest {};

TEST_F(UIRTest, TheSampleFileGivesEachKindsNamesOnceInTheOrderMet) {
  CopyMeter();
  CUIR uir;
  uir.ReadCallbacks("T:\\Projects\\WycMeter\\meter.uir");
  EXPECT_EQ(uir.GetPath(), "T:\\Projects\\WycMeter\\meter.uir");
  EXPECT_EQ(CallbacksOf(uir, CUIR::PANEL_CALLBACKS), (Names{"MainPanelCB", "AboutPanelCB"}));
  EXPECT_EQ(CallbacksOf(uir, CUIR::CONTROL_CALLBACKS), (Names{"QuitCB", "AcquireCB", "PlotCB"}))
      << "a control without callback adds nothing; QuitCB of the second panel is there already";
  EXPECT_EQ(CallbacksOf(uir, CUIR::MENU_CALLBACKS), (Names{"MeterMenuCB", "FileOpenCB", "FileSaveCB", "QuitMenuCB"}));
  EXPECT_EQ(rte::SystemAttributes(), (std::vector<std::pair<int, int>>{{1410, 1}, {1405, 0}}));
  EXPECT_EQ(rte::LiveHandles(), 0u);

  uir.ReadCallbacks("T:\\Projects\\WycMeter\\panels\\setup.uir");
  EXPECT_EQ(CallbacksOf(uir, CUIR::CONTROL_CALLBACKS), (Names{"ApplyCB", "QuitCB"})) << "a new file starts afresh";
  EXPECT_TRUE(CallbacksOf(uir, CUIR::MENU_CALLBACKS).empty());
  uir.Clear();
  EXPECT_TRUE(uir.GetPath().IsEmpty());
  EXPECT_TRUE(CallbacksOf(uir, CUIR::PANEL_CALLBACKS).empty());
}

TEST_F(UIRTest, ANameLongerThanAnyFixedBufferIsReadWhole) {
  const std::string longName = "Long" + std::string(296, 'x');
  WriteDisk("long.uir", "WycUIR 1\nPanel " + longName + "\nControl " + longName + "\n");
  CUIR uir;
  uir.ReadCallbacks("T:\\long.uir");
  EXPECT_EQ(CallbacksOf(uir, CUIR::PANEL_CALLBACKS), (Names{longName.c_str()}));
  EXPECT_EQ(CallbacksOf(uir, CUIR::CONTROL_CALLBACKS), (Names{longName.c_str()}));
}

TEST_F(UIRTest, EngineErrorsEndTheReadWithNothingLeftLoaded) {
  WriteDisk("good.uir", "WycUIR 1\nPanel P1\nControl C1\nControl C2\nMenuBar M\nItem I1\n");
  WriteDisk("second.uir", "WycUIR 1\nPanel P1\nControl C1\nPanel P2\nItem NoControl\n");
  WriteDisk("bar.uir", "WycUIR 1\nPanel P1\nMenuBar M\nControl NoItem\n");
  const struct {
    const char* what;
    const char* file;
    const char* entryPoint = nullptr;  // with `call` and `answer`: the engine's answer set; nullptr: none
    unsigned call = 0;
    int answer = 0;
    int outcome;  // -1: read
  } rows[] = {
      {.what = "-94 on the second panel", .file = "T:\\second.uir", .outcome = UIR_EXC_MALFORMED},
      {.what = "-94 on a menu bar", .file = "T:\\bar.uir", .outcome = UIR_EXC_MALFORMED},
      {.what = "a file the engine cannot open", .file = "T:\\missing.uir", .outcome = UIR_EXC_ENGINE},
      {.what = "a load answering 0", .file = "T:\\good.uir", .entryPoint = "LoadPanel", .call = 1, .answer = 0,
       .outcome = UIR_EXC_ENGINE},
      {.what = "a menu bar load answering another error", .file = "T:\\good.uir", .entryPoint = "LoadMenuBar",
       .call = 1, .answer = -12, .outcome = UIR_EXC_ENGINE},
      {.what = "a control's length failing", .file = "T:\\good.uir", .entryPoint = "GetCtrlAttribute", .call = 1,
       .answer = -3, .outcome = UIR_EXC_ENGINE},
      {.what = "a control's name failing", .file = "T:\\good.uir", .entryPoint = "GetCtrlAttribute", .call = 2,
       .answer = -3, .outcome = UIR_EXC_ENGINE},
      {.what = "an item failing", .file = "T:\\good.uir", .entryPoint = "GetMenuBarAttribute", .call = 3,
       .answer = -6, .outcome = UIR_EXC_ENGINE},
      {.what = "the bar's own callback failing", .file = "T:\\good.uir", .entryPoint = "GetMenuBarAttribute",
       .call = 1, .answer = -6, .outcome = UIR_EXC_ENGINE},
      {.what = "the panel's own callback failing leaves it out and reads on", .file = "T:\\good.uir",
       .entryPoint = "GetPanelAttribute", .call = 1, .answer = -6, .outcome = -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.entryPoint != nullptr) rte::AnswerAt(row.entryPoint, row.call, row.answer);
    CUIR uir;
    EXPECT_EQ(ReadOutcome(uir, row.file), row.outcome);
    EXPECT_EQ(rte::LiveHandles(), 0u);
    if (row.outcome == -1) {
      EXPECT_TRUE(CallbacksOf(uir, CUIR::PANEL_CALLBACKS).empty());
      EXPECT_EQ(CallbacksOf(uir, CUIR::CONTROL_CALLBACKS), (Names{"C1", "C2"}));
    }
  }
}

// The engine holds a limited number of panels: each is discarded before the next one loads, so a
// file of more panels than that reads; once the program's own panels use every handle, the read
// fails.
TEST_F(UIRTest, EveryPanelIsDiscardedBeforeTheNextOneLoads) {
  std::string text = "WycUIR 1\n";
  for (int i = 0; i < rte::kMaxHandles + 6; ++i) text += "Panel P" + std::to_string(i) + "\n";
  WriteDisk("many.uir", text);
  CUIR uir;
  uir.ReadCallbacks("T:\\many.uir");
  EXPECT_EQ(CallbacksOf(uir, CUIR::PANEL_CALLBACKS).size(), static_cast<size_t>(rte::kMaxHandles + 6));

  HMODULE engine = LoadLibrary("wycrte.dll");
  ASSERT_NE(engine, nullptr) << "error " << GetLastError();
  auto loadPanel = reinterpret_cast<int (*)(int, const char*, int)>(
      reinterpret_cast<void (*)()>(GetProcAddress(engine, "LoadPanel")));
  for (int i = 0; i < rte::kMaxHandles; ++i) ASSERT_GT(loadPanel(0, "T:\\many.uir", 1), 0);
  EXPECT_EQ(ReadOutcome(uir, "T:\\many.uir"), UIR_EXC_ENGINE) << "no handle left";
  EXPECT_EQ(rte::LiveHandles(), static_cast<unsigned>(rte::kMaxHandles));
  FreeLibrary(engine);
}

// The binding is made once per module: these rows load UIRProbe.dll, which carries the reader
// (and string 54), fresh each time.
class EngineBinding : public WycTest {
 protected:
  void TearDown() override {
    if (probe_ != nullptr) FreeLibrary(probe_);
  }
  template <class Function>
  Function Probe(const char* name) {
    if (probe_ == nullptr) probe_ = LoadLibrary(sandbox::WindowsPath(UIR_PROBE_FILE).c_str());
    EXPECT_NE(probe_, nullptr);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(probe_, name)));
  }
  HMODULE probe_ = nullptr;
};

// The references the process holds on modules named wycrte.dll, wherever they came from.
unsigned EngineReferences() {
  unsigned references = 0;
  for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
    if (module.path.size() >= 10 && module.path.compare(module.path.size() - 10, 10, "wycrte.dll") == 0)
      references += module.references;
  return references;
}

TEST_F(EngineBinding, AMissingEngineOrEntryPointIsShownOnceAndFailsEveryCall) {
  const struct {
    const char* what;
    void (*set)();
  } rows[] = {
      {.what = "no engine installed", .set = [] { sandbox::RefuseLoad("wycrte.dll", ERROR_MOD_NOT_FOUND); }},
      {.what = "an engine that fails to start", .set = [] { sandbox::RefuseLoad("wycrte.dll", ERROR_DLL_INIT_FAILED); }},
      {.what = "the first entry point looked up missing",
       .set = [] { sandbox::HideExport("wycrte.dll", "DiscardMenuBar"); }},
      {.what = "the last entry point looked up missing",
       .set = [] { sandbox::HideExport("wycrte.dll", "SetSystemAttribute"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    if (probe_ != nullptr) FreeLibrary(probe_);
    probe_ = nullptr;
    sandbox::Reset();
    WycTest::SetUp();
    WriteDisk("good.uir", "WycUIR 1\nPanel P1\n");
    WriteDisk("table.c", "the old table");
    row.set();
    const unsigned references = EngineReferences();
    EXPECT_EQ(Probe<int (*)()>("ProbeLoadRunTimeEngine")(), UIR_EXC_ENGINE);
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].text,
              "The Harrowgate/Wyc AddIn could not update your UIR callback table file because the "
              "Harrowgate/Wyc Run-Time Engine is not installed properly.")
        << "string 54 of the module that carries the reader";
    EXPECT_EQ(modals[0].style & MB_ICONMASK, static_cast<unsigned>(MB_ICONEXCLAMATION));
    EXPECT_EQ(EngineReferences(), references) << "a library of no use is freed again";

    // Later calls fail at once: no second message, no second load, no entry point called.
    const unsigned attempts = sandbox::LoadAttempts("wycrte.dll");
    EXPECT_EQ(Probe<int (*)()>("ProbeLoadRunTimeEngine")(), UIR_EXC_ENGINE);
    EXPECT_EQ(Probe<int (*)(const char*)>("ProbeReadCallbacks")("T:\\good.uir"), UIR_EXC_ENGINE);
    EXPECT_EQ(Probe<int (*)(const char*)>("ProbeWriteTableFile")("T:\\table.c"), 1) << "CUIRMgrExc 1";
    EXPECT_EQ(DiskBytes("T:\\table.c"), "the old table");
    EXPECT_EQ(sandbox::Modals().size(), 1u);
    EXPECT_EQ(sandbox::LoadAttempts("wycrte.dll"), attempts);
    for (const char* entry : {"SetSystemAttribute", "LoadPanel", "LoadMenuBar"}) EXPECT_EQ(rte::Calls(entry), 0u);
  }
}

TEST_F(EngineBinding, AnEngineWithEveryEntryPointIsBoundOnceAndKept) {
  WriteDisk("good.uir", "WycUIR 1\nPanel P1\n");
  EXPECT_EQ(Probe<int (*)()>("ProbeLoadRunTimeEngine")(), -1);
  EXPECT_EQ(Probe<int (*)(const char*)>("ProbeReadCallbacks")("T:\\good.uir"), -1);
  EXPECT_EQ(Probe<int (*)()>("ProbeLoadRunTimeEngine")(), -1);
  EXPECT_EQ(sandbox::LoadAttempts("wycrte.dll"), 1u);
  EXPECT_TRUE(sandbox::Modals().empty());
  EXPECT_EQ(rte::Calls("LoadPanel"), 2u);
}

}  // namespace
