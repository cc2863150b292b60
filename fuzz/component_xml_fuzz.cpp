// Component description files, read by the catalogue's reader through the DOM stand-in; a document
// the DOM accepts is written back as markup, which must load again into the same markup.
#include <comdef.h>
#include <afxdisp.h>
#include <msxml.h>

#include <string>

#include "ComponentXML.h"
#include "harness.h"

_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, __uuidof(IXMLDOMDocument));

namespace {

IXMLDOMDocumentPtr NewDocument() {
  IXMLDOMDocumentPtr document;
  if (FAILED(::CoCreateInstance(CLSID_DOMDocument, NULL, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                reinterpret_cast<void**>(&document))))
    fuzz::Finding("no DOM document");
  return document;
}

std::u16string Markup(IXMLDOMDocumentPtr& document) {
  BSTR text = NULL;
  fuzz::Check(SUCCEEDED(document->get_xml(&text)), "a loaded document gives no markup");
  std::u16string markup(text != NULL ? text : u"", text != NULL ? ::SysStringLen(text) : 0);
  ::SysFreeString(text);
  return markup;
}

void CheckMarkupRoundTrip(const std::string& path) {
  IXMLDOMDocumentPtr document = NewDocument();
  const std::u16string url = u"file:///" + std::u16string(path.begin(), path.end());
  const _variant_t source(url.c_str());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  document->put_async(VARIANT_FALSE);
  document->load(source, &loaded);
  if (loaded != VARIANT_TRUE) return;
  const std::u16string markup = Markup(document);
  IXMLDOMDocumentPtr again = NewDocument();
  BSTR text = ::SysAllocStringLen(markup.data(), static_cast<UINT>(markup.size()));
  VARIANT_BOOL reloaded = VARIANT_FALSE;
  again->loadXML(text, &reloaded);
  ::SysFreeString(text);
  fuzz::Check(reloaded == VARIANT_TRUE, "the markup of a loaded document does not load");
  fuzz::Check(Markup(again) == markup, "the markup of a loaded document loads as other markup");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  static const bool inCom = SUCCEEDED(::CoInitialize(NULL));
  fuzz::Check(inCom, "COM cannot be entered");
  const std::string path = fuzz::PutInput("Component.xml", data, size);
  CComponent component;
  // Every failure of the reader is a COleException (a TQ::CTqOleException is one).
  fuzz::Accepted([&] { CComponentXML(path.c_str()).Read(component); },
                 [](CException* e) { return fuzz::IsOneOf<COleException>(e); });
  CheckMarkupRoundTrip(path);
  fuzz::CheckNoHandles();
  return 0;
}
