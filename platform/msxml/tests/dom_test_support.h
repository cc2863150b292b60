// What the DOM tests share: a COM-initialised fixture with a fresh document made the way the
// system makes it, owning BSTRs, and file helpers over the Windows API.
#pragma once

#include <comdef.h>
#include <msxml.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "sandbox/sandbox.h"

_COM_SMARTPTR_TYPEDEF(IXMLDOMNode, __uuidof(IXMLDOMNode));
_COM_SMARTPTR_TYPEDEF(IXMLDOMNodeList, __uuidof(IXMLDOMNodeList));
_COM_SMARTPTR_TYPEDEF(IXMLDOMNamedNodeMap, __uuidof(IXMLDOMNamedNodeMap));
_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, __uuidof(IXMLDOMDocument));
_COM_SMARTPTR_TYPEDEF(IXMLDOMElement, __uuidof(IXMLDOMElement));
_COM_SMARTPTR_TYPEDEF(IXMLDOMAttr, __uuidof(IXMLDOMAttr));
_COM_SMARTPTR_TYPEDEF(IXMLDOMCharacterData, __uuidof(IXMLDOMCharacterData));
_COM_SMARTPTR_TYPEDEF(IXMLDOMText, __uuidof(IXMLDOMText));
_COM_SMARTPTR_TYPEDEF(IXMLDOMComment, __uuidof(IXMLDOMComment));
_COM_SMARTPTR_TYPEDEF(IXMLDOMCDATASection, __uuidof(IXMLDOMCDATASection));
_COM_SMARTPTR_TYPEDEF(IXMLDOMProcessingInstruction, __uuidof(IXMLDOMProcessingInstruction));
_COM_SMARTPTR_TYPEDEF(IXMLDOMParseError, __uuidof(IXMLDOMParseError));

namespace domtest {

// An owned BSTR argument.
class Bstr {
 public:
  Bstr(const char16_t* text) : b_(SysAllocString(text)) {}  // NOLINT: implicit on purpose
  explicit Bstr(const std::u16string& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return b_; }

 private:
  BSTR b_;
};

// UTF-8 of a UTF-16 text, for readable comparisons.
inline std::string Utf8(std::u16string_view text) {
  if (text.empty()) return {};
  std::string out(text.size() * 3, '\0');
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                    static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<size_t>(n > 0 ? n : 0));
  return out;
}

// Takes over a returned BSTR: its text as UTF-8, freed.
inline std::string Take(BSTR b) {
  const std::string text = Utf8(std::u16string_view(b ? b : u"", SysStringLen(b)));
  SysFreeString(b);
  return text;
}

inline std::u16string Wide(const std::string& utf8) {
  std::u16string out(utf8.size() + 1, u'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                    static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(n > 0 ? n : 0));
  return out;
}

inline VARIANT StringVariant(const char16_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

// Writes a file through the Windows API.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
  ASSERT_TRUE(CloseHandle(h));
}

inline std::string ReadBytes(const std::string& path) {
  HANDLE h = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

class DomTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    const IXMLDOMDocumentPtr fresh = NewDocument();
    doc = fresh;  // copied: the support library's move assignment does not compile (see report)
    ASSERT_TRUE(doc);
  }
  void TearDown() override {
    doc = nullptr;
    CoUninitialize();
  }

  // As the component reader makes it: CLSCTX 7 for IUnknown, OleRun, then the document interface.
  static IXMLDOMDocumentPtr NewDocument() {
    IUnknown* unknown = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument, nullptr, 7, IID_IUnknown, reinterpret_cast<void**>(&unknown))))
      return nullptr;
    IXMLDOMDocumentPtr document;
    if (SUCCEEDED(OleRun(unknown))) unknown->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(&document));
    unknown->Release();
    return document;
  }

  // loadXML of UTF-8 text; true when it loaded.
  bool LoadXml(const std::string& xml) {
    VARIANT_BOOL ok = 0x5a5a;
    const HRESULT hr = doc->loadXML(Bstr(Wide(xml)), &ok);
    EXPECT_TRUE(hr == S_OK || hr == S_FALSE) << std::hex << hr;
    EXPECT_EQ(ok == VARIANT_TRUE, hr == S_OK);
    return ok == VARIANT_TRUE;
  }

  bool LoadFile(const std::u16string& url) {
    VARIANT source = StringVariant(url.c_str());
    VARIANT_BOOL ok = 0x5a5a;
    const HRESULT hr = doc->load(source, &ok);
    VariantClear(&source);
    EXPECT_EQ(ok == VARIANT_TRUE, hr == S_OK) << std::hex << hr;
    return ok == VARIANT_TRUE;
  }

  IXMLDOMElementPtr Root() {
    IXMLDOMElementPtr root;
    doc->get_documentElement(&root);
    return root;
  }

  static IXMLDOMNodePtr Select(IXMLDOMNode* context, const char16_t* pattern) {
    IXMLDOMNodePtr found;
    context->selectSingleNode(Bstr(pattern), &found);
    return found;
  }

  static IXMLDOMNodePtr First(IXMLDOMNode* node) {
    IXMLDOMNodePtr first;
    if (node) node->get_firstChild(&first);
    return first;
  }

  static std::string Xml(IXMLDOMNode* node) {
    BSTR xml = nullptr;
    node->get_xml(&xml);
    return Take(xml);
  }

  static std::string Name(IXMLDOMNode* node) {
    BSTR name = nullptr;
    node->get_nodeName(&name);
    return Take(name);
  }

  // The data of a node that answers IXMLDOMCharacterData, else "<not character data>".
  static std::string Data(IXMLDOMNode* node) {
    IXMLDOMCharacterDataPtr data;
    if (!node || FAILED(node->QueryInterface(IID_IXMLDOMCharacterData, reinterpret_cast<void**>(&data))))
      return "<not character data>";
    BSTR text = nullptr;
    data->get_data(&text);
    return Take(text);
  }

  // The names of a node's children, "#text" etc. for the others, joined by spaces.
  static std::string ChildNames(IXMLDOMNode* node) {
    IXMLDOMNodeListPtr children;
    node->get_childNodes(&children);
    LONG n = 0;
    children->get_length(&n);
    std::string names;
    for (LONG i = 0; i < n; ++i) {
      IXMLDOMNodePtr child;
      children->get_item(i, &child);
      if (i) names += ' ';
      names += Name(child);
    }
    return names;
  }

  struct ErrorInfo {
    LONG code = 0;
    std::string reason;
    LONG line = 0;
    LONG linepos = 0;
    std::string srcText;
  };
  ErrorInfo LastError() {
    IXMLDOMParseErrorPtr error;
    EXPECT_EQ(doc->get_parseError(&error), S_OK);
    ErrorInfo info;
    error->get_errorCode(&info.code);
    BSTR text = nullptr;
    error->get_reason(&text);
    info.reason = Take(text);
    error->get_line(&info.line);
    error->get_linepos(&info.linepos);
    text = nullptr;
    error->get_srcText(&text);
    info.srcText = Take(text);
    return info;
  }

  IXMLDOMDocumentPtr doc;
};

}  // namespace domtest
