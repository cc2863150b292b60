// selectSingleNode / selectNodes / getElementsByTagName: child paths by qualified name, whatever
// the default namespace (the component reader relies on this), and loud refusal of the rest.
#include "dom_test_support.h"

namespace domtest {
namespace {

using SelectionTest = DomTest;

// What the component writer produces: a default namespace on the root.
constexpr char kComponent[] =
    "<?xml version=\"1.0\"?>"
    "<Component xmlns=\"urn:tq-components\" xmlns:x=\"urn:x\">"
    "<Hidden>0</Hidden><ComponentName>TqGraph</ComponentName><ComponentName>second</ComponentName>"
    "<Sources><Source><SourceFile>a.cpp</SourceFile></Source><Source><SourceFile>b.cpp</SourceFile></Source>"
    "</Sources><x:Extra>e</x:Extra><Deep><Hidden>deep</Hidden></Deep></Component>";

TEST_F(SelectionTest, ChildPathsMatchQualifiedNamesAsWritten) {
  ASSERT_TRUE(LoadXml(kComponent));
  IXMLDOMElementPtr root = Root();
  struct Case {
    const char16_t* pattern;
    const char* first;  // text of the first match, nullptr: no match
    LONG count;
  };
  const Case cases[] = {
      {.pattern = u"Hidden", .first = "0", .count = 1},  // a child only, not the deeper one
      {.pattern = u"./ComponentName", .first = "TqGraph", .count = 2},
      {.pattern = u" ComponentName ", .first = "TqGraph", .count = 2},
      {.pattern = u"Sources/Source/SourceFile", .first = "a.cpp", .count = 2},
      {.pattern = u"./Sources/./Source/SourceFile", .first = "a.cpp", .count = 2},
      {.pattern = u"x:Extra", .first = "e", .count = 1},
      {.pattern = u"Extra", .first = nullptr, .count = 0},  // the prefix is part of the name
      {.pattern = u"hidden", .first = nullptr, .count = 0},  // names are case-sensitive
      {.pattern = u"Missing", .first = nullptr, .count = 0},
      {.pattern = u"Deep/*", .first = "deep", .count = 1},
      {.pattern = u"*", .first = "0", .count = 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.pattern));
    IXMLDOMNode* found = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
    const HRESULT hr = root->selectSingleNode(Bstr(c.pattern), &found);
    if (c.first) {
      ASSERT_EQ(hr, S_OK);
      BSTR text = nullptr;
      found->get_text(&text);
      EXPECT_EQ(Take(text), c.first);
      found->Release();
    } else {
      EXPECT_EQ(hr, S_FALSE);
      EXPECT_EQ(found, nullptr);
    }
    IXMLDOMNodeListPtr all;
    ASSERT_EQ(root->selectNodes(Bstr(c.pattern), &all), S_OK);
    LONG count = -1;
    all->get_length(&count);
    EXPECT_EQ(count, c.count);
  }
  EXPECT_TRUE(sandbox::UnmodelledCalls().empty());
}

TEST_F(SelectionTest, TheDocumentAndTheContextItself) {
  ASSERT_TRUE(LoadXml(kComponent));
  IXMLDOMNodePtr root = Select(doc, u"Component");
  ASSERT_TRUE(root);
  EXPECT_EQ(root, IXMLDOMNodePtr(Root()));
  EXPECT_EQ(Select(doc, u"Component/Hidden").GetInterfacePtr(), Select(Root(), u"Hidden").GetInterfacePtr());
  EXPECT_EQ(Select(Root(), u".").GetInterfacePtr(), root.GetInterfacePtr());
  // Only elements are selected: a text node has no children to match.
  IXMLDOMNodePtr text = First(Select(Root(), u"Hidden"));
  IXMLDOMNode* none = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(text->selectSingleNode(Bstr(u"Hidden"), &none), S_FALSE);
  EXPECT_EQ(none, nullptr);
}

TEST_F(SelectionTest, WhatThePatternEngineDoesNotModelIsRefusedLoudly) {
  ASSERT_TRUE(LoadXml(kComponent));
  for (const char16_t* pattern : {u"//Hidden", u"/Component", u"../x", u"@xmlns", u"Hidden[1]", u"text()",
                                  u"Hidden|Sources", u"child::Hidden", u"Sources/", u"", u"a b"}) {
    SCOPED_TRACE(Utf8(pattern));
    sandbox::ClearUnmodelledCalls();
    IXMLDOMNode* found = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
    EXPECT_EQ(Root()->selectSingleNode(Bstr(pattern), &found), E_NOTIMPL);
    EXPECT_EQ(found, nullptr);
    IXMLDOMNodeList* list = reinterpret_cast<IXMLDOMNodeList*>(0xdeadbeef);
    EXPECT_EQ(Root()->selectNodes(Bstr(pattern), &list), E_NOTIMPL);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(sandbox::UnmodelledCalls().size(), 2u);
  }
}

TEST_F(SelectionTest, ElementsByTagNameAreDescendantsInDocumentOrder) {
  ASSERT_TRUE(LoadXml(kComponent));
  struct Case {
    IXMLDOMNode* from;
    const char16_t* name;
    LONG count;
  };
  IXMLDOMNodePtr deep = Select(Root(), u"Deep");
  const Case cases[] = {
      {.from = doc, .name = u"Hidden", .count = 2},
      {.from = deep, .name = u"Hidden", .count = 1},
      {.from = doc, .name = u"SourceFile", .count = 2},
      {.from = doc, .name = u"*", .count = 12},
      {.from = doc, .name = u"Extra", .count = 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.name));
    IXMLDOMNodeListPtr list;
    if (c.from == doc.GetInterfacePtr()) {
      ASSERT_EQ(doc->getElementsByTagName(Bstr(c.name), &list), S_OK);
    } else {
      IXMLDOMElementPtr element;
      ASSERT_EQ(c.from->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element)), S_OK);
      ASSERT_EQ(element->getElementsByTagName(Bstr(c.name), &list), S_OK);
    }
    LONG count = -1;
    list->get_length(&count);
    EXPECT_EQ(count, c.count);
  }
  IXMLDOMNodeListPtr files;
  doc->getElementsByTagName(Bstr(u"SourceFile"), &files);
  IXMLDOMNodePtr second;
  files->get_item(1, &second);
  EXPECT_EQ(Data(First(second)), "b.cpp");
}

}  // namespace
}  // namespace domtest
