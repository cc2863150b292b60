// The parser behind load and loadXML: turns bytes into parse events (host_xml_parser.cpp runs
// libxml2; nothing else in the module sees it). Only well-formed, self-contained documents are
// accepted: the parser never opens a file or a network connection of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "winerror.h"

namespace msxml {

struct ParsedAttribute {
  std::string_view qualifiedName;  // UTF-8, as every string of the events
  std::string_view value;          // references expanded, white space normalised
};

// What the parser found, in document order. Character data comes in pieces: consecutive
// Characters calls belong to one text run, ended by any other event.
class ParseEvents {
 public:
  virtual ~ParseEvents() = default;
  // The XML declaration as written (its data: version, encoding, standalone).
  virtual void Declaration(std::string_view data) = 0;
  // Namespace declarations come first among the attributes, as xmlns / xmlns:prefix.
  virtual void StartElement(std::string_view qualifiedName, const ParsedAttribute* attributes, size_t count) = 0;
  virtual void EndElement() = 0;
  virtual void Characters(std::string_view text) = 0;
  virtual void CData(std::string_view text) = 0;
  virtual void Comment(std::string_view text) = 0;
  virtual void ProcessingInstruction(std::string_view target, std::string_view data) = 0;
};

// The first fault found, for the parse-error object.
struct ParseFailure {
  LONG errorCode = 0;
  std::u16string reason;
  std::u16string srcText;
  LONG line = 0;
  LONG linepos = 0;
  LONG filepos = 0;
};

enum class InputEncoding {
  Detect,  // bytes of a file: from the byte-order mark or the declaration, UTF-8 by default
  Utf8,    // text converted from a BSTR by loadXML: the declaration's encoding is ignored
};

// Parses the whole document; false (and `failure` filled) when it is not well-formed, not
// namespace-well-formed, or has a document type declaration: a DTD is refused where the parser
// meets it, before anything it declares could be read or expanded (kExternalResource when it
// names an external DTD, else kDocumentTypeRefused).
bool ParseXml(std::string_view bytes, InputEncoding encoding, ParseEvents& events, ParseFailure& failure);

// Error codes of the parse-error object (errorCode), in the XML parser's HRESULT range.
namespace parse_error {
inline constexpr LONG kNotWellFormed = static_cast<LONG>(0xC00CE500);     // syntax of the document
inline constexpr LONG kUnexpectedEnd = static_cast<LONG>(0xC00CE501);     // the text ends inside it
inline constexpr LONG kEndTagMismatch = static_cast<LONG>(0xC00CE502);    // </b> closes <a>
inline constexpr LONG kInvalidCharacter = static_cast<LONG>(0xC00CE503);  // a character XML refuses
inline constexpr LONG kEncoding = static_cast<LONG>(0xC00CE504);          // bytes not of the encoding
inline constexpr LONG kUndefinedEntity = static_cast<LONG>(0xC00CE505);   // &name; without a declaration
inline constexpr LONG kNamespace = static_cast<LONG>(0xC00CE506);         // an undeclared prefix
inline constexpr LONG kExternalResource = static_cast<LONG>(0xC00CE507);  // external DTD or entity
inline constexpr LONG kEmptyDocument = static_cast<LONG>(0xC00CE508);     // no document element
inline constexpr LONG kDocumentTypeRefused = static_cast<LONG>(0xC00CE509);  // any other DTD
}  // namespace parse_error

}  // namespace msxml
