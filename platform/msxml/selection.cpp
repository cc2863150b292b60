// The modelled subset of node selection (see selection.h).
#include "selection.h"

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
