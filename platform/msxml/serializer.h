// Markup of a node and its descendants, as the xml property shows it and save writes it: no
// indentation added, an element without children as <Name/>, a line break (CR LF) after each
// child of the document. The xml property leaves the encoding out of the declaration (its text
// is UTF-16); save keeps the declaration as it is.
#pragma once

#include <string>

#include "dom_tree.h"

namespace msxml {

enum class MarkupFor { Property, Save };

// Whether the target encoding holds a character; characters it does not hold are written as
// character references where markup allows them (text, attribute values).
using Encodable = bool (*)(char32_t);

// False when a character that `encodable` refuses stands where no character reference can
// (a name, a comment, CDATA, a processing instruction); `out` is then incomplete.
bool AppendMarkup(const Node* node, MarkupFor purpose, Encodable encodable, std::u16string& out);

}  // namespace msxml
