// IXMLDOMElement: attributes by name and by node, descendants by tag name, normalize.
#include <vector>

#include "collections.h"
#include "document.h"
#include "selection.h"

namespace msxml::element {

// getAttribute: the value as VT_BSTR, or VT_NULL and S_FALSE when the element has no such
// attribute.
HRESULT GetAttribute(Node* self, BSTR name, VARIANT* value) {
  if (!value) return E_INVALIDARG;
  VariantInit(value);
  const Node* a = FindAttribute(self, View(name));
  if (!a) {
    value->vt = VT_NULL;
    return S_FALSE;
  }
  BSTR text = nullptr;
  const HRESULT hr = ReturnString(a->value, &text);
  if (FAILED(hr)) return hr;
  value->vt = VT_BSTR;
  value->bstrVal = text;
  return S_OK;
}

// setAttribute: the value's text (converted from any type VariantChangeType turns into a
// string) replaces the attribute's value or makes a new attribute last.
HRESULT SetAttribute(Node* self, BSTR name, const VARIANT& value) {
  if (!IsQualifiedName(View(name))) return E_FAIL;
  std::u16string text;
  const HRESULT hr = VariantText(value, text);
  if (FAILED(hr)) return hr;
  msxml::SetAttribute(self, View(name), text);
  return S_OK;
}

HRESULT RemoveAttribute(Node* self, BSTR name) { return msxml::RemoveAttribute(self, View(name)) ? S_OK : S_FALSE; }

HRESULT GetAttributeNode(Node* self, BSTR name, IXMLDOMAttr** out) {
  return ReturnNodeAs(FindAttribute(self, View(name)), out);
}

// setAttributeNode: a detached attribute of this document joins the element; the attribute of
// the same name it replaces is returned.
HRESULT SetAttributeNode(Node* self, IXMLDOMAttr* attribute, IXMLDOMAttr** replaced) {
  if (replaced) *replaced = nullptr;
  Node* a = NodeOf(attribute);
  if (!a || a->kind != NodeKind::Attribute) return E_INVALIDARG;
  if (a->store != self->store) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  if (a->parent == self) return replaced ? ReturnNodeAs<IXMLDOMAttr>(nullptr, replaced) : S_FALSE;
  if (a->parent) return E_FAIL;  // in use by another element
  Node* old = FindAttribute(self, a->name);
  if (old) msxml::RemoveAttribute(self, old->name);
  AppendAttribute(self, a);
  if (!replaced) return S_OK;
  ReturnNodeAs(old, replaced);
  return S_OK;
}

HRESULT RemoveAttributeNode(Node* self, IXMLDOMAttr* attribute, IXMLDOMAttr** removed) {
  if (removed) *removed = nullptr;
  Node* a = NodeOf(attribute);
  if (!a || a->kind != NodeKind::Attribute || a->parent != self) return E_INVALIDARG;
  msxml::RemoveAttribute(self, a->name);
  return removed ? ReturnNodeAs(a, removed) : S_OK;
}

HRESULT GetElementsByTagName(Node* self, BSTR name, IXMLDOMNodeList** list) {
  if (!list) return E_INVALIDARG;
  std::vector<Node*> found;
  ElementsByTagName(self, View(name), found);
  *list = NodeList::Fixed(*self, std::move(found));
  return S_OK;
}

// normalize: adjacent text nodes of the subtree merge, empty ones go.
HRESULT Normalize(Node* self) {
  TreeStore& store = *self->store;
  std::vector<Node*> pending{self};
  while (!pending.empty()) {
    Node* parent = pending.back();
    pending.pop_back();
    for (Node* c = parent->first; c;) {
      Node* next = c->next;
      if (c->kind == NodeKind::Text) {
        if (next && next->kind == NodeKind::Text) {
          std::u16string merged(c->value);
          merged.append(next->value);
          c->value = store.Store(merged);
          Detach(next);
          continue;  // look at the same node again
        }
        if (c->value.empty()) Detach(c);
      } else if (c->kind == NodeKind::Element) {
        pending.push_back(c);
      }
      c = next;
    }
  }
  return S_OK;
}

}  // namespace msxml::element
