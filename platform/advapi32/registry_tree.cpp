// The key tree: roots, the HKLM\SOFTWARE\Classes key behind HKEY_CLASSES_ROOT, lookup, creation
// and deletion with every affected node marked for the handles that still refer to it.
#include "registry_tree.h"

#include <algorithm>

#include "sandbox/internal.h"

namespace advapi32 {

void Node::Touch() { lastWrite = sandbox::internal::FileTimeNow(); }

std::shared_ptr<Node> Node::Child(std::string_view childName) const {
  const auto it = children.find(childName);
  return it == children.end() ? nullptr : it->second;
}

void Node::SetValue(std::string_view valueName, Value value) {
  const auto it = values.find(valueName);
  if (it == values.end())
    values.emplace(std::string(valueName), std::move(value));
  else
    it->second = std::move(value);
  Touch();
}

void MarkDeleted(Node& node) {
  for (auto& [name, child] : node.children) MarkDeleted(*child);
  node.children.clear();
  node.values.clear();
  node.parent = nullptr;
  node.deleted = true;
}

namespace {

std::shared_ptr<Node> MakeRoot(const char* name) {
  auto root = std::make_shared<Node>();
  root->name = name;
  root->Touch();
  return root;
}

}  // namespace

Tree::Tree() {
  hklm_ = MakeRoot("HKEY_LOCAL_MACHINE");
  hkcu_ = MakeRoot("HKEY_CURRENT_USER");
  hku_ = MakeRoot("HKEY_USERS");
  EnsureSkeleton();
}

std::vector<std::shared_ptr<Node>> Tree::Roots() const { return {hkcu_, hklm_, hku_}; }

std::shared_ptr<Node> Tree::Root(std::string_view fullName) const {
  for (const auto& root : Roots())
    if (NamesEqual(root->name, fullName)) return root;
  return nullptr;
}

std::shared_ptr<Node> Tree::Find(const KeyPath& path) const {
  if (path.empty()) return nullptr;
  std::shared_ptr<Node> node = Root(path.front());
  for (size_t i = 1; node && i < path.size(); ++i) node = node->Child(path[i]);
  return node;
}

std::shared_ptr<Node> Tree::CreateChild(Node& parent, std::string_view childName, bool* created) {
  if (auto existing = parent.Child(childName)) {
    if (created) *created = false;
    return existing;
  }
  auto child = std::make_shared<Node>();
  child->name = std::string(childName);
  child->parent = &parent;
  child->Touch();
  parent.children.emplace(child->name, child);
  parent.Touch();
  if (created) *created = true;
  return child;
}

std::shared_ptr<Node> Tree::Create(const KeyPath& path, bool* created) {
  std::shared_ptr<Node> node = path.empty() ? nullptr : Root(path.front());
  if (created) *created = false;
  for (size_t i = 1; node && i < path.size(); ++i) node = CreateChild(*node, path[i], created);
  return node;
}

void Tree::DeleteSubtree(Node& node) {
  if (IsPermanent(node)) {
    // The key stays; its content goes.
    std::vector<std::shared_ptr<Node>> children;
    for (auto& [name, child] : node.children) children.push_back(child);
    for (auto& child : children) DeleteSubtree(*child);
    node.values.clear();
    node.Touch();
  } else {
    Node* parent = node.parent;
    const std::shared_ptr<Node> keepAlive = parent ? parent->Child(node.name) : nullptr;
    if (parent) {
      parent->children.erase(node.name);
      parent->Touch();
    }
    MarkDeleted(node);
  }
  EnsureSkeleton();  // deleting HKLM\SOFTWARE took Classes with it
}

void Tree::Clear() {
  for (const auto& root : Roots()) DeleteSubtree(*root);
}

void Tree::EnsureSkeleton() { Create(ClassesRootTarget()); }

KeyPath Tree::PathOf(const Node& node) const {
  KeyPath path;
  for (const Node* n = &node; n != nullptr; n = n->parent) path.push_back(n->name);
  std::reverse(path.begin(), path.end());
  return path;
}

bool Tree::IsPermanent(const Node& node) const {
  if (node.parent == nullptr) return !node.deleted;
  return PathsEqual(PathOf(node), ClassesRootTarget());
}

}  // namespace advapi32
