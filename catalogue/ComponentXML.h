// One component description file: the catalogue's XML format, read through the platform's XML
// DOM into a CComponent record and written from one.
#pragma once

#include "stdafx.h"

#include "Component.h"

struct IXMLDOMDocument;
struct IXMLDOMElement;

// Reading is the catalogue's; the writing members (the copy operations, GetFilePath, Save and
// its element writers) come with the data-type library, so only the modules that carry it link
// them.
class CComponentXML {
 public:
  // Keeps the path and enters COM on the calling thread for the object's lifetime; a thread that
  // is already in a single-threaded apartment is fine. Throws TQ::CTqOleException when COM cannot
  // be entered.
  explicit CComponentXML(const CString& filePath);
  virtual ~CComponentXML();

  // A copy keeps the other's path and enters COM on the calling thread for its own lifetime, as
  // every constructor does (TQ::CTqOleException when it cannot). Assignment copies the path only.
  CComponentXML(const CComponentXML& other);
  CComponentXML& operator=(const CComponentXML& other);

  CString GetFilePath() const;

  // Loads the file and assigns every field the format carries: the three flags, the five texts,
  // the twelve lists, the sections and the sources (absent parts as false, empty, empty lists).
  // Selected, WycInstrRequried, InVXIPNP, HasImportLibrary and the two link lists stay as they
  // are. Every failure is a COleException thrown by pointer: E_FAIL for a missing, unreadable or
  // malformed file (nothing assigned then), the DOM's own result for any later DOM failure, and
  // TQ::CTqOleException when no DOM document can be created.
  void Read(CComponent& component);

  // Writes the record as a description file at the path: the declaration, the root "Component"
  // with the catalogue's namespace, then every element of the format in its order, the three
  // flags as "1" or "0", every list container even when empty. The whole document is built in
  // memory and saved in one step, which replaces the file only once all of it is written.
  // Failures are COleExceptions thrown by pointer with the failing HRESULT (E_FAIL for a text the
  // format cannot hold, such as a control character); TQ::CTqOleException when no DOM document
  // can be created. A failure leaves the file as it was.
  void Save(const CComponent& component);

 private:
  // The element writers: each appends what it builds to the document element.
  static void WriteBoolElement(IXMLDOMDocument* document, LPCTSTR name, bool value);
  static void WriteTextElement(IXMLDOMDocument* document, LPCTSTR name, const CString& text);
  static void WriteStringList(IXMLDOMDocument* document, LPCTSTR containerName, LPCTSTR itemName,
                              const std::vector<CString>& list);
  static void WriteSections(IXMLDOMDocument* document, const std::vector<ComponentSection>& sections);
  static void WriteSources(IXMLDOMDocument* document, const std::vector<ComponentSource>& sources);
  // Appends to `container` one element named `containerName` per setting, holding an element
  // named `itemName` with the setting's text, then appends `container` to `parent`.
  static void WriteSourceSettingList(const std::vector<CString>& list, IXMLDOMDocument* document,
                                     IXMLDOMElement* parent, IXMLDOMElement* container, LPCTSTR containerName,
                                     LPCTSTR itemName);

  CString m_filePath;
};
