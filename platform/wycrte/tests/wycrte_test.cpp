// The run-time engine stand-in through its entry points, as a program that loads wycrte.dll by
// name calls them: panels and menu bars of the text format load by index, their callbacks read
// through the two attributes, and the sandbox sees the handles, the system attributes and the
// calls, and sets answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "sandbox/wycrte.h"

namespace {

namespace rte = sandbox::wycrte;

using LoadFn = int (*)(int, const char*, int);
using PanelAttributeFn = int (*)(int, int, void*);
using ItemAttributeFn = int (*)(int, int, int, void*);
using DiscardFn = int (*)(int);
using SystemAttributeFn = int (*)(int, int);

template <class Function>
Function Entry(HMODULE module, const char* name) {
  auto address = GetProcAddress(module, name);
  EXPECT_NE(address, nullptr) << name;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

const char kMeter[] =
    "; the meter's panels\r\n"
    "WycUIR 1\r\n"
    "Panel MainPanelCB\r\n"
    "  Control QuitCB\r\n"
    "  Control\r\n"
    "  Control AcquireCB\r\n"
    "Panel\r\n"
    "MenuBar MenuBarCB\r\n"
    "  Item FileOpenCB\r\n"
    "  Item\r\n";

class Engine : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    ASSERT_TRUE(CreateDirectory("T:\\rt", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYCRTE_LIBRARY_FILE).c_str(), "T:\\rt\\wycrte.dll", TRUE));
    sandbox::SetModuleSearchPath({"T:\\rt"});
    engine_ = LoadLibrary("wycrte.dll");
    ASSERT_NE(engine_, nullptr) << "error " << GetLastError();
    loadPanel_ = Entry<LoadFn>(engine_, "LoadPanel");
    loadMenuBar_ = Entry<LoadFn>(engine_, "LoadMenuBar");
    panelAttribute_ = Entry<PanelAttributeFn>(engine_, "GetPanelAttribute");
    ctrlAttribute_ = Entry<ItemAttributeFn>(engine_, "GetCtrlAttribute");
    menuBarAttribute_ = Entry<ItemAttributeFn>(engine_, "GetMenuBarAttribute");
    discardPanel_ = Entry<DiscardFn>(engine_, "DiscardPanel");
    discardMenuBar_ = Entry<DiscardFn>(engine_, "DiscardMenuBar");
    systemAttribute_ = Entry<SystemAttributeFn>(engine_, "SetSystemAttribute");
    WriteDisk("meter.uir", kMeter);
  }
  void TearDown() override {
    if (engine_ != nullptr) {
      EXPECT_TRUE(FreeLibrary(engine_));
    }
  }

  // The callback of a control (or the panel itself, id 0) as the engine gives it: its length
  // first, then the name; "<answer>" when a call fails.
  std::string ControlCallback(int panel, int id) {
    int length = -1;
    int answer = id == 0 ? panelAttribute_(panel, rte::kCallbackNameLength, &length)
                         : ctrlAttribute_(panel, id, rte::kCallbackNameLength, &length);
    if (answer != 0) return "<" + std::to_string(answer) + ">";
    std::string name(static_cast<size_t>(length) + 1, '#');
    answer = id == 0 ? panelAttribute_(panel, rte::kCallbackName, name.data())
                     : ctrlAttribute_(panel, id, rte::kCallbackName, name.data());
    if (answer != 0) return "<" + std::to_string(answer) + ">";
    EXPECT_EQ(name.back(), '\0') << "the name ends with its NUL";
    name.pop_back();
    return name;
  }

  HMODULE engine_ = nullptr;
  LoadFn loadPanel_ = nullptr, loadMenuBar_ = nullptr;
  PanelAttributeFn panelAttribute_ = nullptr;
  ItemAttributeFn ctrlAttribute_ = nullptr, menuBarAttribute_ = nullptr;
  DiscardFn discardPanel_ = nullptr, discardMenuBar_ = nullptr;
  SystemAttributeFn systemAttribute_ = nullptr;
};

TEST_F(Engine, PanelsAndMenuBarsGiveTheirCallbacksByIndexAndId) {
  const int main = loadPanel_(0, "T:\\METER.UIR", 1);
  const int second = loadPanel_(0, "T:\\meter.uir", 2);
  ASSERT_GT(main, 0);
  ASSERT_GT(second, 0);
  EXPECT_NE(main, second);
  EXPECT_EQ(rte::LiveHandles(), 2u);
  EXPECT_EQ(ControlCallback(main, 0), "MainPanelCB");
  EXPECT_EQ(ControlCallback(main, 2), "QuitCB") << "controls count from 2";
  EXPECT_EQ(ControlCallback(main, 3), "") << "a control without callback has length 0";
  EXPECT_EQ(ControlCallback(main, 4), "AcquireCB");
  EXPECT_EQ(ControlCallback(main, 5), "<-13>");
  EXPECT_EQ(ControlCallback(main, 1), "<-13>");
  EXPECT_EQ(ControlCallback(second, 0), "");
  EXPECT_EQ(ControlCallback(second, 2), "<-13>") << "a panel without controls";

  const int bar = loadMenuBar_(0, "T:\\meter.uir", 1);
  ASSERT_GT(bar, 0);
  char name[32] = "";
  int length = -1;
  EXPECT_EQ(menuBarAttribute_(bar, 0, rte::kCallbackNameLength, &length), 0);
  EXPECT_EQ(length, 9);
  EXPECT_EQ(menuBarAttribute_(bar, 2, rte::kCallbackName, name), 0);
  EXPECT_STREQ(name, "FileOpenCB");
  EXPECT_EQ(menuBarAttribute_(bar, 3, rte::kCallbackNameLength, &length), 0);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(menuBarAttribute_(bar, 4, rte::kCallbackNameLength, &length), rte::kNoSuchId);
  EXPECT_EQ(loadMenuBar_(0, "T:\\meter.uir", 2), rte::kNoSuchIndex);
  EXPECT_EQ(loadPanel_(0, "T:\\meter.uir", 3), rte::kNoSuchIndex);

  // Handles are of one kind and gone once discarded.
  EXPECT_EQ(panelAttribute_(bar, rte::kCallbackNameLength, &length), rte::kInvalidHandle);
  EXPECT_EQ(discardPanel_(bar), rte::kInvalidHandle);
  EXPECT_EQ(discardMenuBar_(bar), 0);
  EXPECT_EQ(discardPanel_(main), 0);
  EXPECT_EQ(discardPanel_(main), rte::kInvalidHandle);
  EXPECT_EQ(ctrlAttribute_(main, 2, rte::kCallbackNameLength, &length), rte::kInvalidHandle);
  EXPECT_EQ(rte::LiveHandles(), 1u);
  EXPECT_EQ(discardPanel_(second), 0);
  EXPECT_EQ(rte::LiveHandles(), 0u);
}

TEST_F(Engine, LoadsAnswerTheFilesFaults) {
  WriteDisk("noheader.uir", "Panel A\r\n");
  WriteDisk("empty.uir", "");
  WriteDisk("stray.uir", "WycUIR 1\nControl Early\nPanel A\n");
  WriteDisk("second.uir", "WycUIR 1\nPanel Good\nPanel Bad\n  Item NotAControl\nPanel After\n");
  WriteDisk("names.uir", "WycUIR 1\nPanel 9lives\nMenuBar Two Words\nMenuBar Fine\nPanel Fine\n");
  const struct {
    const char* what;
    bool panel;
    const char* file;
    int index;
    int answer;  // 1: a handle
  } rows[] = {
      {.what = "no header", .panel = true, .file = "T:\\noheader.uir", .index = 1, .answer = rte::kMalformed},
      {.what = "no bytes", .panel = false, .file = "T:\\empty.uir", .index = 1, .answer = rte::kMalformed},
      {.what = "a control before any panel", .panel = true, .file = "T:\\stray.uir", .index = 1,
       .answer = rte::kMalformed},
      {.what = "the panel before a bad one", .panel = true, .file = "T:\\second.uir", .index = 1, .answer = 1},
      {.what = "an item in a panel", .panel = true, .file = "T:\\second.uir", .index = 2, .answer = rte::kMalformed},
      {.what = "the panel after a bad one", .panel = true, .file = "T:\\second.uir", .index = 3, .answer = 1},
      {.what = "a callback that is no identifier", .panel = true, .file = "T:\\names.uir", .index = 1,
       .answer = rte::kMalformed},
      {.what = "two words", .panel = false, .file = "T:\\names.uir", .index = 1, .answer = rte::kMalformed},
      {.what = "menu bars count apart from panels", .panel = false, .file = "T:\\names.uir", .index = 2,
       .answer = 1},
      {.what = "a file that does not open", .panel = true, .file = "T:\\missing.uir", .index = 1,
       .answer = rte::kCannotOpen},
      {.what = "index 0", .panel = true, .file = "T:\\meter.uir", .index = 0, .answer = rte::kInvalidArgument},
      {.what = "no file name", .panel = false, .file = nullptr, .index = 1, .answer = rte::kInvalidArgument},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const int answer = (row.panel ? loadPanel_ : loadMenuBar_)(0, row.file, row.index);
    if (row.answer == 1) {
      EXPECT_GT(answer, 0);
      EXPECT_EQ((row.panel ? discardPanel_ : discardMenuBar_)(answer), 0);
    } else {
      EXPECT_EQ(answer, row.answer);
    }
  }
  EXPECT_EQ(rte::LiveHandles(), 0u);
  EXPECT_TRUE(sandbox::UnmodelledCalls().empty());
  EXPECT_EQ(loadPanel_(1, "T:\\meter.uir", 1), rte::kInvalidHandle) << "child panels are not modelled";
  EXPECT_EQ(sandbox::UnmodelledCalls().size(), 1u);
}

TEST_F(Engine, HandlesRunOutAtTheLimit) {
  std::vector<int> handles;
  for (int i = 0; i < rte::kMaxHandles; ++i) {
    handles.push_back(loadPanel_(0, "T:\\meter.uir", 1));
    ASSERT_GT(handles.back(), 0);
  }
  EXPECT_EQ(loadMenuBar_(0, "T:\\meter.uir", 1), rte::kNoHandleLeft);
  EXPECT_EQ(discardPanel_(handles.back()), 0);
  EXPECT_GT(loadMenuBar_(0, "T:\\meter.uir", 1), 0);
  sandbox::Reset();
  EXPECT_EQ(rte::LiveHandles(), 0u) << "a reset forgets them";
}

TEST_F(Engine, TheSandboxSeesSystemAttributesAndCallsAndSetsAnswers) {
  EXPECT_EQ(systemAttribute_(1410, 1), 0);
  EXPECT_EQ(systemAttribute_(1405, 0), 0);
  EXPECT_EQ(rte::SystemAttributes(), (std::vector<std::pair<int, int>>{{1410, 1}, {1405, 0}}));

  rte::AnswerAt("LoadPanel", 2, -77);
  rte::AnswerAt("GetCtrlAttribute", 1, -3);
  const int first = loadPanel_(0, "T:\\meter.uir", 1);
  ASSERT_GT(first, 0);
  EXPECT_EQ(loadPanel_(0, "T:\\meter.uir", 1), -77);
  int length = 12345;
  EXPECT_EQ(ctrlAttribute_(first, 2, rte::kCallbackNameLength, &length), -3);
  EXPECT_EQ(length, 12345) << "an answer set by the sandbox writes nothing";
  EXPECT_EQ(ControlCallback(first, 2), "QuitCB") << "only that call";
  EXPECT_EQ(rte::Calls("LoadPanel"), 2u);
  EXPECT_EQ(rte::Calls("GetCtrlAttribute"), 3u);
  EXPECT_EQ(rte::Calls("DiscardMenuBar"), 0u);
  EXPECT_EQ(rte::LiveHandles(), 1u) << "the answered load made no panel";
  EXPECT_EQ(discardPanel_(first), 0);
  EXPECT_THROW(rte::AnswerAt("Unknown", 1, 0), std::invalid_argument);
  EXPECT_THROW(rte::AnswerAt("LoadPanel", 0, 0), std::invalid_argument);
}

}  // namespace
