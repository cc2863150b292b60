// The node tree of one DOM document: plain data and the structural operations on it. The COM
// objects of msxml.h are these nodes (each concrete node class derives from Node), so a node is
// one allocation, taken from its document's arena together with its strings.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

#include "winerror.h"

namespace msxml {

// The DOM node types, numbered as DOMNodeType.
enum class NodeKind : uint8_t {
  Element = 1,
  Attribute = 2,
  Text = 3,
  CData = 4,
  ProcessingInstruction = 7,
  Comment = 8,
  Document = 9,
};

class TreeStore;

struct Node {
  explicit Node(NodeKind k, TreeStore& s) : kind(k), store(&s) {}

  NodeKind kind;
  TreeStore* store;
  // An attribute's parent is its owner element (the DOM shows no parent for attributes).
  Node* parent = nullptr;
  Node* first = nullptr;
  Node* last = nullptr;
  Node* prev = nullptr;
  Node* next = nullptr;
  Node* firstAttribute = nullptr;
  Node* lastAttribute = nullptr;
  // Qualified name of an element or attribute, target of a processing instruction.
  std::u16string_view name;
  // Character data, processing-instruction data, attribute value. Both views point into the
  // store's arena (or at static text) and are replaced, never edited in place.
  std::u16string_view value;

  bool IsCharacterData() const {
    return kind == NodeKind::Text || kind == NodeKind::CData || kind == NodeKind::Comment;
  }
};

// Owns the memory of one document's nodes. Nodes are never freed one by one: a removed node
// stays valid (its COM references may still be held) until the whole arena is released, which
// the document does only when no node is referenced from outside.
class TreeStore {
 public:
  TreeStore();
  virtual ~TreeStore() = default;
  TreeStore(const TreeStore&) = delete;
  TreeStore& operator=(const TreeStore&) = delete;

  // A new node of that kind, detached, owned by this store (the document's concrete class).
  virtual Node* NewNode(NodeKind kind) = 0;

  std::u16string_view Store(std::u16string_view text);
  // UTF-8 (as the parser delivers it) stored as UTF-16.
  std::u16string_view StoreUtf8(std::string_view utf8);
  void* Allocate(size_t bytes, size_t alignment) { return arena_.allocate(bytes, alignment); }
  // Frees every node and string at once; the caller guarantees none is referenced any more.
  void ReleaseAll() { arena_.release(); }

  // Bumped by every structural change, so live node lists know when a cached position is stale.
  uint64_t Generation() const { return generation_; }
  void Changed() { ++generation_; }

 private:
  std::pmr::monotonic_buffer_resource arena_;
  uint64_t generation_ = 0;
};

// Structure. The checks are separate from the changes so that a refused change changes nothing.
//
// Whether `child` may be inserted under `parent` (the DOM's hierarchy rules): E_INVALIDARG for
// a missing node or a node of another document, E_FAIL for a node type the parent cannot hold,
// an attribute or document as child, a second document element, or a child that is the parent
// or one of its ancestors. `replacing` is the child that the new one takes the place of.
HRESULT CheckInsert(const Node* parent, const Node* child, const Node* reference, const Node* replacing = nullptr);
void Detach(Node* child);
// Inserts `child` (detached first) before `reference`, or last when `reference` is null.
void InsertBefore(Node* parent, Node* child, Node* reference);
void RemoveAllChildren(Node* parent);

// Attributes, by qualified name.
Node* FindAttribute(const Node* element, std::u16string_view name);
void SetAttribute(Node* element, std::u16string_view name, std::u16string_view value);
bool RemoveAttribute(Node* element, std::u16string_view name);
void AppendAttribute(Node* element, Node* attribute);

Node* DocumentElement(const Node* document);
// The document's "xml" declaration node, when it has one.
Node* XmlDeclaration(const Node* document);

// The concatenated character data of the node and its descendants, in document order.
void AppendText(const Node* node, std::u16string& out);

// The namespace URI of an element or attribute from the xmlns declarations in scope.
std::u16string_view NamespaceUri(const Node* node);
std::u16string_view Prefix(std::u16string_view qualifiedName);
std::u16string_view BaseName(std::u16string_view qualifiedName);

// A qualified name as XML allows it: NCName or NCName:NCName (ASCII rules, any character from
// U+00C0 up accepted as a letter).
bool IsQualifiedName(std::u16string_view name);

// The value of a pseudo-attribute of a declaration's data (`version="1.0" encoding="x"`).
std::u16string_view PseudoAttribute(std::u16string_view data, std::u16string_view name);

}  // namespace msxml
