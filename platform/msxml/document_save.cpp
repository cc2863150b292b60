// DOMDocument save: the document's markup (see serializer.h) in the encoding that its XML
// declaration names (UTF-8 when it names none), written to a file path. UTF-16 is written little-
// endian with a byte-order mark; UTF-8 without one. A character that the encoding lacks becomes a
// character reference in text and attribute values; anywhere else the save fails (E_FAIL) and the
// file is left as it was. So does a character that XML cannot hold at all (a control character
// other than tab, line feed and carriage return, U+FFFE, U+FFFF): a file holding one would not
// load again.
#include <windows.h>

#include <string>

#include "document.h"
#include "location.h"
#include "serializer.h"
#include "utf.h"
#include "xml_declaration.h"

namespace msxml {
namespace {

bool InLatin1(char32_t c) { return c <= 0xFF; }
bool InAscii(char32_t c) { return c < 0x80; }
bool InWindows1252(char32_t c) {
  if (c > 0xFFFF) return false;
  const WCHAR wide = static_cast<WCHAR>(c);
  char byte[2];
  BOOL usedDefault = FALSE;
  return WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &wide, 1, byte, 2, nullptr, &usedDefault) == 1 &&
         !usedDefault;
}

enum class Target { Utf8, Utf16, Latin1, Ascii, Windows1252 };

bool TargetFor(std::u16string_view name, Target& target) {
  const std::string ascii(name.begin(), name.end());
  static constexpr std::pair<const char*, Target> kNames[] = {
      {"", Target::Utf8},           {"UTF-8", Target::Utf8},          {"UTF-16", Target::Utf16},
      {"ISO-8859-1", Target::Latin1}, {"US-ASCII", Target::Ascii},    {"windows-1252", Target::Windows1252},
      {"cp1252", Target::Windows1252}};
  for (const auto& [known, value] : kNames) {
    if (SameEncodingName(ascii, known)) {
      target = value;
      return true;
    }
  }
  return false;
}

bool HasUnwritableCharacter(std::u16string_view s) {
  for (char16_t c : s)
    if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF) return true;
  return false;
}

bool HasUnpairedSurrogate(std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xD800 && s[i] < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      ++i;
    } else if (s[i] >= 0xD800 && s[i] <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

std::string Encode(const std::u16string& markup, Target target) {
  std::string bytes;
  switch (target) {
    case Target::Utf8:
      AppendUtf8(markup, bytes);
      break;
    case Target::Utf16:
      bytes = "\xFF\xFE";
      for (char16_t c : markup) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
      }
      break;
    case Target::Latin1:
    case Target::Ascii:
      for (char16_t c : markup) bytes.push_back(static_cast<char>(c));
      break;
    case Target::Windows1252: {
      if (markup.empty()) break;
      bytes.resize(markup.size());
      const int n = WideCharToMultiByte(1252, 0, markup.data(), static_cast<int>(markup.size()), bytes.data(),
                                        static_cast<int>(bytes.size()), nullptr, nullptr);
      bytes.resize(static_cast<size_t>(n > 0 ? n : 0));
      break;
    }
  }
  return bytes;
}

}  // namespace

STDMETHODIMP DocumentObject::save(VARIANT destination) {
  const VARIANT* d = &destination;
  if (d->vt == (VT_VARIANT | VT_BYREF) && d->pvarVal) d = d->pvarVal;
  std::u16string_view path;
  if (d->vt == VT_BSTR) {
    path = View(d->bstrVal);
  } else if (d->vt == (VT_BSTR | VT_BYREF) && d->pbstrVal) {
    path = View(*d->pbstrVal);
  } else {
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);  // streams, responses and other documents
  }
  Location location;
  if (!ResolveLocation(path, location)) return E_INVALIDARG;
  if (location.network) return E_ACCESSDENIED;

  const Node* declaration = XmlDeclaration(this);
  const std::u16string_view encoding = declaration ? PseudoAttribute(declaration->value, u"encoding") : u"";
  Target target = Target::Utf8;
  if (!TargetFor(encoding, target)) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  static constexpr Encodable kEncodable[] = {nullptr, nullptr, InLatin1, InAscii, InWindows1252};
  std::u16string markup;
  if (!AppendMarkup(this, MarkupFor::Save, kEncodable[static_cast<int>(target)], markup)) return E_FAIL;
  if (HasUnpairedSurrogate(markup)) return E_FAIL;  // not Unicode: no encoding can hold it
  if (HasUnwritableCharacter(markup)) return E_FAIL;
  const DWORD error = WriteWholeFile(location.path, Encode(markup, target));
  return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error);
}

}  // namespace msxml
