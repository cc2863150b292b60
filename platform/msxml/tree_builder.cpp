// Parser events to nodes (see tree_builder.h).
#include "tree_builder.h"

namespace msxml {

TreeBuilder::TreeBuilder(Node& document, bool preserveWhiteSpace)
    : document_(document), store_(*document.store), preserveAll_(preserveWhiteSpace), parent_(&document) {
  preserve_.push_back(false);
}

void TreeBuilder::Append(Node* node) {
  node->parent = parent_;
  node->prev = parent_->last;
  (parent_->last ? parent_->last->next : parent_->first) = node;
  parent_->last = node;
}

void TreeBuilder::FlushText() {
  if (text_.empty()) return;
  const bool blank = text_.find_first_not_of(" \t\r\n") == std::string::npos;
  // The document itself never holds text: only white space can stand there, and it is dropped.
  const bool keep = !blank || (parent_ != &document_ && (preserveAll_ || preserve_.back()));
  if (keep) {
    Node* node = store_.NewNode(NodeKind::Text);
    node->value = store_.StoreUtf8(text_);
    Append(node);
  }
  text_.clear();
}

void TreeBuilder::Declaration(std::string_view data) {
  Node* node = store_.NewNode(NodeKind::ProcessingInstruction);
  node->name = u"xml";
  node->value = store_.StoreUtf8(data);
  Append(node);
}


void TreeBuilder::StartElement(std::string_view qualifiedName, const ParsedAttribute* attributes, size_t count) {
  FlushText();
  Node* element = store_.NewNode(NodeKind::Element);
  element->name = store_.StoreUtf8(qualifiedName);
  bool preserve = preserve_.back();
  for (size_t i = 0; i < count; ++i) {
    Node* attribute = store_.NewNode(NodeKind::Attribute);
    attribute->name = store_.StoreUtf8(attributes[i].qualifiedName);
    attribute->value = store_.StoreUtf8(attributes[i].value);
    attribute->parent = element;
    attribute->prev = element->lastAttribute;
    (element->lastAttribute ? element->lastAttribute->next : element->firstAttribute) = attribute;
    element->lastAttribute = attribute;
    if (attributes[i].qualifiedName == "xml:space") {
      if (attributes[i].value == "preserve") preserve = true;
      if (attributes[i].value == "default") preserve = false;
    }
  }
  Append(element);
  parent_ = element;
  preserve_.push_back(preserve);
}

void TreeBuilder::EndElement() {
  FlushText();
  if (parent_ == &document_) return;  // the parser keeps tags balanced; this only guards
  parent_ = parent_->parent;
  preserve_.pop_back();
}

void TreeBuilder::Characters(std::string_view text) { text_.append(text); }

void TreeBuilder::CData(std::string_view text) {
  FlushText();
  Node* node = store_.NewNode(NodeKind::CData);
  node->value = store_.StoreUtf8(text);
  Append(node);
}

void TreeBuilder::Comment(std::string_view text) {
  FlushText();
  Node* node = store_.NewNode(NodeKind::Comment);
  node->value = store_.StoreUtf8(text);
  Append(node);
}

void TreeBuilder::ProcessingInstruction(std::string_view target, std::string_view data) {
  FlushText();
  Node* node = store_.NewNode(NodeKind::ProcessingInstruction);
  node->name = store_.StoreUtf8(target);
  node->value = store_.StoreUtf8(data);
  Append(node);
}

}  // namespace msxml
