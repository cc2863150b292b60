// The node interfaces: what each node type answers, navigation, lists, attributes, changes to
// the tree and their hierarchy rules, character data.
#include "dom_test_support.h"

namespace domtest {
namespace {

using TreeTest = DomTest;

constexpr char kSample[] =
    "<?xml version=\"1.0\"?><r xmlns=\"urn:r\" a=\"1\" p:b=\"2\" xmlns:p=\"urn:p\">"
    "<e>t</e><![CDATA[c]]><!--m--><?pi d?><p:q/></r>";

TEST_F(TreeTest, EachNodeTypeHasItsNameTypeValueAndInterfaces) {
  ASSERT_TRUE(LoadXml(kSample));
  IXMLDOMNodeListPtr children;
  ASSERT_EQ(Root()->get_childNodes(&children), S_OK);
  IXMLDOMNodePtr e, text, cdata, comment, pi, attribute;
  children->get_item(0, &e);
  e->get_firstChild(&text);
  children->get_item(1, &cdata);
  children->get_item(2, &comment);
  children->get_item(3, &pi);
  IXMLDOMNamedNodeMapPtr attributes;
  ASSERT_EQ(Root()->get_attributes(&attributes), S_OK);
  attributes->getNamedItem(Bstr(u"a"), &attribute);

  struct Case {
    const char* label;
    IXMLDOMNode* node;
    DOMNodeType type;
    const char* name;
    const char* typeString;
    VARTYPE valueType;
    const IID* answers[3];  // besides IUnknown, IDispatch and IXMLDOMNode
  };
  const Case cases[] = {
      {.label = "element", .node = e, .type = NODE_ELEMENT, .name = "e", .typeString = "element",
       .valueType = VT_NULL, .answers = {&IID_IXMLDOMElement}},
      {.label = "text", .node = text, .type = NODE_TEXT, .name = "#text", .typeString = "text", .valueType = VT_BSTR,
       .answers = {&IID_IXMLDOMCharacterData, &IID_IXMLDOMText}},
      {.label = "cdata", .node = cdata, .type = NODE_CDATA_SECTION, .name = "#cdata-section",
       .typeString = "cdatasection", .valueType = VT_BSTR,
       .answers = {&IID_IXMLDOMCharacterData, &IID_IXMLDOMText, &IID_IXMLDOMCDATASection}},
      {.label = "comment", .node = comment, .type = NODE_COMMENT, .name = "#comment", .typeString = "comment",
       .valueType = VT_BSTR, .answers = {&IID_IXMLDOMCharacterData, &IID_IXMLDOMComment}},
      {.label = "pi", .node = pi, .type = NODE_PROCESSING_INSTRUCTION, .name = "pi",
       .typeString = "processinginstruction", .valueType = VT_BSTR, .answers = {&IID_IXMLDOMProcessingInstruction}},
      {.label = "attribute", .node = attribute, .type = NODE_ATTRIBUTE, .name = "a", .typeString = "attribute",
       .valueType = VT_BSTR, .answers = {&IID_IXMLDOMAttr}},
      {.label = "document", .node = doc, .type = NODE_DOCUMENT, .name = "#document", .typeString = "document",
       .valueType = VT_NULL, .answers = {&IID_IXMLDOMDocument}},
  };
  const IID* specific[] = {&IID_IXMLDOMElement,      &IID_IXMLDOMAttr,    &IID_IXMLDOMCharacterData,
                           &IID_IXMLDOMText,         &IID_IXMLDOMComment, &IID_IXMLDOMCDATASection,
                           &IID_IXMLDOMProcessingInstruction, &IID_IXMLDOMDocument, &IID_IXMLDOMNodeList};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(c.node);
    DOMNodeType type = NODE_INVALID;
    EXPECT_EQ(c.node->get_nodeType(&type), S_OK);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(Name(c.node), c.name);
    BSTR typeString = nullptr;
    c.node->get_nodeTypeString(&typeString);
    EXPECT_EQ(Take(typeString), c.typeString);
    VARIANT value;
    value.vt = 0xdead;
    EXPECT_EQ(c.node->get_nodeValue(&value), c.valueType == VT_NULL ? S_FALSE : S_OK);
    EXPECT_EQ(value.vt, c.valueType);
    VariantClear(&value);
    for (const IID* iid : specific) {
      const bool expected = std::find(std::begin(c.answers), std::end(c.answers), iid) != std::end(c.answers);
      void* p = reinterpret_cast<void*>(0xdeadbeef);
      const HRESULT hr = c.node->QueryInterface(*iid, &p);
      EXPECT_EQ(hr, expected ? S_OK : E_NOINTERFACE);
      if (expected) {
        // Every interface of a node is the same object.
        EXPECT_EQ(static_cast<IUnknown*>(p), static_cast<IUnknown*>(c.node));
        static_cast<IUnknown*>(p)->Release();
      } else {
        EXPECT_EQ(p, nullptr);
      }
    }
  }
}

TEST_F(TreeTest, NavigationAnswersSFalseAndNullAtTheEdges) {
  ASSERT_TRUE(LoadXml("<r><a/><b/></r>"));
  IXMLDOMElementPtr root = Root();
  IXMLDOMNodePtr a = First(root);
  IXMLDOMNode* out = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(a->get_previousSibling(&out), S_FALSE);
  EXPECT_EQ(out, nullptr);
  IXMLDOMNodePtr b;
  ASSERT_EQ(a->get_nextSibling(&b), S_OK);
  EXPECT_EQ(Name(b), "b");
  out = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(b->get_nextSibling(&out), S_FALSE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(b->get_firstChild(&out), S_FALSE);
  VARIANT_BOOL has = 0x5a5a;
  EXPECT_EQ(b->hasChildNodes(&has), S_FALSE);
  EXPECT_EQ(has, VARIANT_FALSE);
  IXMLDOMNodePtr parent;
  ASSERT_EQ(b->get_parentNode(&parent), S_OK);
  EXPECT_EQ(parent, IXMLDOMNodePtr(root));
  IXMLDOMNodePtr top;
  ASSERT_EQ(root->get_parentNode(&top), S_OK);
  EXPECT_EQ(top, IXMLDOMNodePtr(doc));
  EXPECT_EQ(doc->get_parentNode(&out), S_FALSE);
  IXMLDOMDocumentPtr owner;
  ASSERT_EQ(b->get_ownerDocument(&owner), S_OK);
  EXPECT_EQ(owner, doc);
  // The same node asked for twice is the same object.
  IXMLDOMNodePtr again;
  root->get_lastChild(&again);
  EXPECT_EQ(again.GetInterfacePtr(), b.GetInterfacePtr());
}

TEST_F(TreeTest, ChildNodesIsLiveAndIndexedFromZero) {
  ASSERT_TRUE(LoadXml("<r><a/><b/><c/></r>"));
  IXMLDOMNodeListPtr list;
  ASSERT_EQ(Root()->get_childNodes(&list), S_OK);
  LONG length = -1;
  EXPECT_EQ(list->get_length(&length), S_OK);
  EXPECT_EQ(length, 3);
  IXMLDOMNode* item = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(list->get_item(3, &item), S_FALSE);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(list->get_item(-1, &item), S_FALSE);
  std::string walked;
  for (IXMLDOMNodePtr n; list->nextNode(&n) == S_OK;) walked += Name(n);
  EXPECT_EQ(walked, "abc");
  EXPECT_EQ(list->reset(), S_OK);
  IXMLDOMNodePtr first;
  ASSERT_EQ(list->nextNode(&first), S_OK);
  EXPECT_EQ(Name(first), "a");

  // A change to the tree shows in the list already handed out, even after a cached lookup.
  IXMLDOMNodePtr b;
  ASSERT_EQ(list->get_item(1, &b), S_OK);
  IXMLDOMNodePtr removed;
  ASSERT_EQ(Root()->removeChild(First(Root()), &removed), S_OK);
  EXPECT_EQ(list->get_length(&length), S_OK);
  EXPECT_EQ(length, 2);
  IXMLDOMNodePtr now;
  ASSERT_EQ(list->get_item(1, &now), S_OK);
  EXPECT_EQ(Name(now), "c");
}

TEST_F(TreeTest, AttributesByNameAndPosition) {
  ASSERT_TRUE(LoadXml(kSample));
  IXMLDOMElementPtr root = Root();
  _variant_t value;
  EXPECT_EQ(root->getAttribute(Bstr(u"p:b"), &value), S_OK);
  EXPECT_EQ(value.vt, VT_BSTR);
  EXPECT_EQ(Utf8(value.bstrVal), "2");
  VARIANT missing;
  missing.vt = 0xdead;
  EXPECT_EQ(root->getAttribute(Bstr(u"zz"), &missing), S_FALSE);
  EXPECT_EQ(missing.vt, VT_NULL);

  // The namespace declarations are attributes too (this DOM lists them first).
  IXMLDOMNamedNodeMapPtr map;
  ASSERT_EQ(root->get_attributes(&map), S_OK);
  LONG length = 0;
  map->get_length(&length);
  EXPECT_EQ(length, 4);
  std::string names;
  for (IXMLDOMNodePtr a; map->nextNode(&a) == S_OK;) names += Name(a) + " ";
  EXPECT_EQ(names, "xmlns xmlns:p a p:b ");
  IXMLDOMNodePtr qualified;
  ASSERT_EQ(map->getQualifiedItem(Bstr(u"b"), Bstr(u"urn:p"), &qualified), S_OK);
  EXPECT_EQ(Name(qualified), "p:b");
  IXMLDOMNode* none = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(map->getNamedItem(Bstr(u"zz"), &none), S_FALSE);
  EXPECT_EQ(none, nullptr);
  IXMLDOMNodePtr attrParent;
  EXPECT_EQ(qualified->get_parentNode(&attrParent), S_FALSE);  // attributes have no parent

  // setAttribute replaces in place or appends; other types go through their text.
  EXPECT_EQ(root->setAttribute(Bstr(u"a"), _variant_t(u"one")), S_OK);
  EXPECT_EQ(root->setAttribute(Bstr(u"n"), _variant_t(LONG{42})), S_OK);
  EXPECT_EQ(root->removeAttribute(Bstr(u"p:b")), S_OK);
  EXPECT_EQ(root->removeAttribute(Bstr(u"p:b")), S_FALSE);
  EXPECT_EQ(root->setAttribute(Bstr(u"bad name"), _variant_t(u"x")), E_FAIL);
  EXPECT_EQ(Xml(First(doc)), "<?xml version=\"1.0\"?>");
  const std::string xml = Xml(root);
  EXPECT_EQ(xml.substr(0, xml.find('>') + 1), "<r xmlns=\"urn:r\" xmlns:p=\"urn:p\" a=\"one\" n=\"42\">");
}

TEST_F(TreeTest, NamespacePrefixAndBaseName) {
  ASSERT_TRUE(LoadXml(kSample));
  IXMLDOMNodePtr q = Select(Root(), u"p:q");
  ASSERT_TRUE(q);
  struct Case {
    IXMLDOMNode* node;
    const char* uri;
    const char* prefix;
    const char* baseName;
  };
  const Case cases[] = {
      {.node = Root(), .uri = "urn:r", .prefix = "", .baseName = "r"},
      {.node = q, .uri = "urn:p", .prefix = "p", .baseName = "q"},
      {.node = Select(Root(), u"e"), .uri = "urn:r", .prefix = "", .baseName = "e"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.baseName);
    BSTR s = nullptr;
    c.node->get_namespaceURI(&s);
    EXPECT_EQ(Take(s), c.uri);
    s = nullptr;
    c.node->get_prefix(&s);
    EXPECT_EQ(Take(s), c.prefix);
    s = nullptr;
    c.node->get_baseName(&s);
    EXPECT_EQ(Take(s), c.baseName);
  }
}

TEST_F(TreeTest, InsertingFollowsTheHierarchyRulesAndChangesNothingWhenRefused) {
  ASSERT_TRUE(LoadXml("<r><a><b/></a></r>"));
  IXMLDOMElementPtr root = Root();
  IXMLDOMNodePtr a = Select(root, u"a");
  IXMLDOMNodePtr b = Select(root, u"a/b");
  IXMLDOMElementPtr second;
  ASSERT_EQ(doc->createElement(Bstr(u"second"), &second), S_OK);
  IXMLDOMTextPtr text;
  ASSERT_EQ(doc->createTextNode(Bstr(u"t"), &text), S_OK);
  IXMLDOMAttrPtr attribute;
  ASSERT_EQ(doc->createAttribute(Bstr(u"at"), &attribute), S_OK);
  IXMLDOMDocumentPtr other = NewDocument();
  IXMLDOMElementPtr foreign;
  ASSERT_EQ(other->createElement(Bstr(u"f"), &foreign), S_OK);

  struct Case {
    const char* label;
    IXMLDOMNode* parent;
    IXMLDOMNode* child;
    HRESULT expected;
  };
  const Case cases[] = {
      {.label = "a second document element", .parent = doc, .child = second, .expected = E_FAIL},
      {.label = "text under the document", .parent = doc, .child = text, .expected = E_FAIL},
      {.label = "an ancestor under its descendant", .parent = b, .child = a, .expected = E_FAIL},
      {.label = "a node under itself", .parent = a, .child = a, .expected = E_FAIL},
      {.label = "an attribute as a child", .parent = a, .child = attribute, .expected = E_FAIL},
      {.label = "a child under a text node", .parent = text, .child = second, .expected = E_FAIL},
      {.label = "no node", .parent = a, .child = nullptr, .expected = E_INVALIDARG},
  };
  const std::string before = Xml(doc);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    IXMLDOMNode* out = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
    EXPECT_EQ(c.parent->appendChild(c.child, &out), c.expected);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Xml(doc), before);
  }
  // A node of another document would have to be imported: not modelled.
  sandbox::ClearUnmodelledCalls();
  EXPECT_EQ(a->appendChild(foreign, nullptr), E_NOTIMPL);
  EXPECT_FALSE(sandbox::UnmodelledCalls().empty());

  // Moving: insertBefore takes the node from where it was.
  IXMLDOMNodePtr inserted;
  ASSERT_EQ(root->insertBefore(b, _variant_t(a.GetInterfacePtr()), &inserted), S_OK);
  EXPECT_EQ(inserted.GetInterfacePtr(), b.GetInterfacePtr());
  EXPECT_EQ(Xml(root), "<r><b/><a/></r>");
  ASSERT_EQ(a->appendChild(text, nullptr), S_OK);
  IXMLDOMNodePtr old;
  ASSERT_EQ(root->replaceChild(second, b, &old), S_OK);
  EXPECT_EQ(old.GetInterfacePtr(), b.GetInterfacePtr());
  EXPECT_EQ(Xml(root), "<r><second/><a>t</a></r>");
  // The document element may be replaced by another element.
  IXMLDOMElementPtr fresh;
  ASSERT_EQ(doc->createElement(Bstr(u"fresh"), &fresh), S_OK);
  ASSERT_EQ(doc->replaceChild(fresh, root, nullptr), S_OK);
  EXPECT_EQ(Xml(doc), "<fresh/>\r\n");
  // A removed node is still usable while it is held.
  EXPECT_EQ(Xml(root), "<r><second/><a>t</a></r>");
  EXPECT_EQ(root->removeChild(fresh, nullptr), E_INVALIDARG);  // not its child
}

TEST_F(TreeTest, CreateRefusesNamesXmlDoesNotAllow) {
  for (const char16_t* name : {u"", u"1a", u"a b", u"a:b:c", u":a", u"a:"}) {
    SCOPED_TRACE(Utf8(name));
    IXMLDOMElement* e = reinterpret_cast<IXMLDOMElement*>(0xdeadbeef);
    EXPECT_EQ(doc->createElement(Bstr(name), &e), E_FAIL);
    EXPECT_EQ(e, nullptr);
  }
  IXMLDOMElementPtr ok;
  EXPECT_EQ(doc->createElement(Bstr(u"x:\u00E9l\u00E9ment-1.2"), &ok), S_OK);
  EXPECT_EQ(doc->createElement(Bstr(u"a"), nullptr), E_INVALIDARG);
}

TEST_F(TreeTest, CharacterDataEditing) {
  ASSERT_TRUE(LoadXml("<r>hello world</r>"));
  IXMLDOMTextPtr text;
  ASSERT_EQ(First(Root())->QueryInterface(IID_IXMLDOMText, reinterpret_cast<void**>(&text)), S_OK);
  LONG length = 0;
  EXPECT_EQ(text->get_length(&length), S_OK);
  EXPECT_EQ(length, 11);
  BSTR part = nullptr;
  EXPECT_EQ(text->substringData(6, 100, &part), S_OK);  // a count past the end stops there
  EXPECT_EQ(Take(part), "world");
  part = reinterpret_cast<BSTR>(0xdeadbeef);
  EXPECT_EQ(text->substringData(12, 1, &part), E_INVALIDARG);
  EXPECT_EQ(part, nullptr);
  EXPECT_EQ(text->replaceData(0, 5, Bstr(u"goodbye")), S_OK);
  EXPECT_EQ(text->insertData(7, Bstr(u",")), S_OK);
  EXPECT_EQ(text->appendData(Bstr(u"!")), S_OK);
  EXPECT_EQ(text->deleteData(-1, 1), E_INVALIDARG);
  EXPECT_EQ(Data(text), "goodbye, world!");
  IXMLDOMTextPtr right;
  ASSERT_EQ(text->splitText(8, &right), S_OK);
  EXPECT_EQ(Data(text), "goodbye,");
  EXPECT_EQ(Data(right), " world!");
  EXPECT_EQ(ChildNames(Root()), "#text #text");
  BSTR all = nullptr;
  EXPECT_EQ(Root()->get_text(&all), S_OK);
  EXPECT_EQ(Take(all), "goodbye, world!");
  // normalize joins them again.
  ASSERT_EQ(Root()->normalize(), S_OK);
  EXPECT_EQ(ChildNames(Root()), "#text");
  // put_text on an element replaces its children by one text node.
  ASSERT_TRUE(LoadXml("<r><a/>x<b>y</b></r>"));
  ASSERT_EQ(Root()->put_text(Bstr(u"only")), S_OK);
  EXPECT_EQ(Xml(Root()), "<r>only</r>");
}

TEST_F(TreeTest, CloneCopiesDetachedWithOrWithoutDescendants) {
  ASSERT_TRUE(LoadXml("<r k=\"v\"><a>t</a></r>"));
  IXMLDOMNodePtr shallow, deep;
  ASSERT_EQ(Root()->cloneNode(VARIANT_FALSE, &shallow), S_OK);
  ASSERT_EQ(Root()->cloneNode(VARIANT_TRUE, &deep), S_OK);
  EXPECT_EQ(Xml(shallow), "<r k=\"v\"/>");
  EXPECT_EQ(Xml(deep), "<r k=\"v\"><a>t</a></r>");
  IXMLDOMNode* parent = reinterpret_cast<IXMLDOMNode*>(0xdeadbeef);
  EXPECT_EQ(deep->get_parentNode(&parent), S_FALSE);
  EXPECT_EQ(parent, nullptr);
}

}  // namespace
}  // namespace domtest
