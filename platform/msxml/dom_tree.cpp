// The node tree's memory and structure (see dom_tree.h).
#include "dom_tree.h"

#include <algorithm>
#include <cstring>

#include "utf.h"

namespace msxml {

TreeStore::TreeStore() : arena_(4096) {}

std::u16string_view TreeStore::Store(std::u16string_view text) {
  if (text.empty()) return {};
  auto* p = static_cast<char16_t*>(arena_.allocate(text.size() * sizeof(char16_t), alignof(char16_t)));
  std::memcpy(p, text.data(), text.size() * sizeof(char16_t));
  return {p, text.size()};
}

std::u16string_view TreeStore::StoreUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  // UTF-16 never needs more units than UTF-8 has bytes; the rare surplus stays in the arena.
  auto* p = static_cast<char16_t*>(arena_.allocate(utf8.size() * sizeof(char16_t), alignof(char16_t)));
  return {p, Utf8ToUtf16(utf8, p)};
}

// Hierarchy rules of the DOM (insertBefore / appendChild / replaceChild).
HRESULT CheckInsert(const Node* parent, const Node* child, const Node* reference, const Node* replacing) {
  if (!parent || !child) return E_INVALIDARG;
  if (reference && (reference->parent != parent || reference->kind == NodeKind::Attribute)) return E_INVALIDARG;
  if (parent->kind != NodeKind::Element && parent->kind != NodeKind::Document) return E_FAIL;
  if (child->kind == NodeKind::Attribute || child->kind == NodeKind::Document) return E_FAIL;
  for (const Node* p = parent; p; p = p->parent) {
    if (p == child) return E_FAIL;
  }
  if (parent->kind == NodeKind::Document) {
    if (child->kind == NodeKind::Text || child->kind == NodeKind::CData) return E_FAIL;
    if (child->kind == NodeKind::Element) {
      const Node* root = DocumentElement(parent);
      if (root && root != child && root != replacing) return E_FAIL;
    }
  }
  return S_OK;
}

void Detach(Node* child) {
  Node* parent = child->parent;
  if (!parent || child->kind == NodeKind::Attribute) return;
  (child->prev ? child->prev->next : parent->first) = child->next;
  (child->next ? child->next->prev : parent->last) = child->prev;
  child->parent = child->prev = child->next = nullptr;
  child->store->Changed();
}

void InsertBefore(Node* parent, Node* child, Node* reference) {
  if (child == reference) return;
  Detach(child);
  child->parent = parent;
  child->next = reference;
  child->prev = reference ? reference->prev : parent->last;
  (child->prev ? child->prev->next : parent->first) = child;
  (reference ? reference->prev : parent->last) = child;
  parent->store->Changed();
}

void RemoveAllChildren(Node* parent) {
  while (parent->first) Detach(parent->first);
}

Node* FindAttribute(const Node* element, std::u16string_view name) {
  for (Node* a = element->firstAttribute; a; a = a->next) {
    if (a->name == name) return a;
  }
  return nullptr;
}

void AppendAttribute(Node* element, Node* attribute) {
  attribute->parent = element;
  attribute->prev = element->lastAttribute;
  attribute->next = nullptr;
  (element->lastAttribute ? element->lastAttribute->next : element->firstAttribute) = attribute;
  element->lastAttribute = attribute;
  element->store->Changed();
}

void SetAttribute(Node* element, std::u16string_view name, std::u16string_view value) {
  TreeStore& store = *element->store;
  if (Node* existing = FindAttribute(element, name)) {
    existing->value = store.Store(value);
    return;
  }
  Node* attribute = store.NewNode(NodeKind::Attribute);
  attribute->name = store.Store(name);
  attribute->value = store.Store(value);
  AppendAttribute(element, attribute);
}

bool RemoveAttribute(Node* element, std::u16string_view name) {
  Node* a = FindAttribute(element, name);
  if (!a) return false;
  (a->prev ? a->prev->next : element->firstAttribute) = a->next;
  (a->next ? a->next->prev : element->lastAttribute) = a->prev;
  a->parent = a->prev = a->next = nullptr;
  element->store->Changed();
  return true;
}

Node* DocumentElement(const Node* document) {
  for (Node* c = document->first; c; c = c->next) {
    if (c->kind == NodeKind::Element) return c;
  }
  return nullptr;
}

Node* XmlDeclaration(const Node* document) {
  for (Node* c = document->first; c; c = c->next) {
    if (c->kind == NodeKind::ProcessingInstruction && c->name == u"xml") return c;
  }
  return nullptr;
}

// Iterative, so that the depth of a tree built through the API never exhausts the stack.
void AppendText(const Node* node, std::u16string& out) {
  if (node->kind != NodeKind::Element && node->kind != NodeKind::Document) {
    out.append(node->value);
    return;
  }
  const Node* n = node->first;
  while (n) {
    if (n->kind == NodeKind::Text || n->kind == NodeKind::CData) out.append(n->value);
    if (n->kind == NodeKind::Element && n->first) {
      n = n->first;
      continue;
    }
    while (n != node && !n->next) n = n->parent;
    if (n == node) break;
    n = n->next;
  }
}

std::u16string_view Prefix(std::u16string_view qualifiedName) {
  const size_t colon = qualifiedName.find(u':');
  return colon == std::u16string_view::npos ? std::u16string_view{} : qualifiedName.substr(0, colon);
}

std::u16string_view BaseName(std::u16string_view qualifiedName) {
  const size_t colon = qualifiedName.find(u':');
  return colon == std::u16string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

std::u16string_view NamespaceUri(const Node* node) {
  const std::u16string_view prefix = Prefix(node->name);
  if (prefix == u"xml") return u"http://www.w3.org/XML/1998/namespace";
  if (node->kind == NodeKind::Attribute) {
    if (node->name == u"xmlns" || prefix == u"xmlns") return u"http://www.w3.org/2000/xmlns/";
    if (prefix.empty()) return {};  // an unprefixed attribute is in no namespace
  } else if (node->kind != NodeKind::Element) {
    return {};
  }
  for (const Node* e = node->kind == NodeKind::Attribute ? node->parent : node; e; e = e->parent) {
    if (e->kind != NodeKind::Element) break;
    for (const Node* a = e->firstAttribute; a; a = a->next) {
      const bool declares = prefix.empty() ? a->name == u"xmlns"
                                           : a->name.size() == prefix.size() + 6 && a->name.starts_with(u"xmlns:") &&
                                                 a->name.substr(6) == prefix;
      if (declares) return a->value;
    }
  }
  return {};
}

namespace {
bool IsNameStart(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0xC0; }
bool IsNameChar(char16_t c) {
  return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == 0xB7;
}
}  // namespace

bool IsQualifiedName(std::u16string_view name) {
  bool atStart = true;
  bool sawColon = false;
  for (char16_t c : name) {
    if (c == u':') {
      if (atStart || sawColon) return false;
      sawColon = atStart = true;
      continue;
    }
    if (atStart ? !IsNameStart(c) : !IsNameChar(c)) return false;
    atStart = false;
  }
  return !atStart;
}

std::u16string_view PseudoAttribute(std::u16string_view data, std::u16string_view name) {
  auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  size_t i = 0;
  while (i < data.size()) {
    while (i < data.size() && isSpace(data[i])) ++i;
    const size_t nameStart = i;
    while (i < data.size() && !isSpace(data[i]) && data[i] != u'=') ++i;
    const std::u16string_view found = data.substr(nameStart, i - nameStart);
    while (i < data.size() && isSpace(data[i])) ++i;
    if (i >= data.size() || data[i] != u'=') return {};
    ++i;
    while (i < data.size() && isSpace(data[i])) ++i;
    if (i >= data.size() || (data[i] != u'"' && data[i] != u'\'')) return {};
    const char16_t quote = data[i++];
    const size_t valueStart = i;
    while (i < data.size() && data[i] != quote) ++i;
    if (i >= data.size()) return {};
    if (found == name) return data.substr(valueStart, i - valueStart);
    ++i;
  }
  return {};
}

}  // namespace msxml
