// Builds a document's nodes from the parser's events with the DOMDocument's load rules:
// white-space-only text is dropped unless preserveWhiteSpace is set or an xml:space="preserve"
// is in scope (CDATA sections are always kept); adjacent character data forms one text node.
#pragma once

#include <string>
#include <vector>

#include "dom_tree.h"
#include "xml_parser.h"

namespace msxml {

class TreeBuilder final : public ParseEvents {
 public:
  TreeBuilder(Node& document, bool preserveWhiteSpace);

  void Declaration(std::string_view data) override;
  void StartElement(std::string_view qualifiedName, const ParsedAttribute* attributes, size_t count) override;
  void EndElement() override;
  void Characters(std::string_view text) override;
  void CData(std::string_view text) override;
  void Comment(std::string_view text) override;
  void ProcessingInstruction(std::string_view target, std::string_view data) override;

 private:
  void FlushText();
  void Append(Node* node);

  Node& document_;
  TreeStore& store_;
  const bool preserveAll_;
  Node* parent_;
  // xml:space in force at each open element (the document level is the bottom entry).
  std::vector<bool> preserve_;
  std::string text_;
};

}  // namespace msxml
