// The DOMDocument class: found by CLSID and ProgID, its default options, and the lifetime of its
// nodes.
#include "dom_test_support.h"

namespace domtest {
namespace {

using ClassTest = DomTest;

TEST_F(ClassTest, FoundByClsidAndProgIds) {
  for (const char16_t* progId : {u"Microsoft.XMLDOM", u"Msxml2.DOMDocument", u"MSXML2.domdocument"}) {
    SCOPED_TRACE(Utf8(progId));
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
    IXMLDOMDocumentPtr document;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&document)),
              S_OK);
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(document->loadXML(Bstr(u"<r/>"), &ok), S_OK);
  }
  CLSID clsid = GUID_NULL;
  ASSERT_EQ(CLSIDFromProgID(u"Microsoft.XMLDOM", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_DOMDocument);
  EXPECT_EQ(__uuidof(DOMDocument), CLSID_DOMDocument);
}

TEST_F(ClassTest, DefaultOptionsAreThePlatformsAndAFreshDocumentIsEmpty) {
  struct Case {
    const char* name;
    HRESULT (STDMETHODCALLTYPE IXMLDOMDocument::*get)(VARIANT_BOOL*);
    bool expected;
  };
  const Case cases[] = {
      {.name = "async", .get = &IXMLDOMDocument::get_async, .expected = true},
      {.name = "validateOnParse", .get = &IXMLDOMDocument::get_validateOnParse, .expected = true},
      {.name = "resolveExternals", .get = &IXMLDOMDocument::get_resolveExternals, .expected = true},
      {.name = "preserveWhiteSpace", .get = &IXMLDOMDocument::get_preserveWhiteSpace, .expected = false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VARIANT_BOOL value = 0x5a5a;
    EXPECT_EQ(((*doc).*c.get)(&value), S_OK);
    EXPECT_EQ(value, c.expected ? VARIANT_TRUE : VARIANT_FALSE);
  }
  LONG state = 0;
  EXPECT_EQ(doc->get_readyState(&state), S_OK);
  EXPECT_EQ(state, 4);
  IXMLDOMElement* root = reinterpret_cast<IXMLDOMElement*>(0xdeadbeef);
  EXPECT_EQ(doc->get_documentElement(&root), S_FALSE);
  EXPECT_EQ(root, nullptr);
  // Before any load the parse-error object reports no error.
  const ErrorInfo error = LastError();
  EXPECT_EQ(error.code, 0);
  EXPECT_EQ(error.reason, "");
  UINT count = 99;
  EXPECT_EQ(doc->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
}

TEST_F(ClassTest, ANodeKeepsItsDocumentAlive) {
  ASSERT_TRUE(LoadXml("<r><a>kept</a></r>"));
  IXMLDOMNodePtr a = Select(Root(), u"a");
  IXMLDOMNodeListPtr list;
  ASSERT_EQ(a->get_childNodes(&list), S_OK);
  doc = nullptr;  // the caller's last reference to the document itself
  EXPECT_EQ(Data(First(a)), "kept");
  IXMLDOMDocumentPtr owner;
  ASSERT_EQ(a->get_ownerDocument(&owner), S_OK);
  IXMLDOMElementPtr root;
  ASSERT_EQ(owner->get_documentElement(&root), S_OK);
  EXPECT_EQ(Name(root), "r");
  a = nullptr;
  owner = nullptr;
  root = nullptr;
  IXMLDOMNodePtr item;
  ASSERT_EQ(list->get_item(0, &item), S_OK);  // the list alone still holds it
  EXPECT_EQ(Data(item), "kept");
}

TEST_F(ClassTest, ANodeOfAReloadedDocumentStaysUsable) {
  ASSERT_TRUE(LoadXml("<old><a>before</a></old>"));
  IXMLDOMNodePtr a = Select(Root(), u"a");
  ASSERT_TRUE(LoadXml("<new/>"));
  EXPECT_EQ(Name(Root()), "new");
  EXPECT_EQ(Data(First(a)), "before");
  IXMLDOMNodePtr parent;
  ASSERT_EQ(a->get_parentNode(&parent), S_OK);
  EXPECT_EQ(Name(parent), "old");
  IXMLDOMNodePtr grandParent;
  EXPECT_EQ(parent->get_parentNode(&grandParent), S_FALSE);  // no longer in the document
  // Reloading again with nothing held from the old trees frees them (the sanitizer build checks).
  a = nullptr;
  parent = nullptr;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(LoadXml("<again><x/></again>"));
  EXPECT_EQ(ChildNames(Root()), "x");
}

TEST_F(ClassTest, LateBindingIsNotModelled) {
  sandbox::ClearUnmodelledCalls();
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(u"load")};
  EXPECT_EQ(doc->GetIDsOfNames(IID_NULL, names, 1, 0, &id), E_NOTIMPL);
  EXPECT_EQ(sandbox::UnmodelledCalls().size(), 1u);
}

}  // namespace
}  // namespace domtest
