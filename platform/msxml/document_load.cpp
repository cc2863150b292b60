// DOMDocument load and loadXML: synchronous, from a file path or "file:" URL or from a string.
// A failed load leaves the document empty, answers VARIANT_FALSE with S_FALSE, and the parse-
// error object says why (errorCode non-zero).
#include <windows.h>

#include "document.h"
#include "location.h"
#include "parse_error.h"
#include "tree_builder.h"
#include "utf.h"
#include "xml_declaration.h"

namespace msxml {
namespace {

// The text of the source argument: a BSTR, directly or by reference.
const VARIANT* Resolve(const VARIANT& v) {
  if (v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal) return Resolve(*v.pvarVal);
  return &v;
}

bool SourceText(const VARIANT& source, std::u16string_view& text) {
  const VARIANT* v = Resolve(source);
  if (v->vt == VT_BSTR) {
    text = View(v->bstrVal);
    return true;
  }
  if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal) {
    text = View(*v->pbstrVal);
    return true;
  }
  return false;
}

// windows-1252 is decoded with the platform's own table (kernel32), so its five unassigned
// bytes read as the platform reads them; libxml2 decodes every other encoding.
bool DeclaresWindows1252(const DeclarationInfo& declaration) {
  if (declaration.form != ByteForm::EightBit || !declaration.found) return false;
  const std::u16string data(declaration.data.begin(), declaration.data.end());
  const std::u16string_view name = PseudoAttribute(data, u"encoding");
  const std::string ascii(name.begin(), name.end());
  return SameEncodingName(ascii, "windows-1252") || SameEncodingName(ascii, "cp1252");
}

std::string Windows1252ToUtf8(const std::string& bytes) {
  std::u16string wide(bytes.size(), u'\0');
  const int n = bytes.empty() ? 0
                              : MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                                    static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(n > 0 ? n : 0));
  std::string utf8;
  AppendUtf8(wide, utf8);
  return utf8;
}

ParseFailure FileFailure(DWORD error) {
  ParseFailure failure;
  failure.errorCode = HRESULT_FROM_WIN32(error);
  failure.reason = SystemMessage(error);
  return failure;
}

}  // namespace

void DocumentObject::Clear() {
  if (NodeRefs() == 0) {
    // Nothing outside refers to any node: the whole old tree goes at once.
    first = last = nullptr;
    ReleaseAll();
  } else {
    RemoveAllChildren(this);
  }
  hasUrl_ = false;
  url_.clear();
  Changed();
}

void DocumentObject::SetParseError(ParseFailure failure, std::u16string_view url) {
  auto* fresh = new ParseErrorObject(std::move(failure), url);
  if (parseError_) parseError_->Release();
  parseError_ = fresh;
}

HRESULT DocumentObject::Fail(ParseFailure failure, std::u16string_view url, HRESULT result,
                             VARIANT_BOOL* isSuccessful) {
  RemoveAllChildren(this);
  SetParseError(std::move(failure), url);
  if (isSuccessful) *isSuccessful = VARIANT_FALSE;
  return result;
}

HRESULT DocumentObject::LoadBytes(std::string_view bytes, InputEncoding encoding, std::u16string_view url,
                                  VARIANT_BOOL* isSuccessful) {
  TreeBuilder builder(*this, preserveWhiteSpace_);
  ParseFailure failure;
  if (!ParseXml(bytes, encoding, builder, failure)) return Fail(std::move(failure), url, S_FALSE, isSuccessful);
  url_ = url;
  hasUrl_ = !url.empty();
  SetParseError(ParseFailure{}, url);
  if (isSuccessful) *isSuccessful = VARIANT_TRUE;
  return S_OK;
}

STDMETHODIMP DocumentObject::load(VARIANT source, VARIANT_BOOL* isSuccessful) {
  if (isSuccessful) *isSuccessful = VARIANT_FALSE;
  std::u16string_view urlView;
  // Streams, byte arrays and other documents as sources are not modelled.
  if (!SourceText(source, urlView)) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  const std::u16string url(urlView);  // the caller's BSTR may be freed by what follows
  Clear();
  Location location;
  if (!ResolveLocation(url, location)) return Fail(FileFailure(ERROR_INVALID_NAME), url, S_FALSE, isSuccessful);
  if (location.network) {
    ParseFailure refused;
    refused.errorCode = E_ACCESSDENIED;
    refused.reason = u"Access to the network is not available: only local files are loaded.";
    return Fail(std::move(refused), url, S_FALSE, isSuccessful);
  }
  std::string bytes;
  const DWORD error = ReadWholeFile(location.path, bytes);
  if (error != ERROR_SUCCESS) return Fail(FileFailure(error), url, S_FALSE, isSuccessful);
  if (DeclaresWindows1252(ReadDeclaration(bytes)))
    return LoadBytes(Windows1252ToUtf8(bytes), InputEncoding::Utf8, url, isSuccessful);
  return LoadBytes(bytes, InputEncoding::Detect, url, isSuccessful);
}

// The string is already Unicode: an encoding named in its declaration is not applied.
STDMETHODIMP DocumentObject::loadXML(BSTR xml, VARIANT_BOOL* isSuccessful) {
  if (isSuccessful) *isSuccessful = VARIANT_FALSE;
  std::string utf8;
  AppendUtf8(View(xml), utf8);
  Clear();
  return LoadBytes(utf8, InputEncoding::Utf8, {}, isSuccessful);
}

STDMETHODIMP DocumentObject::get_parseError(IXMLDOMParseError** errorObj) {
  if (!errorObj) return E_INVALIDARG;
  if (!parseError_) SetParseError(ParseFailure{}, {});
  *errorObj = parseError_;
  parseError_->AddRef();
  return S_OK;
}

STDMETHODIMP DocumentObject::get_url(BSTR* url) { return ReturnOptionalString(hasUrl_, url_, url); }

}  // namespace msxml
