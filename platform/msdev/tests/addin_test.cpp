// What an add-in does with the application when it connects: its command object, commands and
// toolbar buttons; running a command; the output pane and modeless windows.
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

// An add-in's command object: late-bound methods by name, each call written down.
class CommandObject final : public IDispatch {
 public:
  explicit CommandObject(std::vector<std::string> methods) : methods_(std::move(methods)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }  // outlives the IDE in each test
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    const std::string name = Text(names[0]);
    for (size_t i = 0; i < methods_.size(); ++i) {
      if (methods_[i] == name) {
        ids[0] = static_cast<DISPID>(i + 1);
        return S_OK;
      }
    }
    ids[0] = -1;
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    calls.push_back(methods_.at(static_cast<size_t>(id - 1)) + (flags == DISPATCH_METHOD ? "()" : "(?)") +
                    (params && params->cArgs ? " with arguments" : ""));
    return S_OK;
  }

  std::vector<std::string> calls;
  ULONG refs = 0;

 private:
  std::vector<std::string> methods_;
};

constexpr LONG kCookie = 7;

class AddInTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    app_ = Application();
  }
  void TearDown() override {
    app_ = nullptr;
    IdeTest::TearDown();
    EXPECT_EQ(commands_.refs, 0u) << "the stopped IDE keeps no command object";
  }
  HRESULT AddCommand(const char* texts, const char* method, VARIANT_BOOL& added) {
    return app_->AddCommand(_bstr_t(texts), _bstr_t(method), 2, kCookie, &added);
  }
  IApplicationPtr app_;
  CommandObject commands_{{"TqShowCatalogue", "TqUpdateProject"}};
};

TEST_F(AddInTest, CommandsAreRecordedOncePerNameAndRunThroughTheCommandObject) {
  VARIANT_BOOL added = VARIANT_TRUE;
  EXPECT_EQ(AddCommand("Catalogue\nCatalogue\nShows the catalogue\nCatalogue", "TqShowCatalogue", added), E_UNEXPECTED)
      << "SetAddInInfo comes first";
  EXPECT_EQ(added, VARIANT_FALSE);
  ASSERT_EQ(app_->SetAddInInfo(0x10000000, &commands_, 101, 102, kCookie), S_OK);
  EXPECT_EQ(commands_.refs, 1u);

  ASSERT_EQ(AddCommand("Catalogue\nCatalogue\nShows the catalogue\nCatalogue", "TqShowCatalogue", added), S_OK);
  EXPECT_EQ(added, VARIANT_TRUE);
  ASSERT_EQ(AddCommand("Update", "TqUpdateProject", added), S_OK);
  EXPECT_EQ(added, VARIANT_TRUE);
  ASSERT_EQ(AddCommand("CATALOGUE\nAgain", "TqUpdateProject", added), S_OK);
  EXPECT_EQ(added, VARIANT_FALSE) << "a second command of the same name";
  const auto commands = sandbox::msdev::Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].name, "Catalogue");
  EXPECT_EQ(commands[0].buttonText, "Catalogue");
  EXPECT_EQ(commands[0].statusText, "Shows the catalogue");
  EXPECT_EQ(commands[0].tooltip, "Catalogue");
  EXPECT_EQ(commands[0].method, "TqShowCatalogue");
  EXPECT_EQ(commands[0].glyph, 2);
  EXPECT_EQ(commands[0].cookie, kCookie);
  EXPECT_EQ(commands[1].buttonText, "");

  EXPECT_EQ(app_->AddCommandBarButton(dsGlyph, _bstr_t("Catalogue"), kCookie), S_OK);
  EXPECT_EQ(app_->AddCommandBarButton(dsText, _bstr_t("Update"), kCookie), S_OK);
  EXPECT_EQ(app_->AddCommandBarButton(dsGlyph, _bstr_t("Nowhere"), kCookie), E_INVALIDARG);
  const auto buttons = sandbox::msdev::ToolbarButtons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].command, "Catalogue");
  EXPECT_EQ(buttons[1].type, dsText);

  EXPECT_EQ(app_->ExecuteCommand(_bstr_t("Update")), S_OK);
  EXPECT_EQ(app_->ExecuteCommand(_bstr_t("catalogue")), S_OK);
  EXPECT_EQ(app_->ExecuteCommand(_bstr_t("Nowhere")), E_INVALIDARG);
  EXPECT_EQ(commands_.calls, (std::vector<std::string>{"TqUpdateProject()", "TqShowCatalogue()"}));
}

TEST_F(AddInTest, ACommandWhoseMethodTheObjectLacksFailsAsItsDispatchSays) {
  ASSERT_EQ(app_->SetAddInInfo(0x10000000, &commands_, 101, 102, kCookie), S_OK);
  VARIANT_BOOL added = VARIANT_FALSE;
  ASSERT_EQ(AddCommand("Broken", "TqMissing", added), S_OK);
  EXPECT_EQ(app_->ExecuteCommand(_bstr_t("Broken")), DISP_E_UNKNOWNNAME);
  EXPECT_TRUE(commands_.calls.empty());
}

TEST_F(AddInTest, OutputPaneAndModelessWindows) {
  EXPECT_EQ(app_->PrintToOutputWindow(_bstr_t("Updating MeterDll...")), S_OK);
  EXPECT_EQ(app_->PrintToOutputWindow(_bstr_t("Gr\xFCnfilter: done")), S_OK);
  EXPECT_EQ(sandbox::msdev::OutputPaneText(), "Updating MeterDll...\r\nGr\xFCnfilter: done\r\n");

  EXPECT_TRUE(sandbox::msdev::ModelessEnabled());
  EXPECT_EQ(app_->EnableModeless(VARIANT_FALSE), S_OK);
  EXPECT_EQ(app_->EnableModeless(VARIANT_FALSE), S_OK);  // nested dialogs
  EXPECT_EQ(sandbox::msdev::ModelessDisabledDepth(), 2);
  EXPECT_EQ(app_->EnableModeless(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(sandbox::msdev::ModelessEnabled());
  EXPECT_EQ(app_->EnableModeless(VARIANT_TRUE), S_OK);
  EXPECT_TRUE(sandbox::msdev::ModelessEnabled());
}

}  // namespace
}  // namespace msdev_test
