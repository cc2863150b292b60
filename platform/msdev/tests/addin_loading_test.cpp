// Add-ins loaded at start from the user's registry: connected with firstTime once, disconnected
// when the IDE quits or the user unloads them, left out (with a message) when they cannot load;
// the toolbar window an add-in's first button makes, as a CBT hook of the add-in names it.
#include <standin_com.h>
#include <windows.h>

#include <cstring>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

constexpr CLSID CLSID_PlainAddIn = ::standin::GuidFromLiteral("5E0C2B1A-7D44-4A0B-9C61-2F8D3E5A7B10");
constexpr CLSID CLSID_HookingAddIn = ::standin::GuidFromLiteral("5E0C2B1A-7D44-4A0B-9C61-2F8D3E5A7B11");
constexpr CLSID CLSID_DecliningAddIn = ::standin::GuidFromLiteral("5E0C2B1A-7D44-4A0B-9C61-2F8D3E5A7B12");
constexpr CLSID CLSID_WithdrawingAddIn = ::standin::GuidFromLiteral("5E0C2B1A-7D44-4A0B-9C61-2F8D3E5A7B13");
constexpr char kAddIns[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\AddIns\\";

// What the test add-ins were told, in order, as "<ProgID>:OnConnection(first, 1)" and the like.
std::vector<std::string> g_heard;
int g_alive = 0;  // add-in and command objects not yet deleted
// Renames the add-in's toolbar as it is made: the hook is installed around the add-in's first
// AddCommandBarButton.
LRESULT CALLBACK NameTheToolbar(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    CREATESTRUCT* cs = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
    if (cs->lpszName != nullptr && std::strncmp(cs->lpszName, "Toolbar", 7) == 0) cs->lpszName = "TQ Tools";
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A command object whose methods are never run here.
class Commands final : public TestDispatchObject<IDispatch> {
 public:
  Commands() { ++g_alive; }

 private:
  ~Commands() override { --g_alive; }
};

// An add-in that connects as the system's does: its command and a toolbar button, whose toolbar
// (kind "Hooking") a CBT hook of the add-in names; "Declining" says it did not load, and
// "Withdrawing" says so after it gave the IDE its commands object, command and button.
class TestAddIn final : public TestObject<IDSAddIn> {
 public:
  explicit TestAddIn(std::string kind) : kind_(std::move(kind)) { ++g_alive; }

  STDMETHODIMP OnConnection(IDispatch* application, VARIANT_BOOL firstTime, LONG cookie,
                            VARIANT_BOOL* loaded) override {
    g_heard.push_back(kind_ + ":OnConnection(" + (firstTime ? "first" : "again") + ", " + std::to_string(cookie) +
                      ")");
    *loaded = VARIANT_FALSE;
    if (kind_ == "Declining") return S_OK;
    if (FAILED(application->QueryInterface(IID_IApplication, reinterpret_cast<void**>(&application_)))) return E_FAIL;
    Commands* commands = new Commands;
    application_->SetAddInInfo(0, commands, 0, 0, cookie);
    commands->Release();
    VARIANT_BOOL added = VARIANT_FALSE;
    const _bstr_t command((kind_ + "Command").c_str());
    application_->AddCommand(command, _bstr_t("Run"), 0, cookie, &added);
    const HHOOK hook =
        kind_ == "Hooking" ? SetWindowsHookEx(WH_CBT, NameTheToolbar, nullptr, GetCurrentThreadId()) : nullptr;
    application_->AddCommandBarButton(dsGlyph, command, cookie);
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    if (kind_ == "Withdrawing") {
      application_->Release();
      application_ = nullptr;
      return S_OK;
    }
    *loaded = VARIANT_TRUE;
    return S_OK;
  }
  STDMETHODIMP OnDisconnection(VARIANT_BOOL lastTime) override {
    g_heard.push_back(kind_ + ":OnDisconnection(" + (lastTime ? "last" : "quit") + ")");
    if (application_) application_->Release();
    application_ = nullptr;
    return S_OK;
  }

 private:
  ~TestAddIn() override { --g_alive; }
  std::string kind_;
  IApplication* application_ = nullptr;
};

template <const char* Kind>
HRESULT Create(REFIID riid, void** ppv) {
  TestAddIn* addIn = new TestAddIn(Kind);
  const HRESULT hr = addIn->QueryInterface(riid, ppv);
  addIn->Release();
  return hr;
}
constexpr char kPlain[] = "Plain";
constexpr char kHooking[] = "Hooking";
constexpr char kDeclining[] = "Declining";
constexpr char kWithdrawing[] = "Withdrawing";

class AddInLoadingTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    g_heard.clear();
    ASSERT_EQ(StandinRegisterClass(CLSID_PlainAddIn, "Tq.PlainAddIn", Create<kPlain>), S_OK);
    ASSERT_EQ(StandinRegisterClass(CLSID_HookingAddIn, "Tq.HookingAddIn", Create<kHooking>), S_OK);
    ASSERT_EQ(StandinRegisterClass(CLSID_DecliningAddIn, "Tq.DecliningAddIn", Create<kDeclining>), S_OK);
    ASSERT_EQ(StandinRegisterClass(CLSID_WithdrawingAddIn, "Tq.WithdrawingAddIn", Create<kWithdrawing>), S_OK);
  }
  void TearDown() override {
    IdeTest::TearDown();
    EXPECT_EQ(g_alive, 0) << "the IDE keeps no add-in when it stops";
  }
  static void Register(const std::string& progId, const std::string& load = "1") {
    sandbox::RegistrySetString(kAddIns + progId, "", load);
  }
};

TEST_F(AddInLoadingTest, AnAddInIsConnectedAtEveryStartAndToldFirstTimeOnce) {
  Register("Tq.PlainAddIn");
  sandbox::msdev::StartIde();
  const std::vector<sandbox::msdev::AddIn> loaded = sandbox::msdev::AddIns();
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].progId, "Tq.PlainAddIn");
  EXPECT_EQ(loaded[0].cookie, 1);
  EXPECT_TRUE(loaded[0].firstTime);
  EXPECT_EQ(sandbox::RegistryGetDword(std::string(kAddIns) + "Tq.PlainAddIn", "Loaded"), 1u);
  ASSERT_EQ(sandbox::msdev::Commands().size(), 1u);
  EXPECT_EQ(sandbox::msdev::Commands()[0].cookie, 1);
  EXPECT_EQ(sandbox::msdev::ApplicationReferences(), 1) << "the add-in keeps the application";

  sandbox::msdev::StopIde();
  EXPECT_EQ(g_alive, 0);
  sandbox::msdev::StartIde();
  sandbox::msdev::StopIde();
  EXPECT_EQ(g_heard, (std::vector<std::string>{"Plain:OnConnection(first, 1)", "Plain:OnDisconnection(quit)",
                                               "Plain:OnConnection(again, 1)", "Plain:OnDisconnection(quit)"}));

  // Registered anew (its key made again), it is told firstTime again.
  sandbox::RegistryDeleteKey(std::string(kAddIns) + "Tq.PlainAddIn");
  Register("Tq.PlainAddIn");
  g_heard.clear();
  sandbox::msdev::StartIde();
  EXPECT_EQ(g_heard, std::vector<std::string>{"Plain:OnConnection(first, 1)"});
}

TEST_F(AddInLoadingTest, WhatCannotLoadIsLeftOutAndNoted) {
  struct Row {
    const char* name;
    const char* progId;
    const char* load;
    std::vector<std::string> heard;
    bool noted;
  };
  const Row rows[] = {
      {.name = "switched off in the add-in list", .progId = "Tq.PlainAddIn", .load = "0", .heard = {}, .noted = false},
      {.name = "a ProgID no class has", .progId = "Tq.Gone", .load = "1", .heard = {}, .noted = true},
      {.name = "an add-in that does not load", .progId = "Tq.DecliningAddIn", .load = "1",
       .heard = {"Declining:OnConnection(first, 1)"}, .noted = true},
      {.name = "an add-in that does not load after adding its command and button",
       .progId = "Tq.WithdrawingAddIn", .load = "1", .heard = {"Withdrawing:OnConnection(first, 1)"}, .noted = true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistryDeleteKey("HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio");
    g_heard.clear();
    Register(row.progId, row.load);
    sandbox::msdev::StartIde();
    EXPECT_TRUE(sandbox::msdev::IdeRunning());
    EXPECT_TRUE(sandbox::msdev::AddIns().empty());
    EXPECT_EQ(g_heard, row.heard);
    EXPECT_EQ(g_alive, 0) << "released at once, with the commands object it gave";
    EXPECT_TRUE(sandbox::msdev::Commands().empty());
    EXPECT_TRUE(sandbox::msdev::ToolbarButtons().empty());
    EXPECT_EQ(FindWindow(nullptr, "Toolbar1"), nullptr) << "no toolbar is left";
    const std::vector<std::string> messages = sandbox::msdev::AddInMessages();
    ASSERT_EQ(messages.size(), row.noted ? 1u : 0u);
    if (row.noted) {
      EXPECT_NE(messages[0].find(row.progId), std::string::npos) << messages[0];
    }
    EXPECT_FALSE(sandbox::RegistryGetDword(std::string(kAddIns) + row.progId, "Loaded").has_value());
    sandbox::msdev::StopIde();
  }
}

TEST_F(AddInLoadingTest, TheUserUnloadsAnAddInAndItStaysUnloaded) {
  Register("Tq.PlainAddIn");
  sandbox::msdev::StartIde();
  EXPECT_FALSE(sandbox::msdev::UnloadAddIn("Tq.Gone"));
  ASSERT_TRUE(sandbox::msdev::UnloadAddIn("tq.plainaddin"));
  EXPECT_EQ(g_heard, (std::vector<std::string>{"Plain:OnConnection(first, 1)", "Plain:OnDisconnection(last)"}));
  EXPECT_EQ(g_alive, 0);
  EXPECT_TRUE(sandbox::msdev::AddIns().empty());
  EXPECT_TRUE(sandbox::msdev::Commands().empty());
  EXPECT_TRUE(sandbox::msdev::ToolbarButtons().empty());
  EXPECT_EQ(FindWindow(nullptr, "Toolbar1"), nullptr) << "its toolbar is gone";
  EXPECT_EQ(sandbox::RegistryGetString(std::string(kAddIns) + "Tq.PlainAddIn", ""), "0");

  sandbox::msdev::StopIde();
  sandbox::msdev::StartIde();
  EXPECT_EQ(g_heard.size(), 2u) << "neither told of the quit nor loaded again";
}

TEST_F(AddInLoadingTest, EachAddInsFirstButtonMakesItsToolbarWhichAHookMayName) {
  Register("Tq.PlainAddIn");
  Register("Tq.HookingAddIn");  // the registry lists keys by name: this one loads first
  sandbox::msdev::StartIde();
  const std::vector<sandbox::msdev::AddIn> loaded = sandbox::msdev::AddIns();
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].progId, "Tq.HookingAddIn");
  const std::vector<sandbox::msdev::Toolbar> toolbars = sandbox::msdev::Toolbars();
  ASSERT_EQ(toolbars.size(), 2u);
  EXPECT_EQ(toolbars[0].cookie, 1);
  EXPECT_EQ(toolbars[0].title, "TQ Tools") << "Toolbar1, as the add-in's hook named it";
  EXPECT_EQ(toolbars[1].cookie, 2);
  EXPECT_EQ(toolbars[1].title, "Toolbar2");
  const HWND named = FindWindow(nullptr, "TQ Tools");
  ASSERT_NE(named, nullptr) << "a top-level window";
  EXPECT_EQ(GetWindowThreadProcessId(named, nullptr), GetCurrentThreadId()) << "of the UI thread";
  EXPECT_EQ(GetWindow(named, GW_OWNER), AfxGetMainWnd()->GetSafeHwnd());

  IApplicationPtr app = Application();
  EXPECT_EQ(app->AddCommandBarButton(dsText, _bstr_t("PlainCommand"), 2), S_OK);
  EXPECT_EQ(sandbox::msdev::Toolbars().size(), 2u) << "a second button goes on the add-in's toolbar";

  sandbox::msdev::StopIde();
  EXPECT_EQ(FindWindow(nullptr, "TQ Tools"), nullptr);
  EXPECT_EQ(sandbox::msdev::Toolbars()[0].title, "TQ Tools") << "kept once the window is gone";
  sandbox::msdev::StartIde();
  EXPECT_EQ(sandbox::msdev::Toolbars()[1].title, "Toolbar2") << "numbered from 1 again in a new run";
}

}  // namespace
}  // namespace msdev_test
