// The DOMDocument object: lifetime, options and node creation (loading and saving are in
// document_load.cpp and document_save.cpp).
#include "document.h"

#include <new>
#include <vector>

#include "collections.h"
#include "parse_error.h"
#include "selection.h"

namespace msxml {

DocumentObject::DocumentObject() : NodeObject(NodeKind::Document, *this) {}

DocumentObject::~DocumentObject() {
  if (parseError_) parseError_->Release();
}

HRESULT DocumentObject::Create(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  DocumentObject* document = new (std::nothrow) DocumentObject;
  if (!document) return E_OUTOFMEMORY;
  const HRESULT hr = document->QueryInterface(riid, ppv);
  document->Release();
  return hr;
}

template <class T>
T* DocumentObject::Construct() {
  return new (Allocate(sizeof(T), alignof(T))) T(*this);
}

Node* DocumentObject::NewNode(NodeKind kind) {
  switch (kind) {
    case NodeKind::Element:
      return Construct<ElementObject>();
    case NodeKind::Attribute:
      return Construct<AttributeObject>();
    case NodeKind::Text:
      return Construct<TextObject>();
    case NodeKind::CData:
      return Construct<CDataObject>();
    case NodeKind::Comment:
      return Construct<CommentObject>();
    case NodeKind::ProcessingInstruction:
      return Construct<ProcessingInstructionObject>();
    case NodeKind::Document:
      break;
  }
  return nullptr;
}

// A node or list held by a caller holds the document too.
ULONG DocumentObject::AddNodeRef() { return static_cast<ULONG>(counts_.fetch_add(kNodeRef + 1) + 1); }

ULONG DocumentObject::ReleaseNodeRef() {
  const ULONG left = static_cast<ULONG>(counts_.fetch_sub(kNodeRef + 1) - 1);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP_(ULONG) DocumentObject::AddRef() { return static_cast<ULONG>(counts_.fetch_add(1) + 1); }

STDMETHODIMP_(ULONG) DocumentObject::Release() {
  const ULONG left = static_cast<ULONG>(counts_.fetch_sub(1) - 1);
  if (left == 0) delete this;
  return left;
}

// --- The tree -------------------------------------------------------------------------------

// A loaded document never has a document type: a document that declares one is refused.
STDMETHODIMP DocumentObject::get_doctype(IXMLDOMDocumentType** documentType) {
  if (!documentType) return E_INVALIDARG;
  *documentType = nullptr;
  return S_FALSE;
}

STDMETHODIMP DocumentObject::get_implementation(IXMLDOMImplementation**) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }

STDMETHODIMP DocumentObject::get_documentElement(IXMLDOMElement** element) {
  return ReturnNodeAs(DocumentElement(this), element);
}

// The element becomes the document element, in place of the one there was.
STDMETHODIMP DocumentObject::putref_documentElement(IXMLDOMElement* element) {
  Node* e = NodeOf(element);
  if (!e || e->kind != NodeKind::Element) return E_INVALIDARG;
  if (e->store != this) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  Node* root = DocumentElement(this);
  const HRESULT hr = CheckInsert(this, e, root, root);
  if (FAILED(hr)) return hr;
  msxml::InsertBefore(this, e, root);
  if (root && root != e) Detach(root);
  return S_OK;
}

HRESULT DocumentObject::MakeNode(NodeKind kind, std::u16string_view name, std::u16string_view data,
                                 IXMLDOMNode** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  const bool named = kind == NodeKind::Element || kind == NodeKind::Attribute || kind == NodeKind::ProcessingInstruction;
  if (named && !IsQualifiedName(name)) return E_FAIL;
  Node* n = NewNode(kind);
  if (named) n->name = Store(name);
  n->value = Store(data);
  return ReturnNode(n, out);
}

STDMETHODIMP DocumentObject::createElement(BSTR tagName, IXMLDOMElement** element) {
  if (!element) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::Element, View(tagName), {}, &n);
  *element = static_cast<IXMLDOMElement*>(n);
  return hr;
}

STDMETHODIMP DocumentObject::createTextNode(BSTR data, IXMLDOMText** text) {
  if (!text) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::Text, {}, View(data), &n);
  *text = static_cast<IXMLDOMText*>(n);
  return hr;
}

STDMETHODIMP DocumentObject::createComment(BSTR data, IXMLDOMComment** comment) {
  if (!comment) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::Comment, {}, View(data), &n);
  *comment = static_cast<IXMLDOMComment*>(n);
  return hr;
}

STDMETHODIMP DocumentObject::createCDATASection(BSTR data, IXMLDOMCDATASection** cdata) {
  if (!cdata) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::CData, {}, View(data), &n);
  *cdata = static_cast<IXMLDOMCDATASection*>(n);
  return hr;
}

// The target "xml" makes the XML declaration; its data (version, encoding) is what save writes.
STDMETHODIMP DocumentObject::createProcessingInstruction(BSTR target, BSTR data, IXMLDOMProcessingInstruction** pi) {
  if (!pi) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::ProcessingInstruction, View(target), View(data), &n);
  *pi = static_cast<IXMLDOMProcessingInstruction*>(n);
  return hr;
}

STDMETHODIMP DocumentObject::createAttribute(BSTR name, IXMLDOMAttr** attribute) {
  if (!attribute) return E_INVALIDARG;
  IXMLDOMNode* n = nullptr;
  const HRESULT hr = MakeNode(NodeKind::Attribute, View(name), {}, &n);
  *attribute = static_cast<IXMLDOMAttr*>(n);
  return hr;
}

// createNode: the node type as a number (DOMNodeType) or its name ("element", ...); nodes in a
// namespace are not modelled.
STDMETHODIMP DocumentObject::createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) {
  if (!node) return E_INVALIDARG;
  *node = nullptr;
  if (!View(namespaceURI).empty()) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  LONG kind = 0;
  if (type.vt == VT_BSTR) {
    static constexpr std::pair<std::u16string_view, LONG> kNames[] = {
        {u"element", NODE_ELEMENT}, {u"attribute", NODE_ATTRIBUTE}, {u"text", NODE_TEXT},
        {u"cdatasection", NODE_CDATA_SECTION}, {u"processinginstruction", NODE_PROCESSING_INSTRUCTION},
        {u"comment", NODE_COMMENT}};
    for (const auto& [text, value] : kNames) {
      if (View(type.bstrVal) == text) kind = value;
    }
    if (kind == 0) return E_INVALIDARG;
  } else {
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &type, 0, VT_I4))) return E_INVALIDARG;
    kind = number.lVal;
  }
  switch (kind) {
    case NODE_ELEMENT:
    case NODE_ATTRIBUTE:
    case NODE_PROCESSING_INSTRUCTION:
      return MakeNode(static_cast<NodeKind>(kind), View(name), {}, node);
    case NODE_TEXT:
    case NODE_CDATA_SECTION:
    case NODE_COMMENT:
      return MakeNode(static_cast<NodeKind>(kind), {}, {}, node);
    case NODE_ENTITY_REFERENCE:
    case NODE_DOCUMENT_FRAGMENT:
      STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
    default:
      return E_INVALIDARG;
  }
}

STDMETHODIMP DocumentObject::createDocumentFragment(IXMLDOMDocumentFragment**) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
STDMETHODIMP DocumentObject::createEntityReference(BSTR, IXMLDOMEntityReference**) {
  STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
}
STDMETHODIMP DocumentObject::nodeFromID(BSTR, IXMLDOMNode**) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }

STDMETHODIMP DocumentObject::getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list) {
  if (!list) return E_INVALIDARG;
  std::vector<Node*> found;
  ElementsByTagName(this, View(tagName), found);
  *list = NodeList::Fixed(*this, std::move(found));
  return S_OK;
}

// --- Options --------------------------------------------------------------------------------

// Loading is synchronous whatever async says: a load is complete when load returns, so the
// document is always in the completed state (4).
STDMETHODIMP DocumentObject::get_readyState(LONG* value) { return ReturnLong(4, value); }
STDMETHODIMP DocumentObject::get_async(VARIANT_BOOL* value) { return ReturnBool(async_, value); }
STDMETHODIMP DocumentObject::put_async(VARIANT_BOOL value) {
  async_ = value != VARIANT_FALSE;
  return S_OK;
}
STDMETHODIMP DocumentObject::abort() { return S_OK; }  // nothing is ever loading

STDMETHODIMP DocumentObject::get_validateOnParse(VARIANT_BOOL* value) { return ReturnBool(validateOnParse_, value); }
STDMETHODIMP DocumentObject::put_validateOnParse(VARIANT_BOOL value) {
  validateOnParse_ = value != VARIANT_FALSE;
  return S_OK;
}
// External DTDs and entities are never read (a document that needs one fails to load), so the
// option is kept but changes nothing.
STDMETHODIMP DocumentObject::get_resolveExternals(VARIANT_BOOL* value) { return ReturnBool(resolveExternals_, value); }
STDMETHODIMP DocumentObject::put_resolveExternals(VARIANT_BOOL value) {
  resolveExternals_ = value != VARIANT_FALSE;
  return S_OK;
}
STDMETHODIMP DocumentObject::get_preserveWhiteSpace(VARIANT_BOOL* value) {
  return ReturnBool(preserveWhiteSpace_, value);
}
STDMETHODIMP DocumentObject::put_preserveWhiteSpace(VARIANT_BOOL value) {
  preserveWhiteSpace_ = value != VARIANT_FALSE;
  return S_OK;
}

// Event sinks belong to asynchronous loading and transformations: not modelled.
STDMETHODIMP DocumentObject::put_onreadystatechange(VARIANT) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
STDMETHODIMP DocumentObject::put_ondataavailable(VARIANT) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
STDMETHODIMP DocumentObject::put_ontransformnode(VARIANT) { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }

}  // namespace msxml
