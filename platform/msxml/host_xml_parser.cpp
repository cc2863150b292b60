// The parser over libxml2's SAX2 interface: libxml2 only checks the syntax, decodes and expands
// character references and the five predefined entities; the events go straight into the DOM's
// own tree, so no libxml2 tree is ever built.
//
// A document type declaration is refused where the parser meets it, before anything in it is
// read: no entity is ever declared, so none is substituted (a small document cannot expand into
// millions of characters) and nothing outside the document is read (libxml2 would load an
// external entity when it is referenced, whatever the resolveEntity callback says). Entity
// declarations are refused as external ones too, should one ever be reached, and XML_PARSE_NONET
// keeps the network out as a further line.
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>
#include <vector>

#include "utf.h"
#include "xml_declaration.h"
#include "xml_parser.h"

namespace msxml {
namespace {

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view{};
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  out.resize(Utf8ToUtf16(utf8, out.data()));
  return out;
}

struct ParseState {
  xmlParserCtxtPtr ctxt = nullptr;
  ParseEvents* events = nullptr;
  ParseFailure* failure = nullptr;
  std::string_view bytes;
  bool failed = false;
  std::vector<ParsedAttribute> attributes;
  std::string names;  // qualified names joined from prefix and local name, for one start tag
  std::vector<size_t> nameEnds;
};

ParseState& StateOf(void* ctx) { return *static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(ctx)->_private); }

LONG CodeFor(const xmlError& error) {
  using namespace parse_error;
  if (error.domain == XML_FROM_NAMESPACE) return kNamespace;
  if (error.domain == XML_FROM_I18N || error.domain == XML_FROM_IO) return kEncoding;
  switch (error.code) {
    case XML_ERR_DOCUMENT_EMPTY:
      return kEmptyDocument;
    case XML_ERR_TAG_NOT_FINISHED:
    case XML_ERR_COMMENT_NOT_FINISHED:
    case XML_ERR_CDATA_NOT_FINISHED:
    case XML_ERR_PI_NOT_FINISHED:
      return kUnexpectedEnd;
    case XML_ERR_TAG_NAME_MISMATCH:
      return kEndTagMismatch;
    case XML_ERR_INVALID_CHAR:
    case XML_ERR_INVALID_CHARREF:
    case XML_ERR_INVALID_DEC_CHARREF:
    case XML_ERR_INVALID_HEX_CHARREF:
      return error.message && std::string_view(error.message).starts_with("Input is not proper") ? kEncoding
                                                                                                  : kInvalidCharacter;
    case XML_ERR_UNSUPPORTED_ENCODING:
    case XML_ERR_UNKNOWN_ENCODING:
    case XML_ERR_INVALID_ENCODING:
      return kEncoding;
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
      return kUndefinedEntity;
    default:
      return kNotWellFormed;
  }
}

// The line of the decoded input where the parser stands, for srcText.
std::u16string CurrentLine(xmlParserCtxtPtr ctxt) {
  if (!ctxt || !ctxt->input || !ctxt->input->base || !ctxt->input->cur) return {};
  const xmlChar* base = ctxt->input->base;
  const xmlChar* end = ctxt->input->end ? ctxt->input->end : ctxt->input->cur;
  const xmlChar* cur = std::min(ctxt->input->cur, end);
  const xmlChar* start = cur;
  while (start > base && start[-1] != '\n') --start;
  const xmlChar* stop = cur;
  while (stop < end && *stop != '\n' && *stop != '\r') ++stop;
  return ToUtf16(std::string_view(reinterpret_cast<const char*>(start), static_cast<size_t>(stop - start)));
}

// Characters before the parser's position (approximate once libxml2 has dropped a consumed
// prefix of a multi-byte input, which only happens in long documents).
LONG CurrentFilePos(xmlParserCtxtPtr ctxt) {
  if (!ctxt || !ctxt->input || !ctxt->input->base || !ctxt->input->cur) return 0;
  LONG count = static_cast<LONG>(ctxt->input->consumed);
  for (const xmlChar* p = ctxt->input->base; p < ctxt->input->cur; ++p) {
    if ((*p & 0xC0) != 0x80) ++count;
  }
  return count;
}

// Where the fault comes from the parser itself, its input tells the line and position. An error
// libxml2 raises while it decodes more input (`inputMoving`) comes in the middle of moving its
// buffer: the input's pointers may name memory just given back, so nothing is read from them.
void Fail(ParseState& state, LONG code, std::string_view reasonUtf8, LONG line, LONG linepos,
          bool inputMoving = false) {
  if (state.failed) return;  // the first fault is the one reported
  state.failed = true;
  ParseFailure& f = *state.failure;
  f.errorCode = code;
  while (!reasonUtf8.empty() && (reasonUtf8.back() == '\n' || reasonUtf8.back() == ' ')) reasonUtf8.remove_suffix(1);
  f.reason = ToUtf16(reasonUtf8);
  f.line = line > 0 ? line : state.ctxt && state.ctxt->input ? state.ctxt->input->line : 0;
  f.linepos = linepos > 0 ? linepos : state.ctxt && state.ctxt->input ? state.ctxt->input->col : 0;
  if (inputMoving) return;
  f.srcText = CurrentLine(state.ctxt);
  f.filepos = CurrentFilePos(state.ctxt);
}

void Refuse(ParseState& state, LONG code, const std::string& reason) {
  Fail(state, code, reason, 0, 0);
  xmlStopParser(state.ctxt);
}

void Report(ParseState& state, const xmlError* error, bool inputMoving) {
  if (!error || error->level < XML_ERR_ERROR) return;  // warnings do not fail a load
  Fail(state, CodeFor(*error), error->message ? error->message : "The document is not well-formed.", error->line,
       error->int2, inputMoving);
}

// Errors raised with the parser context (syntax, namespaces).
void OnParserError(void* ctx, xmlErrorPtr error) { Report(StateOf(ctx), error, false); }
// Errors raised without it (decoding, input), routed here for the length of one parse.
void OnThreadError(void* state, xmlErrorPtr error) { Report(*static_cast<ParseState*>(state), error, true); }

void OnStartDocument(void* ctx) {
  xmlSAX2StartDocument(ctx);  // libxml2's own record of the document, which its entity look-ups expect
  ParseState& state = StateOf(ctx);
  const DeclarationInfo declaration = ReadDeclaration(state.bytes);
  if (declaration.found) state.events->Declaration(declaration.data);
}

void OnInternalSubset(void* ctx, const xmlChar*, const xmlChar* externalId, const xmlChar* systemId) {
  ParseState& state = StateOf(ctx);
  if (externalId || systemId) {
    Refuse(state, parse_error::kExternalResource,
           "The document type declaration names an external DTD (" +
               std::string(View(systemId ? systemId : externalId)) + "), which is never loaded.");
    return;
  }
  Refuse(state, parse_error::kDocumentTypeRefused,
         "The document has a document type declaration; DTDs and the entities they declare are never read.");
}

void OnEntityDecl(void* ctx, const xmlChar* name, int, const xmlChar*, const xmlChar* systemId, xmlChar*) {
  Refuse(StateOf(ctx), parse_error::kDocumentTypeRefused,
         "The entity '" + std::string(View(name)) + "' is declared (" + std::string(View(systemId)) +
             "); entities are never substituted.");
}

xmlParserInputPtr OnResolveEntity(void*, const xmlChar*, const xmlChar*) { return nullptr; }

void OnStartElement(void* ctx, const xmlChar* localName, const xmlChar* prefix, const xmlChar*, int namespaceCount,
                    const xmlChar** namespaces, int attributeCount, int, const xmlChar** attributes) {
  ParseState& s = StateOf(ctx);
  s.names.clear();
  s.nameEnds.clear();
  auto addName = [&](std::string_view p, std::string_view local) {
    s.names.append(p);
    if (!p.empty() && !local.empty()) s.names.push_back(':');
    s.names.append(local);
    s.nameEnds.push_back(s.names.size());
  };
  addName(View(prefix), View(localName));
  for (int i = 0; i < namespaceCount; ++i) addName("xmlns", View(namespaces[2 * i]));
  for (int i = 0; i < attributeCount; ++i) addName(View(attributes[5 * i + 1]), View(attributes[5 * i]));

  auto name = [&](size_t index) {
    const size_t begin = index == 0 ? 0 : s.nameEnds[index - 1];
    return std::string_view(s.names).substr(begin, s.nameEnds[index] - begin);
  };
  s.attributes.clear();
  size_t index = 1;
  for (int i = 0; i < namespaceCount; ++i) s.attributes.push_back({name(index++), View(namespaces[2 * i + 1])});
  for (int i = 0; i < attributeCount; ++i) {
    const auto* begin = reinterpret_cast<const char*>(attributes[5 * i + 3]);
    const auto* end = reinterpret_cast<const char*>(attributes[5 * i + 4]);
    s.attributes.push_back({name(index++), std::string_view(begin, static_cast<size_t>(end - begin))});
  }
  s.events->StartElement(name(0), s.attributes.data(), s.attributes.size());
}

void OnEndElement(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) { StateOf(ctx).events->EndElement(); }

void OnCharacters(void* ctx, const xmlChar* text, int length) {
  StateOf(ctx).events->Characters(std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(length)));
}

void OnCData(void* ctx, const xmlChar* text, int length) {
  StateOf(ctx).events->CData(std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(length)));
}

// Comments and processing instructions inside the DTD are not nodes of the document.
void OnComment(void* ctx, const xmlChar* text) {
  if (static_cast<xmlParserCtxtPtr>(ctx)->inSubset) return;
  StateOf(ctx).events->Comment(View(text));
}

void OnProcessingInstruction(void* ctx, const xmlChar* target, const xmlChar* data) {
  if (static_cast<xmlParserCtxtPtr>(ctx)->inSubset) return;
  StateOf(ctx).events->ProcessingInstruction(View(target), View(data));
}

xmlSAXHandler MakeHandler() {
  xmlSAXHandler sax{};
  xmlSAXVersion(&sax, 2);
  sax.startDocument = OnStartDocument;
  sax.internalSubset = OnInternalSubset;
  sax.externalSubset = nullptr;
  sax.entityDecl = OnEntityDecl;
  sax.resolveEntity = OnResolveEntity;
  sax.startElementNs = OnStartElement;
  sax.endElementNs = OnEndElement;
  sax.characters = OnCharacters;
  sax.ignorableWhitespace = OnCharacters;
  sax.cdataBlock = OnCData;
  sax.comment = OnComment;
  sax.processingInstruction = OnProcessingInstruction;
  sax.reference = nullptr;
  sax.serror = OnParserError;
  sax.error = nullptr;
  sax.warning = nullptr;
  sax.fatalError = nullptr;
  return sax;
}

// The thread's libxml2 error routing, restored however the parse ends.
class ThreadErrorRoute {
 public:
  explicit ThreadErrorRoute(ParseState& state)
      : previous_(xmlStructuredError), previousContext_(xmlStructuredErrorContext) {
    xmlSetStructuredErrorFunc(&state, OnThreadError);
  }
  ~ThreadErrorRoute() { xmlSetStructuredErrorFunc(previousContext_, previous_); }
  ThreadErrorRoute(const ThreadErrorRoute&) = delete;
  ThreadErrorRoute& operator=(const ThreadErrorRoute&) = delete;

 private:
  xmlStructuredErrorFunc previous_;
  void* previousContext_;
};

}  // namespace

bool ParseXml(std::string_view bytes, InputEncoding encoding, ParseEvents& events, ParseFailure& failure) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });

  failure = ParseFailure{};
  if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    failure.errorCode = parse_error::kEmptyDocument;
    failure.reason = u"The document is empty: it has no document element.";
    return false;
  }
  if (bytes.size() > static_cast<size_t>(INT_MAX)) {
    failure.errorCode = parse_error::kNotWellFormed;
    failure.reason = u"The document is larger than the parser accepts.";
    return false;
  }
  ParseState state;
  state.events = &events;
  state.failure = &failure;
  state.bytes = bytes;
  xmlParserCtxtPtr ctxt = xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size()));
  if (!ctxt) {
    failure.errorCode = E_OUTOFMEMORY;
    failure.reason = u"Out of memory.";
    return false;
  }
  state.ctxt = ctxt;
  *ctxt->sax = MakeHandler();
  ctxt->userData = ctxt;  // the SAX2 helpers used above expect the context itself
  ctxt->_private = &state;
  int options = XML_PARSE_NONET | XML_PARSE_NOENT;  // the predefined entities in attribute values
  if (encoding == InputEncoding::Utf8) options |= XML_PARSE_IGNORE_ENC;
  xmlCtxtUseOptions(ctxt, options);
  {
    ThreadErrorRoute route(state);
    xmlParseDocument(ctxt);
  }
  const bool ok = !state.failed && ctxt->wellFormed && ctxt->nsWellFormed;
  if (!ok && !state.failed) Fail(state, parse_error::kNotWellFormed, "The document is not well-formed.", 0, 0);
  if (ctxt->myDoc) xmlFreeDoc(ctxt->myDoc);
  ctxt->myDoc = nullptr;
  xmlFreeParserCtxt(ctxt);
  return ok;
}

}  // namespace msxml
