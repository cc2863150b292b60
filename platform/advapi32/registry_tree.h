// The in-memory registry: a tree of keys, each with named values and sub-keys.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry_names.h"

namespace advapi32 {

struct Value {
  DWORD type = REG_NONE;
  std::vector<uint8_t> data;
};

// A key. Open handles share ownership of the node, so a deleted key outlives its deletion as long
// as a handle refers to it; it is then detached (no parent, no children, no values) and marked.
struct Node {
  std::string name;  // as first created; a root's full name
  Node* parent = nullptr;
  bool deleted = false;
  std::string className;
  uint64_t lastWrite = 0;  // FILETIME ticks on the sandbox clock
  std::map<std::string, Value, NameLess> values;
  std::map<std::string, std::shared_ptr<Node>, NameLess> children;

  void Touch();
  std::shared_ptr<Node> Child(std::string_view childName) const;
  // Replaces the value, keeping the name's case as first created.
  void SetValue(std::string_view valueName, Value value);
};

class Tree {
 public:
  Tree();

  // HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_USERS, in the order regedit shows them.
  std::vector<std::shared_ptr<Node>> Roots() const;
  std::shared_ptr<Node> Root(std::string_view fullName) const;
  std::shared_ptr<Node> ClassesRoot() const { return Find(ClassesRootTarget()); }

  std::shared_ptr<Node> Find(const KeyPath& path) const;
  // Creates what is missing along the path; `created` tells whether the last key is new.
  std::shared_ptr<Node> Create(const KeyPath& path, bool* created = nullptr);
  std::shared_ptr<Node> CreateChild(Node& parent, std::string_view childName, bool* created = nullptr);

  // Removes a key and everything below it; a root or HKLM\SOFTWARE\Classes is emptied instead.
  void DeleteSubtree(Node& node);
  // Only the keys every registry has remain; every other node is marked deleted.
  void Clear();

  KeyPath PathOf(const Node& node) const;
  // The keys that cannot be deleted: the roots and HKLM\SOFTWARE\Classes.
  bool IsPermanent(const Node& node) const;

 private:
  void EnsureSkeleton();

  std::shared_ptr<Node> hklm_, hkcu_, hku_;
};

// Marks a detached node and its subtree deleted and frees what it held.
void MarkDeleted(Node& node);

}  // namespace advapi32
