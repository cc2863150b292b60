// Writing a component description file: the record becomes one DOM document built in memory,
// saved in one step at the end. Every element is written, empty lists and false flags included,
// so a file always shows the whole format.
#include "ComponentXML.h"

#include <comdef.h>
#include <msxml.h>

#include "TqException.h"
#include "XmlDocument.h"

_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, __uuidof(IXMLDOMDocument));
_COM_SMARTPTR_TYPEDEF(IXMLDOMNode, __uuidof(IXMLDOMNode));
_COM_SMARTPTR_TYPEDEF(IXMLDOMElement, __uuidof(IXMLDOMElement));
_COM_SMARTPTR_TYPEDEF(IXMLDOMText, __uuidof(IXMLDOMText));
_COM_SMARTPTR_TYPEDEF(IXMLDOMProcessingInstruction, __uuidof(IXMLDOMProcessingInstruction));

namespace {

// The namespace of the catalogue's description files, on the root element.
const char kNamespace[] = "urn:sablewing:component-description";

// A failing DOM call is raised as a COM error, as the support library's wrappers do; Save turns
// it into a COleException. A call that succeeds without handing out its object is E_POINTER.
void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}
template <class Pointer>
void CheckPointer(const Pointer& pointer) {
  if (pointer == nullptr) _com_issue_error(E_POINTER);
}

IXMLDOMElementPtr CreateElement(IXMLDOMDocument* document, LPCTSTR name) {
  IXMLDOMElementPtr element;
  Check(document->createElement(_bstr_t(name), &element));
  CheckPointer(element);
  return element;
}

// One text node per text, the record's multi-byte text as it is.
IXMLDOMTextPtr CreateText(IXMLDOMDocument* document, const CString& text) {
  IXMLDOMTextPtr node;
  Check(document->createTextNode(_bstr_t(static_cast<LPCTSTR>(text)), &node));
  CheckPointer(node);
  return node;
}

void Append(IXMLDOMNode* parent, IXMLDOMNode* child) {
  IXMLDOMNodePtr added;
  Check(parent->appendChild(child, &added));
}

// The document element, fetched afresh for every element written under it.
IXMLDOMElementPtr DocumentElement(IXMLDOMDocument* document) {
  IXMLDOMElementPtr root;
  Check(document->get_documentElement(&root));
  CheckPointer(root);
  return root;
}

// An element holding one text.
IXMLDOMElementPtr CreateTextElement(IXMLDOMDocument* document, LPCTSTR name, const CString& text) {
  IXMLDOMElementPtr element = CreateElement(document, name);
  Append(element, CreateText(document, text));
  return element;
}

}  // namespace

CComponentXML::CComponentXML(const CComponentXML& other) : m_filePath(other.m_filePath) {
  const HRESULT hr = ::CoInitialize(NULL);
  if (FAILED(hr)) TQ::ThrowOleException(hr, CString());
}

CComponentXML& CComponentXML::operator=(const CComponentXML& other) {
  if (this != &other) m_filePath = other.m_filePath;
  return *this;
}

CString CComponentXML::GetFilePath() const { return m_filePath; }

void CComponentXML::Save(const CComponent& component) {
  try {
    IXMLDOMDocumentPtr document;
    const HRESULT created = CreateXmlDocument(&document);
    if (FAILED(created)) TQ::ThrowOleException(created, CString());

    IXMLDOMProcessingInstructionPtr declaration;
    Check(document->createProcessingInstruction(_bstr_t("xml"), _bstr_t("version=\"1.0\""), &declaration));
    CheckPointer(declaration);
    Append(document, declaration);
    IXMLDOMElementPtr root = CreateElement(document, "Component");
    Check(root->setAttribute(_bstr_t("xmlns"), _variant_t(kNamespace)));
    Append(document, root);

    WriteBoolElement(document, "Hidden", component.Hidden);
    WriteBoolElement(document, "SelectedByDefault", component.SelectedByDefault);
    WriteBoolElement(document, "MFCRequired", component.MFCRequired);

    WriteTextElement(document, "ComponentName", component.GetComponentName());
    WriteTextElement(document, "ComponentDescription", component.GetComponentDescription());
    WriteTextElement(document, "Category", component.GetCategory());
    WriteTextElement(document, "XMLFormatVersion", component.GetXMLFormatVersion());
    WriteTextElement(document, "Namespace", component.GetNamespace());

    WriteStringList(document, "ComponentHeaders", "ComponentHeader", component.GetComponentHeaders());
    WriteStringList(document, "CompilerReleaseSettings", "CompilerReleaseSetting",
                    component.GetCompilerReleaseSettings());
    WriteStringList(document, "CompilerDebugSettings", "CompilerDebugSetting", component.GetCompilerDebugSettings());
    WriteStringList(document, "RemoveCompilerReleaseSettings", "RemoveCompilerReleaseSetting",
                    component.GetRemoveCompilerReleaseSettings());
    WriteStringList(document, "RemoveCompilerDebugSettings", "RemoveCompilerDebugSetting",
                    component.GetRemoveCompilerDebugSettings());
    WriteStringList(document, "LinkerReleaseSettings", "LinkerReleaseSetting", component.GetLinkerReleaseSettings());
    WriteStringList(document, "LinkerDebugSettings", "LinkerDebugSetting", component.GetLinkerDebugSettings());
    WriteStringList(document, "RemoveLinkerReleaseSettings", "RemoveLinkerReleaseSetting",
                    component.GetRemoveLinkerReleaseSettings());
    WriteStringList(document, "RemoveLinkerDebugSettings", "RemoveLinkerDebugSetting",
                    component.GetRemoveLinkerDebugSettings());
    WriteStringList(document, "IncludesFileHeaderIncludes", "IncludesFileHeaderInclude",
                    component.GetIncludesFileHeaderIncludes());
    WriteStringList(document, "DSWControlPalletGuids", "DSWControlPalletGuid", component.GetDSWControlPalletGuids());
    // The dependency list names its items like itself.
    WriteStringList(document, "ComponentDependancies", "ComponentDependancies", component.GetComponentDependancies());

    WriteSections(document, component.GetSections());
    WriteSources(document, component.GetComponentSources());

    // The plain path: the DOM writes beside the file and replaces it only once all is written.
    VARIANT destination;
    ::VariantInit(&destination);
    destination.vt = VT_BSTR;
    destination.bstrVal = _bstr_t(static_cast<LPCTSTR>(m_filePath)).copy();
    if (destination.bstrVal == NULL) _com_issue_error(E_OUTOFMEMORY);
    const HRESULT saved = document->save(destination);
    const HRESULT cleared = ::VariantClear(&destination);
    Check(saved);
    Check(cleared);
  } catch (const _com_error& error) {
    // The document and every node are released by now.
    AfxThrowOleException(error.Error());
  }
}

void CComponentXML::WriteBoolElement(IXMLDOMDocument* document, LPCTSTR name, bool value) {
  WriteTextElement(document, name, value ? "1" : "0");
}

void CComponentXML::WriteTextElement(IXMLDOMDocument* document, LPCTSTR name, const CString& text) {
  Append(DocumentElement(document), CreateTextElement(document, name, text));
}

void CComponentXML::WriteStringList(IXMLDOMDocument* document, LPCTSTR containerName, LPCTSTR itemName,
                                    const std::vector<CString>& list) {
  IXMLDOMElementPtr container = CreateElement(document, containerName);
  for (const CString& text : list) Append(container, CreateTextElement(document, itemName, text));
  Append(DocumentElement(document), container);
}

void CComponentXML::WriteSections(IXMLDOMDocument* document, const std::vector<ComponentSection>& sections) {
  IXMLDOMElementPtr list = CreateElement(document, "Sections");
  for (const ComponentSection& section : sections) {
    IXMLDOMElementPtr element = CreateElement(document, "Section");
    IXMLDOMElementPtr guid = CreateTextElement(document, "GUID", section.GUID);
    IXMLDOMElementPtr entries = CreateElement(document, "SectionEntries");
    for (const ComponentSectionEntry& pair : section.SectionEntries) {
      IXMLDOMElementPtr entry = CreateElement(document, "SectionEntry");
      Append(entry, CreateTextElement(document, "Type", pair.Type));
      Append(entry, CreateTextElement(document, "Value", pair.Value));
      Append(entries, entry);
    }
    Append(element, guid);
    Append(element, entries);
    Append(list, element);
  }
  Append(DocumentElement(document), list);
}

void CComponentXML::WriteSources(IXMLDOMDocument* document, const std::vector<ComponentSource>& sources) {
  IXMLDOMElementPtr list = CreateElement(document, "Sources");
  for (const ComponentSource& source : sources) {
    IXMLDOMElementPtr element = CreateElement(document, "Source");
    IXMLDOMElementPtr add = CreateElement(document, "AddCompilerSettings");
    IXMLDOMElementPtr removeAdd = CreateElement(document, "RemoveAddCompilerSettings");
    IXMLDOMElementPtr subtract = CreateElement(document, "SubtractCompilerSettings");
    IXMLDOMElementPtr removeSubtract = CreateElement(document, "RemoveSubtractCompilerSettings");
    Append(element, CreateTextElement(document, "SourceFile", source.SourceFile));
    WriteSourceSettingList(source.AddCompilerSettings, document, element, add, "AddCompilerSettings",
                           "AddCompilerSetting");
    WriteSourceSettingList(source.RemoveAddCompilerSettings, document, element, removeAdd,
                           "RemoveAddCompilerSettings", "RemoveAddCompilerSetting");
    WriteSourceSettingList(source.SubtractCompilerSettings, document, element, subtract, "SubtractCompilerSettings",
                           "SubtractCompilerSetting");
    WriteSourceSettingList(source.RemoveSubtractCompilerSettings, document, element, removeSubtract,
                           "RemoveSubtractCompilerSettings", "RemoveSubtractCompilerSetting");
    Append(list, element);
  }
  Append(DocumentElement(document), list);
}

void CComponentXML::WriteSourceSettingList(const std::vector<CString>& list, IXMLDOMDocument* document,
                                           IXMLDOMElement* parent, IXMLDOMElement* container, LPCTSTR containerName,
                                           LPCTSTR itemName) {
  for (const CString& text : list) {
    IXMLDOMElementPtr wrapper = CreateElement(document, containerName);
    Append(wrapper, CreateTextElement(document, itemName, text));
    Append(container, wrapper);
  }
  Append(parent, container);
}
