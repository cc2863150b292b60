// The modelled subset of node selection (see selection.h).
#include "selection.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace msxml {
namespace {

bool Matches(const Node* node, std::u16string_view step) {
  return node->kind == NodeKind::Element && (step == u"*" || node->name == step);
}

Node* FirstFrom(Node* context, const Selection& selection, size_t step) {
  if (step == selection.count) return context;
  for (Node* child = context->first; child; child = child->next) {
    if (!Matches(child, selection.steps[step])) continue;
    if (Node* found = FirstFrom(child, selection, step + 1)) return found;
  }
  return nullptr;
}

void AllFrom(Node* context, const Selection& selection, size_t step, std::vector<Node*>& out) {
  if (step == selection.count) {
    out.push_back(context);
    return;
  }
  for (Node* child = context->first; child; child = child->next) {
    if (Matches(child, selection.steps[step])) AllFrom(child, selection, step + 1, out);
  }
}

}  // namespace

bool ParseSelection(std::u16string_view text, Selection& out) {
  out.count = 0;
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  if (text.empty()) return false;
  while (!text.empty()) {
    const size_t slash = text.find(u'/');
    const std::u16string_view step = text.substr(0, slash);
    if (step == u".") {
      // the context itself: contributes no step
    } else if (step == u"*" || IsQualifiedName(step)) {
      if (out.count == Selection::kMaxSteps) return false;
      out.steps[out.count++] = step;
    } else {
      return false;  // "", "..", "@a", "a[1]", "f()", "a|b", ...
    }
    if (slash == std::u16string_view::npos) break;
    text.remove_prefix(slash + 1);
    if (text.empty()) return false;  // a trailing '/'
  }
  return true;
}

const Selection* ParsedSelection(std::u16string_view text) {
  // A few dozen slots, picked by where the pattern's text lies: a program passes the same pattern
  // strings again and again, so a slot is found at the first look; the text is compared all the
  // same, so a slot taken over by another pattern only costs a parse.
  struct Slot {
    std::u16string text;
    bool parsed = false;
    bool valid = false;
    Selection selection;  // views into `text`
  };
  constexpr size_t kSlots = 256;
  thread_local std::unique_ptr<Slot[]> slots(new Slot[kSlots]);
  // Strings are allocated 16 bytes apart at least, and a program's patterns near each other.
  Slot& slot = slots[(reinterpret_cast<uintptr_t>(text.data()) >> 4) % kSlots];
  const bool same = slot.parsed && slot.text.size() == text.size() &&
                    std::memcmp(slot.text.data(), text.data(), text.size() * sizeof(char16_t)) == 0;
  if (!same) {
    slot.text.assign(text);
    slot.parsed = true;
    slot.valid = ParseSelection(slot.text, slot.selection);
  }
  return slot.valid ? &slot.selection : nullptr;
}

Node* SelectFirst(Node* context, const Selection& selection) { return FirstFrom(context, selection, 0); }

void SelectAll(Node* context, const Selection& selection, std::vector<Node*>& out) {
  AllFrom(context, selection, 0, out);
}

void ElementsByTagName(const Node* root, std::u16string_view name, std::vector<Node*>& out) {
  Node* n = root->first;
  while (n) {
    if (Matches(n, name)) out.push_back(n);
    if (n->kind == NodeKind::Element && n->first) {
      n = n->first;
      continue;
    }
    while (n != root && !n->next) n = n->parent;
    if (n == root) break;
    n = n->next;
  }
}

}  // namespace msxml
