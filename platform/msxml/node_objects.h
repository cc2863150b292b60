// The COM objects of the tree. Each node is one object that implements the interface chain of
// its type (an element is IXMLDOMElement : IXMLDOMNode : IDispatch : IUnknown), so every
// interface of a node is the same pointer. The methods common to all nodes are written once, in
// node_methods.cpp, and reached through the NodeObject template.
//
// A node lives as long as its document: its reference count is the document's, so a node held
// by a caller keeps the whole document alive, and the document frees all its nodes together.
#pragma once

#include <msxml.h>

#include "com_util.h"
#include "dom_tree.h"
#include "sandbox/internal.h"

namespace msxml {

// Answered by every node of this DOM with the Node itself, so that a node passed in (to
// appendChild, insertBefore, ...) can be recognised as ours. Not a platform identifier.
inline constexpr GUID IID_StandinDomNode = {0x6B1F3C2A, 0x52D4, 0x4E8B, {0x9A, 0x1C, 0x3D, 0x7E, 0x5F, 0x20, 0xB4, 0x81}};

class DocumentObject;
DocumentObject& OwnerOf(const Node* node);

// The interface of a node (not AddRef'd).
IXMLDOMNode* InterfaceOf(Node* node);
// Our node behind an interface pointer, or null for a foreign object or null.
Node* NodeOf(IUnknown* object);

// Out-parameter helpers: S_OK with an AddRef'd interface, or S_FALSE with null.
HRESULT ReturnNode(Node* node, IXMLDOMNode** out);
template <class T>
HRESULT ReturnNodeAs(Node* node, T** out) {
  if (!out) return E_INVALIDARG;
  IXMLDOMNode* p = nullptr;
  const HRESULT hr = ReturnNode(node, &p);
  *out = static_cast<T*>(p);  // the node's kind guarantees the interface
  return hr;
}

// The behaviour shared by every node (node_methods.cpp).
namespace node {
bool Answers(NodeKind kind, REFIID riid);
ULONG AddRef(Node* self);
ULONG Release(Node* self);
HRESULT GetNodeName(Node* self, BSTR* name);
HRESULT GetNodeValue(Node* self, VARIANT* value);
HRESULT PutNodeValue(Node* self, const VARIANT& value);
HRESULT GetNodeType(Node* self, DOMNodeType* type);
HRESULT GetParentNode(Node* self, IXMLDOMNode** parent);
HRESULT GetChildNodes(Node* self, IXMLDOMNodeList** list);
HRESULT GetFirstChild(Node* self, IXMLDOMNode** out);
HRESULT GetLastChild(Node* self, IXMLDOMNode** out);
HRESULT GetPreviousSibling(Node* self, IXMLDOMNode** out);
HRESULT GetNextSibling(Node* self, IXMLDOMNode** out);
HRESULT GetAttributes(Node* self, IXMLDOMNamedNodeMap** map);
HRESULT InsertBefore(Node* self, IXMLDOMNode* newChild, const VARIANT& refChild, IXMLDOMNode** outNewChild);
HRESULT ReplaceChild(Node* self, IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild);
HRESULT RemoveChild(Node* self, IXMLDOMNode* child, IXMLDOMNode** oldChild);
HRESULT AppendChild(Node* self, IXMLDOMNode* newChild, IXMLDOMNode** outNewChild);
HRESULT HasChildNodes(Node* self, VARIANT_BOOL* hasChild);
HRESULT GetOwnerDocument(Node* self, IXMLDOMDocument** document);
HRESULT CloneNode(Node* self, VARIANT_BOOL deep, IXMLDOMNode** clone);
HRESULT GetNodeTypeString(Node* self, BSTR* type);
HRESULT GetText(Node* self, BSTR* text);
HRESULT PutText(Node* self, BSTR text);
HRESULT GetXml(Node* self, BSTR* xml);
HRESULT SelectNodes(Node* self, BSTR query, IXMLDOMNodeList** list);
HRESULT SelectSingleNode(Node* self, BSTR query, IXMLDOMNode** result);
HRESULT GetNamespaceUri(Node* self, BSTR* uri);
HRESULT GetPrefix(Node* self, BSTR* prefix);
HRESULT GetBaseName(Node* self, BSTR* name);
}  // namespace node

template <class I>
class NodeObject : public I, public Node {
 public:
  NodeObject(NodeKind kind, TreeStore& store) : Node(kind, store) {}

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_StandinDomNode) {
      *ppv = static_cast<Node*>(this);
    } else if (node::Answers(kind, riid)) {
      *ppv = static_cast<I*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return node::AddRef(this); }
  STDMETHODIMP_(ULONG) Release() override { return node::Release(this); }

  // IDispatch: there is no type information; late-bound calls are not modelled.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_INVALIDARG;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }

  // IXMLDOMNode
  STDMETHODIMP get_nodeName(BSTR* name) override { return node::GetNodeName(this, name); }
  STDMETHODIMP get_nodeValue(VARIANT* value) override { return node::GetNodeValue(this, value); }
  STDMETHODIMP put_nodeValue(VARIANT value) override { return node::PutNodeValue(this, value); }
  STDMETHODIMP get_nodeType(DOMNodeType* type) override { return node::GetNodeType(this, type); }
  STDMETHODIMP get_parentNode(IXMLDOMNode** parent) override { return node::GetParentNode(this, parent); }
  STDMETHODIMP get_childNodes(IXMLDOMNodeList** list) override { return node::GetChildNodes(this, list); }
  STDMETHODIMP get_firstChild(IXMLDOMNode** out) override { return node::GetFirstChild(this, out); }
  STDMETHODIMP get_lastChild(IXMLDOMNode** out) override { return node::GetLastChild(this, out); }
  STDMETHODIMP get_previousSibling(IXMLDOMNode** out) override { return node::GetPreviousSibling(this, out); }
  STDMETHODIMP get_nextSibling(IXMLDOMNode** out) override { return node::GetNextSibling(this, out); }
  STDMETHODIMP get_attributes(IXMLDOMNamedNodeMap** map) override { return node::GetAttributes(this, map); }
  STDMETHODIMP insertBefore(IXMLDOMNode* newChild, VARIANT refChild, IXMLDOMNode** outNewChild) override {
    return node::InsertBefore(this, newChild, refChild, outNewChild);
  }
  STDMETHODIMP replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild) override {
    return node::ReplaceChild(this, newChild, oldChild, outOldChild);
  }
  STDMETHODIMP removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) override {
    return node::RemoveChild(this, child, oldChild);
  }
  STDMETHODIMP appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override {
    return node::AppendChild(this, newChild, outNewChild);
  }
  STDMETHODIMP hasChildNodes(VARIANT_BOOL* hasChild) override { return node::HasChildNodes(this, hasChild); }
  STDMETHODIMP get_ownerDocument(IXMLDOMDocument** document) override {
    return node::GetOwnerDocument(this, document);
  }
  STDMETHODIMP cloneNode(VARIANT_BOOL deep, IXMLDOMNode** clone) override { return node::CloneNode(this, deep, clone); }
  STDMETHODIMP get_nodeTypeString(BSTR* type) override { return node::GetNodeTypeString(this, type); }
  STDMETHODIMP get_text(BSTR* text) override { return node::GetText(this, text); }
  STDMETHODIMP put_text(BSTR text) override { return node::PutText(this, text); }
  STDMETHODIMP get_xml(BSTR* xml) override { return node::GetXml(this, xml); }
  STDMETHODIMP selectNodes(BSTR query, IXMLDOMNodeList** list) override { return node::SelectNodes(this, query, list); }
  STDMETHODIMP selectSingleNode(BSTR query, IXMLDOMNode** result) override {
    return node::SelectSingleNode(this, query, result);
  }
  // Loading is synchronous, so a node is always completely parsed.
  STDMETHODIMP get_parsed(VARIANT_BOOL* isParsed) override { return ReturnBool(true, isParsed); }
  STDMETHODIMP get_namespaceURI(BSTR* uri) override { return node::GetNamespaceUri(this, uri); }
  STDMETHODIMP get_prefix(BSTR* prefix) override { return node::GetPrefix(this, prefix); }
  STDMETHODIMP get_baseName(BSTR* name) override { return node::GetBaseName(this, name); }

  // Schemas, data types, DTD definitions and style sheets are not modelled.
  STDMETHODIMP get_specified(VARIANT_BOOL*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP get_definition(IXMLDOMNode**) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP get_nodeTypedValue(VARIANT*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP put_nodeTypedValue(VARIANT) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP get_dataType(VARIANT*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP put_dataType(BSTR) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP transformNode(IXMLDOMNode*, BSTR*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP transformNodeToObject(IXMLDOMNode*, VARIANT) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
};

// IXMLDOMElement (element.cpp).
namespace element {
HRESULT GetAttribute(Node* self, BSTR name, VARIANT* value);
HRESULT SetAttribute(Node* self, BSTR name, const VARIANT& value);
HRESULT RemoveAttribute(Node* self, BSTR name);
HRESULT GetAttributeNode(Node* self, BSTR name, IXMLDOMAttr** out);
HRESULT SetAttributeNode(Node* self, IXMLDOMAttr* attribute, IXMLDOMAttr** replaced);
HRESULT RemoveAttributeNode(Node* self, IXMLDOMAttr* attribute, IXMLDOMAttr** removed);
HRESULT GetElementsByTagName(Node* self, BSTR name, IXMLDOMNodeList** list);
HRESULT Normalize(Node* self);
}  // namespace element

class ElementObject final : public NodeObject<IXMLDOMElement> {
 public:
  explicit ElementObject(TreeStore& store) : NodeObject(NodeKind::Element, store) {}

  STDMETHODIMP get_tagName(BSTR* tagName) override { return ReturnString(name, tagName); }
  STDMETHODIMP getAttribute(BSTR n, VARIANT* value) override { return element::GetAttribute(this, n, value); }
  STDMETHODIMP setAttribute(BSTR n, VARIANT value) override { return element::SetAttribute(this, n, value); }
  STDMETHODIMP removeAttribute(BSTR n) override { return element::RemoveAttribute(this, n); }
  STDMETHODIMP getAttributeNode(BSTR n, IXMLDOMAttr** out) override { return element::GetAttributeNode(this, n, out); }
  STDMETHODIMP setAttributeNode(IXMLDOMAttr* a, IXMLDOMAttr** out) override {
    return element::SetAttributeNode(this, a, out);
  }
  STDMETHODIMP removeAttributeNode(IXMLDOMAttr* a, IXMLDOMAttr** out) override {
    return element::RemoveAttributeNode(this, a, out);
  }
  STDMETHODIMP getElementsByTagName(BSTR n, IXMLDOMNodeList** list) override {
    return element::GetElementsByTagName(this, n, list);
  }
  STDMETHODIMP normalize() override { return element::Normalize(this); }
};

class AttributeObject final : public NodeObject<IXMLDOMAttr> {
 public:
  explicit AttributeObject(TreeStore& store) : NodeObject(NodeKind::Attribute, store) {}

  STDMETHODIMP get_name(BSTR* attributeName) override { return ReturnString(name, attributeName); }
  STDMETHODIMP get_value(VARIANT* v) override { return node::GetNodeValue(this, v); }
  STDMETHODIMP put_value(VARIANT v) override { return node::PutNodeValue(this, v); }
};

// IXMLDOMCharacterData and IXMLDOMText (character_data.cpp).
namespace chardata {
HRESULT GetData(Node* self, BSTR* data);
HRESULT PutData(Node* self, BSTR data);
HRESULT GetLength(Node* self, LONG* length);
HRESULT SubstringData(Node* self, LONG offset, LONG count, BSTR* data);
HRESULT AppendData(Node* self, BSTR data);
HRESULT InsertData(Node* self, LONG offset, BSTR data);
HRESULT DeleteData(Node* self, LONG offset, LONG count);
HRESULT ReplaceData(Node* self, LONG offset, LONG count, BSTR data);
HRESULT SplitText(Node* self, LONG offset, IXMLDOMText** right);
}  // namespace chardata

template <class I>
class CharacterDataObject : public NodeObject<I> {
 public:
  CharacterDataObject(NodeKind kind, TreeStore& store) : NodeObject<I>(kind, store) {}

  STDMETHODIMP get_data(BSTR* data) override { return chardata::GetData(this, data); }
  STDMETHODIMP put_data(BSTR data) override { return chardata::PutData(this, data); }
  STDMETHODIMP get_length(LONG* length) override { return chardata::GetLength(this, length); }
  STDMETHODIMP substringData(LONG offset, LONG count, BSTR* data) override {
    return chardata::SubstringData(this, offset, count, data);
  }
  STDMETHODIMP appendData(BSTR data) override { return chardata::AppendData(this, data); }
  STDMETHODIMP insertData(LONG offset, BSTR data) override { return chardata::InsertData(this, offset, data); }
  STDMETHODIMP deleteData(LONG offset, LONG count) override { return chardata::DeleteData(this, offset, count); }
  STDMETHODIMP replaceData(LONG offset, LONG count, BSTR data) override {
    return chardata::ReplaceData(this, offset, count, data);
  }
};

template <class I>
class TextLikeObject : public CharacterDataObject<I> {
 public:
  TextLikeObject(NodeKind kind, TreeStore& store) : CharacterDataObject<I>(kind, store) {}
  STDMETHODIMP splitText(LONG offset, IXMLDOMText** right) override { return chardata::SplitText(this, offset, right); }
};

class TextObject final : public TextLikeObject<IXMLDOMText> {
 public:
  explicit TextObject(TreeStore& store) : TextLikeObject(NodeKind::Text, store) {}
};

class CDataObject final : public TextLikeObject<IXMLDOMCDATASection> {
 public:
  explicit CDataObject(TreeStore& store) : TextLikeObject(NodeKind::CData, store) {}
};

class CommentObject final : public CharacterDataObject<IXMLDOMComment> {
 public:
  explicit CommentObject(TreeStore& store) : CharacterDataObject(NodeKind::Comment, store) {}
};

class ProcessingInstructionObject final : public NodeObject<IXMLDOMProcessingInstruction> {
 public:
  explicit ProcessingInstructionObject(TreeStore& store) : NodeObject(NodeKind::ProcessingInstruction, store) {}

  STDMETHODIMP get_target(BSTR* target) override { return ReturnString(name, target); }
  STDMETHODIMP get_data(BSTR* data) override { return ReturnString(value, data); }
  STDMETHODIMP put_data(BSTR data) override {
    value = store->Store(View(data));
    return S_OK;
  }
};

}  // namespace msxml
