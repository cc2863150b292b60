// Reading a component description file. The format is forgiving by design: a missing element,
// an element without text or a list item in the wrong shape is never an error, it just leaves
// the value false, empty or out of the list. Only a file that cannot be loaded is refused.
#include "ComponentXML.h"

#include <algorithm>

#include <afxdisp.h>
#include <comdef.h>
#include <msxml.h>

#include "TqException.h"
#include "XmlDocument.h"

namespace {

_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, __uuidof(IXMLDOMDocument));
_COM_SMARTPTR_TYPEDEF(IXMLDOMParseError, __uuidof(IXMLDOMParseError));
_COM_SMARTPTR_TYPEDEF(IXMLDOMNode, __uuidof(IXMLDOMNode));
_COM_SMARTPTR_TYPEDEF(IXMLDOMNodeList, __uuidof(IXMLDOMNodeList));
_COM_SMARTPTR_TYPEDEF(IXMLDOMElement, __uuidof(IXMLDOMElement));
_COM_SMARTPTR_TYPEDEF(IXMLDOMText, __uuidof(IXMLDOMText));

// A failing DOM call is raised as a COM error, as the support library's wrappers do; Read turns
// it into a COleException.
void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

// A selection pattern as a BSTR made once: a file asks for some seventy selections, and a fresh
// string for each would cost about as much as the selection itself.
template <size_t N>
struct PatternText {
  constexpr PatternText(const OLECHAR (&text)[N]) { std::copy_n(text, N, chars); }
  OLECHAR chars[N];
};
template <PatternText text>
const _bstr_t& Pattern() {
  static const _bstr_t pattern(text.chars);
  return pattern;
}

// The first child element of `context` that the pattern selects; null when there is none.
IXMLDOMNodePtr SelectChild(IXMLDOMNode* context, const _bstr_t& pattern) {
  IXMLDOMNodePtr node;
  if (context == nullptr) _com_issue_error(E_POINTER);
  Check(context->selectSingleNode(pattern, &node));
  return node;
}

// The child list of a container, fetched once: a live list remembers where its last item was, so
// walking it by index costs one step per child.
IXMLDOMNodeListPtr ChildList(IXMLDOMNode* parent, LONG& count) {
  IXMLDOMNodeListPtr children;
  Check(parent->get_childNodes(&children));
  count = 0;
  Check(children->get_length(&count));
  return children;
}

IXMLDOMNodePtr ChildAt(IXMLDOMNodeList* children, LONG index) {
  IXMLDOMNodePtr child;
  Check(children->get_item(index, &child));
  return child;
}

// The text in the process's code page ('?' for what it cannot hold), in one conversion: a UTF-16
// unit never needs more than two bytes.
CString ToMultiByte(const _bstr_t& text) {
  const int length = static_cast<int>(text.length());
  CString result;
  if (length == 0) return result;
  char* buffer = result.GetBuffer(2 * length);
  const int written = ::WideCharToMultiByte(CP_ACP, 0, static_cast<const OLECHAR*>(text), length, buffer, 2 * length,
                                            NULL, NULL);
  if (written <= 0) {
    result.ReleaseBuffer(0);
    _com_issue_error(HRESULT_FROM_WIN32(::GetLastError()));
  }
  result.ReleaseBuffer(written);
  return result;
}

bool IsElement(IXMLDOMNode* node) { return IXMLDOMElementPtr(node) != nullptr; }

// The text of an element is the data of its first child, when that child is a text node (a CDATA
// section is one). False for a node that is not an element, an element without children, or one
// whose first child is an element, a comment or a processing instruction.
bool GetElementText(IXMLDOMNode* node, CString& text) {
  IXMLDOMElementPtr element(node);
  if (element == nullptr) return false;
  // Item 0 of the child list, without making the list.
  IXMLDOMNodePtr first;
  Check(element->get_firstChild(&first));
  IXMLDOMTextPtr textNode(first);
  if (textNode == nullptr) return false;
  BSTR data = nullptr;
  Check(textNode->get_data(&data));
  const _bstr_t owned(data, false);
  text = ToMultiByte(owned);
  return true;
}

CString ReadText(IXMLDOMNode* root, const _bstr_t& pattern) {
  CString text;
  GetElementText(SelectChild(root, pattern), text);
  return text;
}

// False when absent or without text, and for the text "0"; any other text is true.
bool ReadBool(IXMLDOMNode* root, const _bstr_t& pattern) {
  CString text;
  if (!GetElementText(SelectChild(root, pattern), text)) return false;
  return text != "0";
}

// Every child element of the container that has text, in document order, whatever its name.
std::vector<CString> ReadList(IXMLDOMNode* root, const _bstr_t& pattern) {
  std::vector<CString> items;
  const IXMLDOMNodePtr container = SelectChild(root, pattern);
  if (!IsElement(container)) return items;
  LONG count = 0;
  const IXMLDOMNodeListPtr children = ChildList(container, count);
  for (LONG i = 0; i < count; ++i) {
    CString text;
    if (GetElementText(ChildAt(children, i), text)) items.push_back(std::move(text));
  }
  return items;
}

// A section counts only with a GUID text and a SectionEntries element; an entry only with both
// a Type and a Value text.
std::vector<ComponentSection> ReadSections(IXMLDOMNode* root) {
  std::vector<ComponentSection> sections;
  const IXMLDOMNodePtr list = SelectChild(root, Pattern<OLESTR("./Sections")>());
  if (!IsElement(list)) return sections;
  LONG count = 0;
  const IXMLDOMNodeListPtr children = ChildList(list, count);
  for (LONG i = 0; i < count; ++i) {
    const IXMLDOMNodePtr child = ChildAt(children, i);
    if (!IsElement(child)) continue;
    ComponentSection section;
    const bool hasGuid = GetElementText(SelectChild(child, Pattern<OLESTR("./GUID")>()), section.GUID);
    const IXMLDOMNodePtr entries = SelectChild(child, Pattern<OLESTR("./SectionEntries")>());
    if (!hasGuid || !IsElement(entries)) continue;
    LONG entryCount = 0;
    const IXMLDOMNodeListPtr entryList = ChildList(entries, entryCount);
    for (LONG j = 0; j < entryCount; ++j) {
      const IXMLDOMNodePtr entry = ChildAt(entryList, j);
      if (!IsElement(entry)) continue;
      ComponentSectionEntry pair;
      if (GetElementText(SelectChild(entry, Pattern<OLESTR("./Type")>()), pair.Type) &&
          GetElementText(SelectChild(entry, Pattern<OLESTR("./Value")>()), pair.Value))
        section.SectionEntries.push_back(std::move(pair));
    }
    sections.push_back(std::move(section));
  }
  return sections;
}

// One per-source settings container: each setting sits in a wrapper element (any name) that
// holds the element named `item`; wrappers in any other shape are passed over.
void ReadSourceSettings(IXMLDOMNode* container, const _bstr_t& item, std::vector<CString>& settings) {
  LONG count = 0;
  const IXMLDOMNodeListPtr children = ChildList(container, count);
  for (LONG i = 0; i < count; ++i) {
    const IXMLDOMNodePtr wrapper = ChildAt(children, i);
    if (!IsElement(wrapper)) continue;
    CString text;
    if (GetElementText(SelectChild(wrapper, item), text)) settings.push_back(std::move(text));
  }
}

// A source counts only with a SourceFile text and all four settings containers present.
std::vector<ComponentSource> ReadSources(IXMLDOMNode* root) {
  std::vector<ComponentSource> sources;
  const IXMLDOMNodePtr list = SelectChild(root, Pattern<OLESTR("./Sources")>());
  if (!IsElement(list)) return sources;
  LONG count = 0;
  const IXMLDOMNodeListPtr children = ChildList(list, count);
  for (LONG i = 0; i < count; ++i) {
    const IXMLDOMNodePtr child = ChildAt(children, i);
    if (!IsElement(child)) continue;
    ComponentSource source;
    const bool hasFile = GetElementText(SelectChild(child, Pattern<OLESTR("./SourceFile")>()), source.SourceFile);
    const IXMLDOMNodePtr add = SelectChild(child, Pattern<OLESTR("./AddCompilerSettings")>());
    const IXMLDOMNodePtr removeAdd = SelectChild(child, Pattern<OLESTR("./RemoveAddCompilerSettings")>());
    const IXMLDOMNodePtr subtract = SelectChild(child, Pattern<OLESTR("./SubtractCompilerSettings")>());
    const IXMLDOMNodePtr removeSubtract = SelectChild(child, Pattern<OLESTR("./RemoveSubtractCompilerSettings")>());
    if (!hasFile || !IsElement(add) || !IsElement(removeAdd) || !IsElement(subtract) || !IsElement(removeSubtract))
      continue;
    ReadSourceSettings(add, Pattern<OLESTR("./AddCompilerSetting")>(), source.AddCompilerSettings);
    ReadSourceSettings(removeAdd, Pattern<OLESTR("./RemoveAddCompilerSetting")>(), source.RemoveAddCompilerSettings);
    ReadSourceSettings(subtract, Pattern<OLESTR("./SubtractCompilerSetting")>(), source.SubtractCompilerSettings);
    ReadSourceSettings(removeSubtract, Pattern<OLESTR("./RemoveSubtractCompilerSetting")>(),
                       source.RemoveSubtractCompilerSettings);
    sources.push_back(std::move(source));
  }
  return sources;
}

}  // namespace

CComponentXML::CComponentXML(const CString& filePath) : m_filePath(filePath) {
  const HRESULT hr = ::CoInitialize(NULL);
  if (FAILED(hr)) TQ::ThrowOleException(hr, CString());
}

CComponentXML::~CComponentXML() { ::CoUninitialize(); }

void CComponentXML::Read(CComponent& component) {
  try {
    IXMLDOMDocumentPtr document;
    const HRESULT created = CreateXmlDocument(&document);
    if (FAILED(created)) TQ::ThrowOleException(created, CString());

    Check(document->put_async(VARIANT_FALSE));
    const _variant_t source(_bstr_t(CString("file:///") + m_filePath));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    Check(document->load(source, &loaded));
    IXMLDOMParseErrorPtr parseError;
    Check(document->get_parseError(&parseError));
    LONG errorCode = 0;
    Check(parseError->get_errorCode(&errorCode));
    if (loaded == VARIANT_FALSE || errorCode != 0) AfxThrowOleException(E_FAIL);

    IXMLDOMElementPtr root;
    Check(document->get_documentElement(&root));
    IXMLDOMNode* const r = root;

    component.Hidden = ReadBool(r, Pattern<OLESTR("Hidden")>());
    component.SelectedByDefault = ReadBool(r, Pattern<OLESTR("SelectedByDefault")>());
    component.MFCRequired = ReadBool(r, Pattern<OLESTR("MFCRequired")>());
    component.ComponentName = ReadText(r, Pattern<OLESTR("./ComponentName")>());
    component.ComponentDescription = ReadText(r, Pattern<OLESTR("./ComponentDescription")>());
    component.Category = ReadText(r, Pattern<OLESTR("./Category")>());
    component.XMLFormatVersion = ReadText(r, Pattern<OLESTR("XMLFormatVersion")>());
    component.Namespace = ReadText(r, Pattern<OLESTR("Namespace")>());

    component.SetComponentHeaders(ReadList(r, Pattern<OLESTR("./ComponentHeaders")>()));
    component.SetCompilerReleaseSettings(ReadList(r, Pattern<OLESTR("./CompilerReleaseSettings")>()));
    component.SetCompilerDebugSettings(ReadList(r, Pattern<OLESTR("./CompilerDebugSettings")>()));
    component.SetRemoveCompilerReleaseSettings(ReadList(r, Pattern<OLESTR("./RemoveCompilerReleaseSettings")>()));
    component.SetRemoveCompilerDebugSettings(ReadList(r, Pattern<OLESTR("./RemoveCompilerDebugSettings")>()));
    component.SetLinkerReleaseSettings(ReadList(r, Pattern<OLESTR("./LinkerReleaseSettings")>()));
    component.SetLinkerDebugSettings(ReadList(r, Pattern<OLESTR("./LinkerDebugSettings")>()));
    component.SetRemoveLinkerReleaseSettings(ReadList(r, Pattern<OLESTR("./RemoveLinkerReleaseSettings")>()));
    component.SetRemoveLinkerDebugSettings(ReadList(r, Pattern<OLESTR("./RemoveLinkerDebugSettings")>()));
    component.SetIncludesFileHeaderIncludes(ReadList(r, Pattern<OLESTR("./IncludesFileHeaderIncludes")>()));
    component.SetDSWControlPalletGuids(ReadList(r, Pattern<OLESTR("./DSWControlPalletGuids")>()));
    component.SetComponentDependancies(ReadList(r, Pattern<OLESTR("./ComponentDependancies")>()));

    component.SetSections(ReadSections(r));
    component.SetComponentSources(ReadSources(r));
  } catch (const _com_error& error) {
    // The document and every node are released by now; what was read so far stays assigned.
    AfxThrowOleException(error.Error());
  }
}
