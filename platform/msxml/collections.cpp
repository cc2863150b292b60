// Node lists and the attribute map (see collections.h).
#include "collections.h"

#include "document.h"

namespace msxml {

template <class I>
CollectionObject<I>::CollectionObject(Node& owner) : owner_(owner) {
  OwnerOf(&owner_).AddNodeRef();
}

template <class I>
CollectionObject<I>::~CollectionObject() {
  OwnerOf(&owner_).ReleaseNodeRef();
}

template class CollectionObject<IXMLDOMNodeList>;
template class CollectionObject<IXMLDOMNamedNodeMap>;

// --- IXMLDOMNodeList ------------------------------------------------------------------------

NodeList* NodeList::Fixed(Node& context, std::vector<Node*> nodes) {
  auto* list = new NodeList(context, false);
  list->fixed_ = std::move(nodes);
  return list;
}

Node* NodeList::At(LONG index) {
  if (index < 0) return nullptr;
  if (!live_) return static_cast<size_t>(index) < fixed_.size() ? fixed_[static_cast<size_t>(index)] : nullptr;
  const uint64_t generation = owner_.store->Generation();
  Node* n = owner_.first;
  LONG i = 0;
  if (cachedNode_ && cachedGeneration_ == generation && cachedIndex_ <= index) {
    n = cachedNode_;
    i = cachedIndex_;
  }
  while (n && i < index) {
    n = n->next;
    ++i;
  }
  if (n) {
    cachedNode_ = n;
    cachedIndex_ = index;
    cachedGeneration_ = generation;
  }
  return n;
}

LONG NodeList::Count() {
  if (!live_) return static_cast<LONG>(fixed_.size());
  LONG count = 0;
  for (Node* n = owner_.first; n; n = n->next) ++count;
  return count;
}

STDMETHODIMP NodeList::get_item(LONG index, IXMLDOMNode** item) { return ReturnNode(At(index), item); }

STDMETHODIMP NodeList::get_length(LONG* length) { return ReturnLong(Count(), length); }

STDMETHODIMP NodeList::nextNode(IXMLDOMNode** next) {
  if (!next) return E_INVALIDARG;
  Node* n = At(next_);
  if (n) ++next_;
  return ReturnNode(n, next);
}

STDMETHODIMP NodeList::reset() {
  next_ = 0;
  return S_OK;
}

// --- IXMLDOMNamedNodeMap --------------------------------------------------------------------

Node* AttributeMap::At(LONG index) const {
  if (index < 0) return nullptr;
  Node* a = owner_.firstAttribute;
  for (LONG i = 0; a && i < index; ++i) a = a->next;
  return a;
}

Node* AttributeMap::FindQualified(BSTR baseName, BSTR namespaceURI) const {
  for (Node* a = owner_.firstAttribute; a; a = a->next) {
    if (BaseName(a->name) == View(baseName) && NamespaceUri(a) == View(namespaceURI)) return a;
  }
  return nullptr;
}

STDMETHODIMP AttributeMap::getNamedItem(BSTR name, IXMLDOMNode** item) {
  if (!item) return E_INVALIDARG;
  return ReturnNode(FindAttribute(&owner_, View(name)), item);
}

STDMETHODIMP AttributeMap::setNamedItem(IXMLDOMNode* item, IXMLDOMNode** replaced) {
  IXMLDOMAttr* attribute = nullptr;
  if (!item || FAILED(item->QueryInterface(IID_IXMLDOMAttr, reinterpret_cast<void**>(&attribute)))) return E_INVALIDARG;
  IXMLDOMAttr* old = nullptr;
  const HRESULT hr = element::SetAttributeNode(&owner_, attribute, replaced ? &old : nullptr);
  attribute->Release();
  if (replaced) *replaced = old;
  return hr;
}

STDMETHODIMP AttributeMap::removeNamedItem(BSTR name, IXMLDOMNode** removed) {
  Node* a = FindAttribute(&owner_, View(name));
  if (!a) return removed ? ReturnNode(nullptr, removed) : S_FALSE;
  RemoveAttribute(&owner_, a->name);
  return removed ? ReturnNode(a, removed) : S_OK;
}

STDMETHODIMP AttributeMap::get_item(LONG index, IXMLDOMNode** item) { return ReturnNode(At(index), item); }

STDMETHODIMP AttributeMap::get_length(LONG* length) {
  LONG count = 0;
  for (Node* a = owner_.firstAttribute; a; a = a->next) ++count;
  return ReturnLong(count, length);
}

STDMETHODIMP AttributeMap::getQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item) {
  return ReturnNode(FindQualified(baseName, namespaceURI), item);
}

STDMETHODIMP AttributeMap::removeQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** removed) {
  Node* a = FindQualified(baseName, namespaceURI);
  if (!a) return removed ? ReturnNode(nullptr, removed) : S_FALSE;
  RemoveAttribute(&owner_, a->name);
  return removed ? ReturnNode(a, removed) : S_OK;
}

STDMETHODIMP AttributeMap::nextNode(IXMLDOMNode** next) {
  if (!next) return E_INVALIDARG;
  Node* a = At(next_);
  if (a) ++next_;
  return ReturnNode(a, next);
}

STDMETHODIMP AttributeMap::reset() {
  next_ = 0;
  return S_OK;
}

}  // namespace msxml
