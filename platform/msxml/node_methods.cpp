// IXMLDOMNode: the behaviour every node shares (see node_objects.h).
#include <vector>

#include "collections.h"
#include "document.h"
#include "selection.h"
#include "serializer.h"

namespace msxml {

DocumentObject& OwnerOf(const Node* node) { return static_cast<DocumentObject&>(*node->store); }

IXMLDOMNode* InterfaceOf(Node* n) {
  switch (n->kind) {
    case NodeKind::Element:
      return static_cast<ElementObject*>(n);
    case NodeKind::Attribute:
      return static_cast<AttributeObject*>(n);
    case NodeKind::Text:
      return static_cast<TextObject*>(n);
    case NodeKind::CData:
      return static_cast<CDataObject*>(n);
    case NodeKind::Comment:
      return static_cast<CommentObject*>(n);
    case NodeKind::ProcessingInstruction:
      return static_cast<ProcessingInstructionObject*>(n);
    case NodeKind::Document:
      return static_cast<DocumentObject*>(n);
  }
  return nullptr;
}

Node* NodeOf(IUnknown* object) {
  if (!object) return nullptr;
  void* p = nullptr;
  if (FAILED(object->QueryInterface(IID_StandinDomNode, &p)) || !p) return nullptr;
  Node* n = static_cast<Node*>(p);
  // The caller holds its own reference for the length of the call.
  InterfaceOf(n)->Release();
  return n;
}

HRESULT ReturnNode(Node* n, IXMLDOMNode** out) {
  if (!out) return E_INVALIDARG;
  if (!n) {
    *out = nullptr;
    return S_FALSE;
  }
  *out = InterfaceOf(n);
  (*out)->AddRef();
  return S_OK;
}

namespace node {
namespace {

// A node handed in by the caller: ours and of this document. A node of another document would
// have to be imported, which is not modelled.
HRESULT Argument(Node* self, IUnknown* object, Node*& out) {
  out = NodeOf(object);
  if (!out) return E_INVALIDARG;
  if (out->store != self->store) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  return S_OK;
}

HRESULT Insert(Node* self, Node* child, Node* reference, IXMLDOMNode** outNewChild) {
  const HRESULT hr = CheckInsert(self, child, reference);
  if (FAILED(hr)) return hr;
  InsertBefore(self, child, reference);
  return outNewChild ? ReturnNode(child, outNewChild) : S_OK;
}

Node* CloneOf(const Node* source, bool deep) {
  TreeStore& store = *source->store;
  Node* copy = store.NewNode(source->kind);
  copy->name = source->name;  // the arena's strings are never edited in place, so they can be shared
  copy->value = source->value;
  for (const Node* a = source->firstAttribute; a; a = a->next) {
    Node* attribute = store.NewNode(NodeKind::Attribute);
    attribute->name = a->name;
    attribute->value = a->value;
    AppendAttribute(copy, attribute);
  }
  if (deep) {
    for (const Node* c = source->first; c; c = c->next) InsertBefore(copy, CloneOf(c, true), nullptr);
  }
  return copy;
}

}  // namespace

bool Answers(NodeKind kind, REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IXMLDOMNode) return true;
  switch (kind) {
    case NodeKind::Element:
      return riid == IID_IXMLDOMElement;
    case NodeKind::Attribute:
      return riid == IID_IXMLDOMAttr;
    case NodeKind::Text:
      return riid == IID_IXMLDOMCharacterData || riid == IID_IXMLDOMText;
    case NodeKind::CData:
      return riid == IID_IXMLDOMCharacterData || riid == IID_IXMLDOMText || riid == IID_IXMLDOMCDATASection;
    case NodeKind::Comment:
      return riid == IID_IXMLDOMCharacterData || riid == IID_IXMLDOMComment;
    case NodeKind::ProcessingInstruction:
      return riid == IID_IXMLDOMProcessingInstruction;
    case NodeKind::Document:
      return riid == IID_IXMLDOMDocument;
  }
  return false;
}

ULONG AddRef(Node* self) { return OwnerOf(self).AddNodeRef(); }
ULONG Release(Node* self) { return OwnerOf(self).ReleaseNodeRef(); }

// nodeName: the qualified name, the target, or the fixed "#..." name of the node type.
HRESULT GetNodeName(Node* self, BSTR* name) {
  switch (self->kind) {
    case NodeKind::Text:
      return ReturnString(u"#text", name);
    case NodeKind::CData:
      return ReturnString(u"#cdata-section", name);
    case NodeKind::Comment:
      return ReturnString(u"#comment", name);
    case NodeKind::Document:
      return ReturnString(u"#document", name);
    default:
      return ReturnString(self->name, name);
  }
}

// nodeValue: the text of character data, attributes and processing instructions; null for
// elements and the document.
HRESULT GetNodeValue(Node* self, VARIANT* value) {
  if (!value) return E_INVALIDARG;
  VariantInit(value);
  if (self->kind == NodeKind::Element || self->kind == NodeKind::Document) {
    value->vt = VT_NULL;
    return S_FALSE;
  }
  BSTR text = nullptr;
  const HRESULT hr = ReturnString(self->value, &text);
  if (FAILED(hr)) return hr;
  value->vt = VT_BSTR;
  value->bstrVal = text;
  return S_OK;
}

HRESULT PutNodeValue(Node* self, const VARIANT& value) {
  if (self->kind == NodeKind::Element || self->kind == NodeKind::Document) return E_FAIL;
  std::u16string text;
  const HRESULT hr = VariantText(value, text);
  if (FAILED(hr)) return hr;
  self->value = self->store->Store(text);
  return S_OK;
}

HRESULT GetNodeType(Node* self, DOMNodeType* type) {
  if (!type) return E_INVALIDARG;
  *type = static_cast<DOMNodeType>(self->kind);
  return S_OK;
}

// An attribute has no parent in the DOM, though it knows its element.
HRESULT GetParentNode(Node* self, IXMLDOMNode** parent) {
  return ReturnNode(self->kind == NodeKind::Attribute ? nullptr : self->parent, parent);
}

HRESULT GetChildNodes(Node* self, IXMLDOMNodeList** list) {
  if (!list) return E_INVALIDARG;
  *list = NodeList::Children(*self);
  return S_OK;
}

HRESULT GetFirstChild(Node* self, IXMLDOMNode** out) { return ReturnNode(self->first, out); }
HRESULT GetLastChild(Node* self, IXMLDOMNode** out) { return ReturnNode(self->last, out); }
HRESULT GetPreviousSibling(Node* self, IXMLDOMNode** out) {
  return ReturnNode(self->kind == NodeKind::Attribute ? nullptr : self->prev, out);
}
HRESULT GetNextSibling(Node* self, IXMLDOMNode** out) {
  return ReturnNode(self->kind == NodeKind::Attribute ? nullptr : self->next, out);
}

HRESULT GetAttributes(Node* self, IXMLDOMNamedNodeMap** map) {
  if (!map) return E_INVALIDARG;
  if (self->kind != NodeKind::Element) {
    *map = nullptr;
    return S_FALSE;
  }
  *map = new AttributeMap(*self);
  return S_OK;
}

// refChild: a node (VT_UNKNOWN / VT_DISPATCH) to insert before, or empty / null to append.
HRESULT InsertBefore(Node* self, IXMLDOMNode* newChild, const VARIANT& refChild, IXMLDOMNode** outNewChild) {
  if (outNewChild) *outNewChild = nullptr;
  Node* child = nullptr;
  HRESULT hr = Argument(self, newChild, child);
  if (FAILED(hr)) return hr;
  Node* reference = nullptr;
  switch (refChild.vt) {
    case VT_EMPTY:
    case VT_NULL:
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      if (refChild.punkVal) {
        hr = Argument(self, refChild.punkVal, reference);
        if (FAILED(hr)) return hr;
      }
      break;
    default:
      return E_INVALIDARG;
  }
  return Insert(self, child, reference, outNewChild);
}

HRESULT ReplaceChild(Node* self, IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild) {
  if (outOldChild) *outOldChild = nullptr;
  Node* child = nullptr;
  Node* old = nullptr;
  HRESULT hr = Argument(self, newChild, child);
  if (SUCCEEDED(hr)) hr = Argument(self, oldChild, old);
  if (FAILED(hr)) return hr;
  if (old->parent != self || old->kind == NodeKind::Attribute) return E_INVALIDARG;
  if (child != old) {
    hr = CheckInsert(self, child, old, old);
    if (FAILED(hr)) return hr;
    msxml::InsertBefore(self, child, old);
    Detach(old);
  }
  return outOldChild ? ReturnNode(old, outOldChild) : S_OK;
}

HRESULT RemoveChild(Node* self, IXMLDOMNode* childNode, IXMLDOMNode** oldChild) {
  if (oldChild) *oldChild = nullptr;
  Node* child = nullptr;
  const HRESULT hr = Argument(self, childNode, child);
  if (FAILED(hr)) return hr;
  if (child->parent != self || child->kind == NodeKind::Attribute) return E_INVALIDARG;
  Detach(child);
  return oldChild ? ReturnNode(child, oldChild) : S_OK;
}

HRESULT AppendChild(Node* self, IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) {
  if (outNewChild) *outNewChild = nullptr;
  Node* child = nullptr;
  const HRESULT hr = Argument(self, newChild, child);
  if (FAILED(hr)) return hr;
  return Insert(self, child, nullptr, outNewChild);
}

HRESULT HasChildNodes(Node* self, VARIANT_BOOL* hasChild) {
  if (!hasChild) return E_INVALIDARG;
  *hasChild = self->first ? VARIANT_TRUE : VARIANT_FALSE;
  return self->first ? S_OK : S_FALSE;
}

HRESULT GetOwnerDocument(Node* self, IXMLDOMDocument** document) {
  if (!document) return E_INVALIDARG;
  if (self->kind == NodeKind::Document) {
    *document = nullptr;
    return S_FALSE;
  }
  DocumentObject& owner = OwnerOf(self);
  *document = &owner;
  owner.AddRef();
  return S_OK;
}

// A copy with the same name, value and attributes, detached; with its descendants when deep.
HRESULT CloneNode(Node* self, VARIANT_BOOL deep, IXMLDOMNode** clone) {
  if (!clone) return E_INVALIDARG;
  if (self->kind == NodeKind::Document) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  return ReturnNode(CloneOf(self, deep != VARIANT_FALSE), clone);
}

HRESULT GetNodeTypeString(Node* self, BSTR* type) {
  switch (self->kind) {
    case NodeKind::Element:
      return ReturnString(u"element", type);
    case NodeKind::Attribute:
      return ReturnString(u"attribute", type);
    case NodeKind::Text:
      return ReturnString(u"text", type);
    case NodeKind::CData:
      return ReturnString(u"cdatasection", type);
    case NodeKind::ProcessingInstruction:
      return ReturnString(u"processinginstruction", type);
    case NodeKind::Comment:
      return ReturnString(u"comment", type);
    case NodeKind::Document:
      return ReturnString(u"document", type);
  }
  return E_UNEXPECTED;
}

// text: the character data of the node and its descendants, concatenated.
HRESULT GetText(Node* self, BSTR* text) {
  if (!text) return E_INVALIDARG;
  if (self->kind != NodeKind::Element && self->kind != NodeKind::Document) return ReturnString(self->value, text);
  std::u16string collected;
  AppendText(self, collected);
  return ReturnString(collected, text);
}

// Setting the text of an element replaces its children by one text node.
HRESULT PutText(Node* self, BSTR text) {
  if (self->kind == NodeKind::Document) return E_FAIL;
  if (self->kind != NodeKind::Element) {
    self->value = self->store->Store(View(text));
    return S_OK;
  }
  RemoveAllChildren(self);
  if (!View(text).empty()) {
    Node* t = self->store->NewNode(NodeKind::Text);
    t->value = self->store->Store(View(text));
    msxml::InsertBefore(self, t, nullptr);
  }
  return S_OK;
}

HRESULT GetXml(Node* self, BSTR* xml) {
  if (!xml) return E_INVALIDARG;
  std::u16string markup;
  AppendMarkup(self, MarkupFor::Property, nullptr, markup);
  return ReturnString(markup, xml);
}

HRESULT SelectNodes(Node* self, BSTR query, IXMLDOMNodeList** list) {
  if (!list) return E_INVALIDARG;
  *list = nullptr;
  const Selection* selection = ParsedSelection(View(query));
  if (selection == nullptr) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  std::vector<Node*> found;
  SelectAll(self, *selection, found);
  *list = NodeList::Fixed(*self, std::move(found));
  return S_OK;
}

HRESULT SelectSingleNode(Node* self, BSTR query, IXMLDOMNode** result) {
  if (!result) return E_INVALIDARG;
  *result = nullptr;
  const Selection* selection = ParsedSelection(View(query));
  if (selection == nullptr) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  return ReturnNode(SelectFirst(self, *selection), result);
}

HRESULT GetNamespaceUri(Node* self, BSTR* uri) { return ReturnString(NamespaceUri(self), uri); }

HRESULT GetPrefix(Node* self, BSTR* prefix) {
  const bool named = self->kind == NodeKind::Element || self->kind == NodeKind::Attribute;
  return ReturnString(named ? Prefix(self->name) : std::u16string_view{}, prefix);
}

HRESULT GetBaseName(Node* self, BSTR* name) {
  const bool named = self->kind == NodeKind::Element || self->kind == NodeKind::Attribute ||
                     self->kind == NodeKind::ProcessingInstruction;
  return ReturnString(named ? BaseName(self->name) : std::u16string_view{}, name);
}

}  // namespace node
}  // namespace msxml
