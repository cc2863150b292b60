// Loading: the DOMDocument defaults the component reader relies on (white space, line ends,
// references, encodings), parse errors, file locations, and external resources never read.
#include "dom_test_support.h"

#include <algorithm>
#include <vector>

namespace domtest {
namespace {

// This DOM's parse-error codes (errorCode), one per kind of fault.
constexpr LONG kNotWellFormed = static_cast<LONG>(0xC00CE500);
constexpr LONG kUnexpectedEnd = static_cast<LONG>(0xC00CE501);
constexpr LONG kEndTagMismatch = static_cast<LONG>(0xC00CE502);
constexpr LONG kInvalidCharacter = static_cast<LONG>(0xC00CE503);
constexpr LONG kEncoding = static_cast<LONG>(0xC00CE504);
constexpr LONG kUndefinedEntity = static_cast<LONG>(0xC00CE505);
constexpr LONG kNamespace = static_cast<LONG>(0xC00CE506);
constexpr LONG kExternalResource = static_cast<LONG>(0xC00CE507);
constexpr LONG kEmptyDocument = static_cast<LONG>(0xC00CE508);
constexpr LONG kDocumentTypeRefused = static_cast<LONG>(0xC00CE509);

using LoadTest = DomTest;

TEST_F(LoadTest, WhiteSpaceOnlyTextIsDroppedUnlessPreserved) {
  struct Case {
    const char* xml;
    bool preserveWhiteSpace;
    const char16_t* context;  // selection from the document element ("." for itself)
    const char* children;
  };
  const Case cases[] = {
      {.xml = "<r>\n  <a/>\n  <b/>\n</r>", .preserveWhiteSpace = false, .context = u".", .children = "a b"},
      {.xml = "<r>  \t </r>", .preserveWhiteSpace = false, .context = u".", .children = ""},
      {.xml = "<r> x </r>", .preserveWhiteSpace = false, .context = u".", .children = "#text"},
      {.xml = "<r>\n  <a/>\n</r>", .preserveWhiteSpace = true, .context = u".", .children = "#text a #text"},
      // CDATA is never white space to drop.
      {.xml = "<r> <![CDATA[  ]]> </r>", .preserveWhiteSpace = false, .context = u".", .children = "#cdata-section"},
      {.xml = "<r xml:space=\"preserve\"> <a/> </r>", .preserveWhiteSpace = false, .context = u".",
       .children = "#text a #text"},
      // xml:space is inherited and can be switched back off.
      {.xml = "<r xml:space=\"preserve\"><s> <a/></s></r>", .preserveWhiteSpace = false, .context = u"s",
       .children = "#text a"},
      {.xml = "<r xml:space=\"preserve\"><s xml:space=\"default\"> <a/> </s></r>", .preserveWhiteSpace = false,
       .context = u"s", .children = "a"},
      {.xml = "<r>a<!--c--> <?p d?>b</r>", .preserveWhiteSpace = false, .context = u".",
       .children = "#text #comment p #text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    ASSERT_EQ(doc->put_preserveWhiteSpace(c.preserveWhiteSpace ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
    ASSERT_TRUE(LoadXml(c.xml));
    IXMLDOMNodePtr context = Select(Root(), c.context);
    ASSERT_TRUE(context);
    EXPECT_EQ(ChildNames(context), c.children);
  }
}

TEST_F(LoadTest, LineEndsAreNormalisedAndReferencesExpanded) {
  ASSERT_TRUE(LoadXml("<r a=\"1\r\n2&#9;&lt;\"><t>a\r\nb\rc&#13;&#x20AC;&amp;&lt;&gt;&apos;&quot;</t></r>"));
  EXPECT_EQ(Data(First(Select(Root(), u"t"))), "a\nb\nc\r\u20AC&<>'\"");
  // Attribute values: line ends and tabs become spaces, references stay what they name.
  _variant_t a;
  ASSERT_EQ(Root()->getAttribute(Bstr(u"a"), &a), S_OK);
  EXPECT_EQ(Utf8(std::u16string_view(a.bstrVal, SysStringLen(a.bstrVal))), "1 2\t<");
}

TEST_F(LoadTest, CDataIsAnsweredAsTextAndKeptApartFromNeighbours) {
  ASSERT_TRUE(LoadXml("<r>a<![CDATA[<b>&amp;]]>c</r>"));
  EXPECT_EQ(ChildNames(Root()), "#text #cdata-section #text");
  IXMLDOMNodePtr cdata;
  IXMLDOMNodeListPtr children;
  ASSERT_EQ(Root()->get_childNodes(&children), S_OK);
  ASSERT_EQ(children->get_item(1, &cdata), S_OK);
  // The component reader's test for "is it text": CDATA passes it.
  IXMLDOMTextPtr text;
  EXPECT_EQ(cdata->QueryInterface(IID_IXMLDOMText, reinterpret_cast<void**>(&text)), S_OK);
  EXPECT_EQ(Data(cdata), "<b>&amp;");
  BSTR all = nullptr;
  ASSERT_EQ(Root()->get_text(&all), S_OK);
  EXPECT_EQ(Take(all), "a<b>&amp;c");
}

TEST_F(LoadTest, MalformedInputIsAParseErrorAndLeavesTheDocumentEmpty) {
  struct Case {
    const char* xml;
    LONG code;
    LONG line;
    const char* srcText;  // nullptr: not checked
  };
  const Case cases[] = {
      {.xml = "<r><a>text", .code = kUnexpectedEnd, .line = 1, .srcText = "<r><a>text"},
      {.xml = "<r>\n  <a>\n  </b>\n</r>", .code = kEndTagMismatch, .line = 3, .srcText = "  </b>"},
      {.xml = "", .code = kEmptyDocument, .line = 0, .srcText = nullptr},
      {.xml = " \r\n ", .code = kEmptyDocument, .line = 0, .srcText = nullptr},
      {.xml = "just text", .code = kEmptyDocument, .line = 1, .srcText = nullptr},
      {.xml = "<r/><r/>", .code = kNotWellFormed, .line = 1, .srcText = nullptr},
      {.xml = "<r a=\"1\" a=\"2\"/>", .code = kNotWellFormed, .line = 1, .srcText = nullptr},
      {.xml = "<r>&nope;</r>", .code = kUndefinedEntity, .line = 1, .srcText = nullptr},
      {.xml = "<r>&#1;</r>", .code = kInvalidCharacter, .line = 1, .srcText = nullptr},
      {.xml = "<r><x:a/></r>", .code = kNamespace, .line = 1, .srcText = nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    ASSERT_TRUE(LoadXml("<ok/>"));
    ASSERT_EQ(LastError().code, 0);
    EXPECT_FALSE(LoadXml(c.xml));
    const ErrorInfo error = LastError();
    EXPECT_EQ(error.code, c.code) << std::hex << error.code << " " << error.reason;
    EXPECT_FALSE(error.reason.empty());
    EXPECT_EQ(error.line, c.line);
    if (c.line > 0) {
      EXPECT_GT(error.linepos, 0);
    }
    if (c.srcText) {
      EXPECT_EQ(error.srcText, c.srcText);
    }
    IXMLDOMElement* root = reinterpret_cast<IXMLDOMElement*>(0xdeadbeef);
    EXPECT_EQ(doc->get_documentElement(&root), S_FALSE);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(ChildNames(doc), "");
  }
}

TEST_F(LoadTest, TheDeclarationIsKeptAsAProcessingInstruction) {
  ASSERT_TRUE(LoadXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!--c-->\n<r/>"));
  EXPECT_EQ(ChildNames(doc), "xml #comment r");
  IXMLDOMProcessingInstructionPtr declaration;
  ASSERT_EQ(First(doc)->QueryInterface(IID_IXMLDOMProcessingInstruction,
                                            reinterpret_cast<void**>(&declaration)),
            S_OK);
  BSTR data = nullptr;
  declaration->get_data(&data);
  EXPECT_EQ(Take(data), "version=\"1.0\" encoding=\"UTF-8\"");
}

class FileLoadTest : public DomTest {
 protected:
  void SetUp() override {
    DomTest::SetUp();
    host = sandbox::MapTempDrive('T');
  }
  std::string host;
};

TEST_F(FileLoadTest, EncodingsComeFromTheByteOrderMarkOrTheDeclaration) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* text;  // UTF-8 of the root's text; nullptr: the load fails with kEncoding
  };
  auto utf16le = [](const std::u16string& s, bool bom) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (char16_t c : s) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
  };
  auto utf16be = [](const std::u16string& s) {
    std::string out = "\xFE\xFF";
    for (char16_t c : s) out += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return out;
  };
  const Case cases[] = {
      {.name = "utf-8 by default", .bytes = "<r>\xC3\xA9\xE2\x82\xAC</r>", .text = "\u00E9\u20AC"},
      {.name = "utf-8 mark", .bytes = "\xEF\xBB\xBF<r>\xC3\xA9</r>", .text = "\u00E9"},
      // ASCII runs are taken eight bytes at a time: characters of two, three and four bytes that
      // begin at the end of such a run and end in the next must still be decoded.
      {.name = "utf-8, characters across eight-byte runs",
       .bytes = "<r>abcdefghijklmno\xC3\xA9pqrstu\xE2\x82\xACvwxyz12\xF0\x9F\x98\x80" "end</r>",
       .text = "abcdefghijklmno\u00E9pqrstu\u20ACvwxyz12\U0001F600end"},
      {.name = "utf-16le mark",
       .bytes = utf16le(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>\u00E9\u20AC</r>", true),
       .text = "\u00E9\u20AC"},
      {.name = "utf-16le unmarked", .bytes = utf16le(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>\u4E2D</r>", false),
       .text = "\u4E2D"},
      {.name = "utf-16be mark", .bytes = utf16be(u"<r>\u00E9</r>"), .text = "\u00E9"},
      {.name = "iso-8859-1", .bytes = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xE9\xA4</r>",
       .text = "\u00E9\u00A4"},
      // The platform's code page 1252, including a byte it leaves unassigned (read as U+0081).
      {.name = "windows-1252", .bytes = "<?xml version='1.0' encoding='Windows-1252'?><r>\x80\xE9\x81</r>",
       .text = "\u20AC\u00E9\u0081"},
      {.name = "declared utf-8, holding cp1252", .bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>\xE9t\xE9</r>",
       .text = nullptr},
      {.name = "undeclared, not utf-8", .bytes = "<r>\x80</r>", .text = nullptr},
      {.name = "unknown encoding", .bytes = "<?xml version=\"1.0\" encoding=\"x-no-such\"?><r/>", .text = nullptr},
      // Far enough in that the parser has moved its decoded input before it meets the fault.
      {.name = "utf-16 with an unpaired surrogate",
       .bytes = utf16le(u"<r>" + std::u16string(3000, u'a') + u"\xD800" u"b</r>", true), .text = nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes("T:\\enc.xml", c.bytes);
    const bool loaded = LoadFile(u"T:\\enc.xml");
    if (!c.text) {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(LastError().code, kEncoding) << LastError().reason;
      continue;
    }
    ASSERT_TRUE(loaded) << LastError().reason;
    BSTR text = nullptr;
    ASSERT_EQ(Root()->get_text(&text), S_OK);
    EXPECT_EQ(Take(text), c.text);
  }
}

TEST_F(FileLoadTest, FileUrlsAreReadAsLiteralPaths) {
  ASSERT_TRUE(CreateDirectory("T:\\dir #1", nullptr));
  WriteBytes("T:\\dir #1\\50% done.xml", "<r>found</r>");
  sandbox::MapUncShare("\\\\srv\\share", host);
  // What the component reader passes: "file:///" + the Windows path, backslashes and blanks raw.
  for (const char16_t* url : {u"file:///T:\\dir #1\\50% done.xml", u"FILE:///T:/dir #1/50% done.xml",
                              u"T:\\dir #1\\50% done.xml", u"t:\\DIR #1\\50% DONE.XML",
                              u"file://srv/share/dir #1/50% done.xml",
                              u"file:///\\\\srv\\share\\dir #1\\50% done.xml"}) {
    SCOPED_TRACE(Utf8(url));
    ASSERT_TRUE(LoadFile(url)) << LastError().reason;
    EXPECT_EQ(Data(First(Root())), "found");
    BSTR loaded = nullptr;
    ASSERT_EQ(doc->get_url(&loaded), S_OK);
    EXPECT_EQ(Take(loaded), Utf8(url));
  }
}

TEST_F(FileLoadTest, AMissingFileOrANetworkUrlFailsWithoutAnyDocument) {
  struct Case {
    const char16_t* url;
    LONG code;
  };
  const Case cases[] = {
      {.url = u"T:\\absent.xml", .code = static_cast<LONG>(0x80070002)},  // the file-not-found HRESULT
      {.url = u"file:///T:\\no dir\\a.xml", .code = static_cast<LONG>(0x80070003)},
      {.url = u"http://localhost/a.xml", .code = E_ACCESSDENIED},
      {.url = u"ftp://localhost/a.xml", .code = E_ACCESSDENIED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.url));
    ASSERT_TRUE(LoadXml("<previous/>"));
    EXPECT_FALSE(LoadFile(c.url));
    const ErrorInfo error = LastError();
    EXPECT_EQ(error.code, c.code) << std::hex << error.code;
    EXPECT_FALSE(error.reason.empty());
    EXPECT_EQ(ChildNames(doc), "");
    BSTR url = reinterpret_cast<BSTR>(0xdeadbeef);
    EXPECT_EQ(doc->get_url(&url), S_FALSE);
    EXPECT_EQ(url, nullptr);
  }
}

// No external DTD or entity is ever read: a document that needs one fails to load. The files
// exist and would supply the word the document asks for, so a document that loaded could only
// have read them.
TEST_F(FileLoadTest, ExternalDtdsAndEntitiesAreNeverRead) {
  WriteBytes("T:\\secret.dtd", "<!ENTITY secret \"LEAKED\">");
  WriteBytes("T:\\secret.txt", "LEAKED");
  const std::string dtdHost = host + "/secret.dtd";
  const std::string textHost = host + "/secret.txt";
  struct Row {
    std::string xml;
    LONG code;  // an external DTD is named as such; any other DTD is refused before it is read
  } const rows[] = {
      {"<!DOCTYPE r SYSTEM \"" + dtdHost + "\"><r>&secret;</r>", kExternalResource},
      {"<!DOCTYPE r SYSTEM \"file://" + dtdHost + "\"><r/>", kExternalResource},
      {"<!DOCTYPE r PUBLIC \"-//Nobody//DTD r//EN\" \"" + dtdHost + "\"><r/>", kExternalResource},
      {"<!DOCTYPE r [<!ENTITY x SYSTEM \"" + textHost + "\">]><r>&x;</r>", kDocumentTypeRefused},
      {"<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + dtdHost + "\"> %p;]><r>&secret;</r>", kDocumentTypeRefused},
  };
  ASSERT_EQ(doc->put_validateOnParse(VARIANT_FALSE), S_OK);
  ASSERT_EQ(doc->put_resolveExternals(VARIANT_TRUE), S_OK);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.xml);
    for (bool fromFile : {false, true}) {
      bool loaded = false;
      if (fromFile) {
        WriteBytes("T:\\ext.xml", row.xml);
        loaded = LoadFile(u"T:\\ext.xml");
      } else {
        loaded = LoadXml(row.xml);
      }
      EXPECT_FALSE(loaded);
      EXPECT_EQ(LastError().code, row.code) << LastError().reason;
      EXPECT_NE(LastError().reason.find("never"), std::string::npos) << LastError().reason;
    }
  }
}

// A document type declaration is refused where it stands, whatever validateOnParse says: the fault
// after it is never reached, and no entity it declares is ever expanded (these few lines would
// expand to a million characters).
TEST_F(LoadTest, ADocumentTypeDeclarationIsRefusedWhereTheParserMeetsIt) {
  const std::string xml =
      "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>\n"
      "<r>&e;</r></bad>";
  for (VARIANT_BOOL validate : {VARIANT_TRUE, VARIANT_FALSE}) {
    SCOPED_TRACE(validate ? "validateOnParse" : "no validation");
    ASSERT_EQ(doc->put_validateOnParse(validate), S_OK);
    EXPECT_FALSE(LoadXml(xml));
    const ErrorInfo error = LastError();
    EXPECT_EQ(error.code, kDocumentTypeRefused) << error.reason;
    EXPECT_EQ(error.line, 1);
  }
}

TEST_F(LoadTest, ASourceOtherThanAStringIsNotModelled) {
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_I4;
  source.lVal = 1;
  VARIANT_BOOL ok = VARIANT_TRUE;
  EXPECT_EQ(doc->load(source, &ok), E_NOTIMPL);
  EXPECT_EQ(ok, VARIANT_FALSE);
  const auto calls = sandbox::UnmodelledCalls();
  EXPECT_FALSE(calls.empty());
}

}  // namespace
}  // namespace domtest
