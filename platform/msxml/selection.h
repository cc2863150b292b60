// selectNodes / selectSingleNode: the part of the query language this DOM models, a path of child
// steps relative to the context node: "Name", "./Name", "Name/Child", "*", "." and "./" prefixes.
// A step names an element by its qualified name exactly as written, so an element in a default
// namespace is found by its plain name, as the pattern language of the DOMDocument class does.
// Any other syntax (axes, predicates, attributes, "//", "..", functions, unions, absolute paths)
// is not modelled and is refused by ParseSelection.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "dom_tree.h"

namespace msxml {

struct Selection {
  static constexpr size_t kMaxSteps = 16;
  std::array<std::u16string_view, kMaxSteps> steps;  // each a qualified name or "*"
  size_t count = 0;                                   // 0: the context node itself
};

// Views into `text`; false when the pattern is outside the modelled subset.
bool ParseSelection(std::u16string_view text, Selection& out);
// The same, parsed once per thread and kept: a reader asks for the same few patterns thousands of
// times. Null when the pattern is outside the modelled subset. Valid until the thread's next call.
const Selection* ParsedSelection(std::u16string_view text);

Node* SelectFirst(Node* context, const Selection& selection);
void SelectAll(Node* context, const Selection& selection, std::vector<Node*>& out);

// getElementsByTagName: the descendant elements of that qualified name ("*": all), in
// document order.
void ElementsByTagName(const Node* root, std::u16string_view name, std::vector<Node*>& out);

}  // namespace msxml
