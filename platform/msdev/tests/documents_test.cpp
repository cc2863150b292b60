// Documents opened through automation: text documents of existing files, their names and state,
// saving and closing (a changed document asks the user when told to prompt).
#include <windows.h>

#include "msdev_test_support.h"

namespace msdev_test {
namespace {

class DocumentsTest : public IdeTest {
 protected:
  void SetUp() override {
    IdeTest::SetUp();
    app_ = Application();
    IDispatch* documents = nullptr;
    ASSERT_EQ(app_->get_Documents(&documents), S_OK);
    documents_.Attach(static_cast<IDocuments*>(documents));
    Write("Src/meter.c", "int meter;\r\n");
    Write("Src/meter.h", "extern int meter;\r\n");
    const EventLog log = events_;
    EventRecorder* sink = new EventRecorder("", log);
    Advise(app_, sink);
    sink->Release();
  }
  void TearDown() override {
    documents_ = nullptr;
    app_ = nullptr;
    IdeTest::TearDown();
  }
  IGenericDocumentPtr Open(const char* path, const _variant_t& readOnly = _variant_t()) {
    IDispatch* document = nullptr;
    EXPECT_EQ(documents_->Open(_bstr_t(path), Name("Auto"), readOnly, &document), S_OK) << path;
    IGenericDocumentPtr doc;
    doc.Attach(static_cast<IGenericDocument*>(document));
    return doc;
  }
  IApplicationPtr app_;
  IDocumentsPtr documents_;
  EventLog events_ = NewEventLog();
};

TEST_F(DocumentsTest, OpenMakesATextDocumentOfAnExistingFile) {
  IGenericDocumentPtr meter = Open("T:\\Src\\Sub\\..\\meter.c");
  ASSERT_NE(meter, nullptr);
  EXPECT_EQ(StringProperty([&](BSTR* name) { return meter->get_FullName(name); }), "T:\\Src\\meter.c");
  EXPECT_EQ(StringProperty([&](BSTR* name) { return meter->get_Name(name); }), "meter.c");
  EXPECT_EQ(StringProperty([&](BSTR* path) { return meter->get_Path(path); }), "T:\\Src");
  EXPECT_EQ(StringProperty([&](BSTR* type) { return meter->get_Type(type); }), "Text");
  IGenericDocumentPtr header = Open("T:\\Src\\meter.h", _variant_t(true));
  VARIANT_BOOL readOnly = VARIANT_FALSE;
  ASSERT_EQ(header->get_ReadOnly(&readOnly), S_OK);
  EXPECT_EQ(readOnly, VARIANT_TRUE);

  IDispatch* missing = reinterpret_cast<IDispatch*>(0xdeadbeef);
  EXPECT_EQ(documents_->Open(_bstr_t("T:\\Src\\gone.c"), Name("Auto"), _variant_t(), &missing),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(documents_->Open(_bstr_t("T:\\Src\\meter.c"), Name("Resource"), _variant_t(), &missing), E_INVALIDARG)
      << "only text documents are modelled";

  IGenericDocumentPtr again = Open("t:\\src\\METER.C");  // an open document is shown again
  EXPECT_EQ(StringProperty([&](BSTR* name) { return again->get_FullName(name); }), "T:\\Src\\meter.c");
  LONG count = 0;
  ASSERT_EQ(documents_->get_Count(&count), S_OK);
  EXPECT_EQ(count, 2);
  IDispatch* second = nullptr;
  ASSERT_EQ(documents_->Item(Name("meter.h"), &second), S_OK);
  second->Release();
  EXPECT_EQ(documents_->Item(I4(3), &second), E_INVALIDARG);
  EXPECT_EQ(*events_, (std::vector<std::string>{"DocumentOpen(meter.c)", "DocumentOpen(meter.h)"}));
  ASSERT_EQ(sandbox::msdev::OpenDocuments().size(), 2u);
  EXPECT_TRUE(sandbox::msdev::OpenDocuments()[1].readOnly);
}

TEST_F(DocumentsTest, ClosingAChangedDocumentSavesDropsOrAsks) {
  IGenericDocumentPtr meter = Open("T:\\Src\\meter.c");
  events_->clear();
  ASSERT_TRUE(sandbox::msdev::MarkDocumentModified("T:\\SRC\\meter.c"));
  VARIANT_BOOL saved = VARIANT_TRUE;
  ASSERT_EQ(meter->get_Saved(&saved), S_OK);
  EXPECT_EQ(saved, VARIANT_FALSE);

  sandbox::QueueAnswer("MessageBox", {IDCANCEL, ""});
  DsSaveStatus status = dsSaveSucceeded;
  ASSERT_EQ(meter->Close(_variant_t(static_cast<LONG>(dsSaveChangesPrompt)), &status), S_OK);
  EXPECT_EQ(status, dsSaveCanceled);
  EXPECT_EQ(sandbox::msdev::OpenDocuments().size(), 1u) << "a cancelled prompt keeps it open";

  sandbox::QueueAnswer("MessageBox", {IDYES, ""});
  ASSERT_EQ(meter->Close(_variant_t(), &status), S_OK);  // prompting is the default
  EXPECT_EQ(status, dsSaveSucceeded);
  EXPECT_TRUE(sandbox::msdev::OpenDocuments().empty());
  EXPECT_EQ(*events_, (std::vector<std::string>{"DocumentSave(meter.c)", "BeforeDocumentClose(meter.c)"}));
  const auto modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_NE(modals[0].text.find("T:\\Src\\meter.c"), std::string::npos);

  BSTR name = nullptr;
  EXPECT_EQ(meter->get_Name(&name), RPC_E_DISCONNECTED) << "a closed document";

  IGenericDocumentPtr header = Open("T:\\Src\\meter.h");
  sandbox::msdev::MarkDocumentModified("T:\\Src\\meter.h");
  events_->clear();
  ASSERT_EQ(documents_->CloseAll(_variant_t(static_cast<LONG>(dsSaveChangesNo)), &status), S_OK);
  EXPECT_EQ(*events_, std::vector<std::string>{"BeforeDocumentClose(meter.h)"}) << "changes dropped unsaved";
  EXPECT_EQ(sandbox::Modals().size(), 2u);
}

}  // namespace
}  // namespace msdev_test
