// Node lists (childNodes, selectNodes, getElementsByTagName) and the attribute map. Each holds a
// reference on its document, so the nodes it hands out stay valid while the list is alive.
#pragma once

#include <atomic>
#include <vector>

#include "node_objects.h"

namespace msxml {

// Reference counting, the document reference and the IDispatch stubs of a collection.
template <class I>
class CollectionObject : public I {
 public:
  explicit CollectionObject(Node& owner);

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(I)) {
      *ppv = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
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
  // Enumeration through IEnumVARIANT is not modelled.
  STDMETHODIMP get__newEnum(IUnknown**) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }

 protected:
  virtual ~CollectionObject();
  Node& owner_;

 private:
  std::atomic<ULONG> refs_{1};
};

// A live list of a node's children, or a fixed list of selected nodes.
class NodeList final : public CollectionObject<IXMLDOMNodeList> {
 public:
  static NodeList* Children(Node& parent) { return new NodeList(parent, true); }
  static NodeList* Fixed(Node& context, std::vector<Node*> nodes);

  STDMETHODIMP get_item(LONG index, IXMLDOMNode** item) override;
  STDMETHODIMP get_length(LONG* length) override;
  STDMETHODIMP nextNode(IXMLDOMNode** next) override;
  STDMETHODIMP reset() override;

 private:
  NodeList(Node& owner, bool live) : CollectionObject(owner), live_(live) {}
  Node* At(LONG index);
  LONG Count();

  const bool live_;
  std::vector<Node*> fixed_;
  LONG next_ = 0;
  // Where the last lookup of a live list ended, valid while the tree is unchanged, so that
  // walking a list by index costs one step per item.
  Node* cachedNode_ = nullptr;
  LONG cachedIndex_ = -1;
  uint64_t cachedGeneration_ = 0;
};

// The attributes of an element, live.
class AttributeMap final : public CollectionObject<IXMLDOMNamedNodeMap> {
 public:
  explicit AttributeMap(Node& element) : CollectionObject(element) {}

  STDMETHODIMP getNamedItem(BSTR name, IXMLDOMNode** item) override;
  STDMETHODIMP setNamedItem(IXMLDOMNode* item, IXMLDOMNode** replaced) override;
  STDMETHODIMP removeNamedItem(BSTR name, IXMLDOMNode** removed) override;
  STDMETHODIMP get_item(LONG index, IXMLDOMNode** item) override;
  STDMETHODIMP get_length(LONG* length) override;
  STDMETHODIMP getQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item) override;
  STDMETHODIMP removeQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** removed) override;
  STDMETHODIMP nextNode(IXMLDOMNode** next) override;
  STDMETHODIMP reset() override;

 private:
  Node* At(LONG index) const;
  Node* FindQualified(BSTR baseName, BSTR namespaceURI) const;

  LONG next_ = 0;
};

}  // namespace msxml
