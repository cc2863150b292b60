// The xml property and save: a document built the way the component writer builds it, written
// in the declared encoding, and a failed save that leaves the old file as it was.
#include "dom_test_support.h"

namespace domtest {
namespace {

class SaveTest : public DomTest {
 protected:
  void SetUp() override {
    DomTest::SetUp();
    sandbox::MapTempDrive('T');
  }

  IXMLDOMElementPtr Element(IXMLDOMNode* parent, const char16_t* name, const char16_t* text = nullptr) {
    IXMLDOMElementPtr e;
    EXPECT_EQ(doc->createElement(Bstr(name), &e), S_OK);
    if (text) {
      IXMLDOMTextPtr t;
      EXPECT_EQ(doc->createTextNode(Bstr(text), &t), S_OK);
      EXPECT_EQ(e->appendChild(t, nullptr), S_OK);
    }
    EXPECT_EQ(parent->appendChild(e, nullptr), S_OK);
    return e;
  }

  void Declare(const char16_t* data) {
    IXMLDOMProcessingInstructionPtr pi;
    ASSERT_EQ(doc->createProcessingInstruction(Bstr(u"xml"), Bstr(data), &pi), S_OK);
    ASSERT_EQ(doc->appendChild(pi, nullptr), S_OK);
  }

  HRESULT Save(const char16_t* path) {
    VARIANT target = StringVariant(path);
    const HRESULT hr = doc->save(target);
    VariantClear(&target);
    return hr;
  }
};

TEST_F(SaveTest, TheWritersDocumentIsSavedAsItsMarkup) {
  Declare(u"version=\"1.0\"");
  IXMLDOMElementPtr root;
  ASSERT_EQ(doc->createElement(Bstr(u"Component"), &root), S_OK);
  ASSERT_EQ(root->setAttribute(Bstr(u"xmlns"), _variant_t(u"urn:tq-components")), S_OK);
  ASSERT_EQ(doc->appendChild(root, nullptr), S_OK);
  Element(root, u"Hidden", u"0");
  Element(root, u"ComponentName", u"A & <B> \"q\"");
  Element(root, u"ComponentDescription", u"");  // an empty text still makes a child
  IXMLDOMElementPtr list = Element(root, u"ComponentHeaders");
  Element(list, u"ComponentHeader", u"TqGraph.h");
  Element(root, u"Sections");

  const std::string expected =
      "<?xml version=\"1.0\"?>\r\n"
      "<Component xmlns=\"urn:tq-components\"><Hidden>0</Hidden>"
      "<ComponentName>A &amp; &lt;B&gt; \"q\"</ComponentName><ComponentDescription></ComponentDescription>"
      "<ComponentHeaders><ComponentHeader>TqGraph.h</ComponentHeader></ComponentHeaders><Sections/></Component>\r\n";
  EXPECT_EQ(Xml(doc), expected);
  ASSERT_TRUE(CreateDirectory("T:\\Components", nullptr));
  ASSERT_EQ(Save(u"T:\\Components\\TqGraph.xml"), S_OK);
  EXPECT_EQ(ReadBytes("T:\\Components\\TqGraph.xml"), expected);

  // Read back as the component reader reads it.
  IXMLDOMDocumentPtr reader = NewDocument();
  ASSERT_EQ(reader->put_async(VARIANT_FALSE), S_OK);
  VARIANT url = StringVariant(u"file:///T:\\Components\\TqGraph.xml");
  VARIANT_BOOL ok = VARIANT_FALSE;
  ASSERT_EQ(reader->load(url, &ok), S_OK);
  VariantClear(&url);
  IXMLDOMElementPtr readRoot;
  ASSERT_EQ(reader->get_documentElement(&readRoot), S_OK);
  EXPECT_EQ(Data(First(Select(readRoot, u"./ComponentName"))), "A & <B> \"q\"");
  EXPECT_EQ(Data(First(Select(readRoot, u"Hidden"))), "0");
  EXPECT_EQ(Data(First(Select(readRoot, u"./ComponentHeaders/ComponentHeader"))), "TqGraph.h");
  EXPECT_EQ(ChildNames(Select(readRoot, u"./ComponentDescription")), "");  // read back without text
}

TEST_F(SaveTest, MarkupRoundTripsWhatTextAndAttributesHold) {
  IXMLDOMElementPtr root = Element(doc, u"r");
  ASSERT_EQ(root->setAttribute(Bstr(u"a"), _variant_t(u"q\"<&>\r\n\tz")), S_OK);
  Element(root, u"t", u"cr\r lf\n tab\t ]]> end");
  IXMLDOMCDATASectionPtr cdata;
  ASSERT_EQ(doc->createCDATASection(Bstr(u"x]]>y"), &cdata), S_OK);
  ASSERT_EQ(root->appendChild(cdata, nullptr), S_OK);
  IXMLDOMCommentPtr comment;
  ASSERT_EQ(doc->createComment(Bstr(u" note "), &comment), S_OK);
  ASSERT_EQ(root->appendChild(comment, nullptr), S_OK);

  const std::string xml = Xml(doc);
  IXMLDOMDocumentPtr copy = NewDocument();
  VARIANT_BOOL ok = VARIANT_FALSE;
  ASSERT_EQ(copy->loadXML(Bstr(Wide(xml)), &ok), S_OK) << xml;
  IXMLDOMElementPtr copyRoot;
  copy->get_documentElement(&copyRoot);
  _variant_t a;
  ASSERT_EQ(copyRoot->getAttribute(Bstr(u"a"), &a), S_OK);
  EXPECT_EQ(Utf8(a.bstrVal), "q\"<&>\r\n\tz");
  EXPECT_EQ(Data(First(Select(copyRoot, u"t"))), "cr\r lf\n tab\t ]]> end");
  // A CDATA section cannot hold "]]>": it is written as two sections that read back as the text.
  BSTR text = nullptr;
  copyRoot->get_text(&text);
  EXPECT_EQ(Take(text), "cr\r lf\n tab\t ]]> endx]]>y");
  EXPECT_EQ(Xml(copy), xml);
}

TEST_F(SaveTest, TheDeclaredEncodingIsWritten) {
  struct Case {
    const char16_t* declaration;  // nullptr: none
    const char16_t* name;
    HRESULT result;
    std::string bytes;
  };
  auto utf16 = [](const std::u16string& s) {
    std::string out = "\xFF\xFE";
    for (char16_t c : s) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
  };
  const Case cases[] = {
      {.declaration = nullptr, .name = u"r", .result = S_OK, .bytes = "<r a=\"\xE2\x82\xAC\">\xC3\xA9\xE2\x82\xAC</r>\r\n"},
      {.declaration = u"version=\"1.0\" encoding=\"UTF-8\"", .name = u"r", .result = S_OK,
       .bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r a=\"\xE2\x82\xAC\">\xC3\xA9\xE2\x82\xAC</r>\r\n"},
      {.declaration = u"version=\"1.0\" encoding=\"ISO-8859-1\"", .name = u"r", .result = S_OK,
       .bytes = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r a=\"&#8364;\">\xE9&#8364;</r>\r\n"},
      {.declaration = u"version=\"1.0\" encoding=\"windows-1252\"", .name = u"r", .result = S_OK,
       .bytes = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r a=\"\x80\">\xE9\x80</r>\r\n"},
      {.declaration = u"version=\"1.0\" encoding=\"UTF-16\"", .name = u"r", .result = S_OK,
       .bytes = utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<r a=\"\u20AC\">\u00E9\u20AC</r>\r\n")},
      // A name cannot be written as a reference: the save fails and the file stays as it was.
      {.declaration = u"version=\"1.0\" encoding=\"ISO-8859-1\"", .name = u"\u4E2D", .result = E_FAIL,
       .bytes = "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.declaration ? c.declaration : u"(none)"));
    const IXMLDOMDocumentPtr fresh = NewDocument();
    doc = fresh;
    if (c.declaration) Declare(c.declaration);
    IXMLDOMElementPtr root = Element(doc, c.name, u"\u00E9\u20AC");
    ASSERT_EQ(root->setAttribute(Bstr(u"a"), _variant_t(u"\u20AC")), S_OK);
    WriteBytes("T:\\enc.xml", "old");
    EXPECT_EQ(Save(u"T:\\enc.xml"), c.result);
    EXPECT_EQ(ReadBytes("T:\\enc.xml"), c.bytes);
    if (c.result == S_OK) {
      // The saved file loads back to the same text.
      EXPECT_TRUE(LoadFile(u"T:\\enc.xml")) << LastError().reason;
      BSTR text = nullptr;
      Root()->get_text(&text);
      EXPECT_EQ(Take(text), "\u00E9\u20AC");
    }
  }
  // The xml property is UTF-16 text: it names no encoding.
  ASSERT_TRUE(LoadXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?><r/>"));
  EXPECT_EQ(Xml(doc), "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<r/>\r\n");
}

TEST_F(SaveTest, AnEncodingThatIsNotModelledIsRefusedLoudly) {
  Declare(u"version=\"1.0\" encoding=\"Shift_JIS\"");
  Element(doc, u"r");
  sandbox::ClearUnmodelledCalls();
  EXPECT_EQ(Save(u"T:\\sjis.xml"), E_NOTIMPL);
  EXPECT_FALSE(sandbox::UnmodelledCalls().empty());
  EXPECT_EQ(ReadBytes("T:\\sjis.xml"), "<missing>");
}

TEST_F(SaveTest, AFailedSaveLeavesTheOldFileAsItWas) {
  Element(doc, u"new");
  WriteBytes("T:\\keep.xml", "<old/>");
  struct Case {
    const char* label;
    const char16_t* path;
    HRESULT result;
  };
  const Case cases[] = {
      {.label = "disk full while writing", .path = u"T:\\keep.xml", .result = HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
      {.label = "read-only", .path = u"T:\\keep.xml", .result = E_ACCESSDENIED},
      {.label = "no such folder", .path = u"T:\\none\\x.xml", .result = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)},
      {.label = "network", .path = u"http://localhost/x.xml", .result = E_ACCESSDENIED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (std::string(c.label) == "disk full while writing") {
      // The file is written beside the target first; that write fails.
      sandbox::InjectFileFailure("T:\\keep.xml.~sav", "write", ERROR_DISK_FULL);
    }
    if (std::string(c.label) == "read-only") {
      ASSERT_TRUE(SetFileAttributes("T:\\keep.xml", FILE_ATTRIBUTE_READONLY));
    }
    EXPECT_EQ(Save(c.path), c.result);
    EXPECT_EQ(ReadBytes("T:\\keep.xml"), "<old/>");
    EXPECT_EQ(GetFileAttributes("T:\\keep.xml.~sav"), INVALID_FILE_ATTRIBUTES);
    sandbox::ClearFileFailures();
    SetFileAttributes("T:\\keep.xml", FILE_ATTRIBUTE_NORMAL);
  }
  EXPECT_EQ(Save(u"T:\\keep.xml"), S_OK);
  EXPECT_EQ(ReadBytes("T:\\keep.xml"), "<new/>\r\n");
}

// XML cannot hold a control character other than tab, line feed and carriage return, not even as
// a reference: a save that wrote one would leave a file that no longer loads. The component
// writer relies on this to never replace a description file with one its reader refuses.
TEST_F(SaveTest, TextThatXmlCannotHoldFailsTheSave) {
  WriteBytes("T:\\keep.xml", "<old/>");
  struct Case {
    const char* label;
    const char16_t* text;
    HRESULT result;
  };
  const Case cases[] = {
      {.label = "U+0001", .text = u"a\u0001b", .result = E_FAIL},
      {.label = "U+001F", .text = u"\u001f", .result = E_FAIL},
      {.label = "vertical tab", .text = u"\u000b", .result = E_FAIL},
      {.label = "U+FFFF", .text = u"\uffff", .result = E_FAIL},
      {.label = "tab, line feed, carriage return", .text = u"\t\n\r", .result = S_OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(LoadXml("<r/>"));
    IXMLDOMElementPtr root;
    ASSERT_EQ(doc->get_documentElement(&root), S_OK);
    Element(root, u"Text", c.text);
    EXPECT_EQ(Save(u"T:\\keep.xml"), c.result);
    if (FAILED(c.result)) {
      EXPECT_EQ(ReadBytes("T:\\keep.xml"), "<old/>");
    }
  }
  EXPECT_EQ(ReadBytes("T:\\keep.xml"), "<r><Text>\t\n&#13;</Text></r>\r\n");
}

}  // namespace
}  // namespace domtest
