// The XML declaration as written at the start of a document's bytes, read before any decoding:
// it names the encoding, and the DOM keeps it as the document's "xml" processing instruction.
#pragma once

#include <string>
#include <string_view>

namespace msxml {

enum class ByteForm { EightBit, Utf8Bom, Utf16LE, Utf16BE };

struct DeclarationInfo {
  ByteForm form = ByteForm::EightBit;
  bool found = false;
  std::string data;  // e.g. version="1.0" encoding="UTF-8", without the <?xml and ?>
};

// The form of the bytes (from a byte-order mark, or from how "<?" is spelled) and the declaration
// when the document starts with one. Only reads; a malformed declaration is the parser's to refuse.
DeclarationInfo ReadDeclaration(std::string_view bytes);

// Compares encoding names the way XML does: ASCII letters without regard to case.
bool SameEncodingName(std::string_view a, std::string_view b);

}  // namespace msxml
