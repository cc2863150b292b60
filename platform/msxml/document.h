// The DOMDocument object: the document node, the owner of every node's memory, and the load
// and save operations with the class's default options (asynchronous loading, validation on
// parse and resolving externals on; white space not preserved).
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "node_objects.h"
#include "xml_parser.h"

namespace msxml {

class ParseErrorObject;

class DocumentObject final : public TreeStore, public NodeObject<IXMLDOMDocument> {
 public:
  // The class's creation function (registered with the COM library).
  static HRESULT Create(REFIID riid, void** ppv);

  Node* NewNode(NodeKind kind) override;

  // A document's own references and those that reach it through its nodes and lists.
  ULONG AddNodeRef();
  ULONG ReleaseNodeRef();
  bool PreservesWhiteSpace() const { return preserveWhiteSpace_; }

  // IUnknown: the document's own count.
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IXMLDOMDocument
  STDMETHODIMP get_doctype(IXMLDOMDocumentType** documentType) override;
  STDMETHODIMP get_implementation(IXMLDOMImplementation** impl) override;
  STDMETHODIMP get_documentElement(IXMLDOMElement** element) override;
  STDMETHODIMP putref_documentElement(IXMLDOMElement* element) override;
  STDMETHODIMP createElement(BSTR tagName, IXMLDOMElement** element) override;
  STDMETHODIMP createDocumentFragment(IXMLDOMDocumentFragment** fragment) override;
  STDMETHODIMP createTextNode(BSTR data, IXMLDOMText** text) override;
  STDMETHODIMP createComment(BSTR data, IXMLDOMComment** comment) override;
  STDMETHODIMP createCDATASection(BSTR data, IXMLDOMCDATASection** cdata) override;
  STDMETHODIMP createProcessingInstruction(BSTR target, BSTR data, IXMLDOMProcessingInstruction** pi) override;
  STDMETHODIMP createAttribute(BSTR name, IXMLDOMAttr** attribute) override;
  STDMETHODIMP createEntityReference(BSTR name, IXMLDOMEntityReference** entityRef) override;
  STDMETHODIMP getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list) override;
  STDMETHODIMP createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) override;
  STDMETHODIMP nodeFromID(BSTR id, IXMLDOMNode** node) override;
  STDMETHODIMP load(VARIANT source, VARIANT_BOOL* isSuccessful) override;
  STDMETHODIMP get_readyState(LONG* value) override;
  STDMETHODIMP get_parseError(IXMLDOMParseError** errorObj) override;
  STDMETHODIMP get_url(BSTR* url) override;
  STDMETHODIMP get_async(VARIANT_BOOL* isAsync) override;
  STDMETHODIMP put_async(VARIANT_BOOL isAsync) override;
  STDMETHODIMP abort() override;
  STDMETHODIMP loadXML(BSTR xml, VARIANT_BOOL* isSuccessful) override;
  STDMETHODIMP save(VARIANT destination) override;
  STDMETHODIMP get_validateOnParse(VARIANT_BOOL* value) override;
  STDMETHODIMP put_validateOnParse(VARIANT_BOOL value) override;
  STDMETHODIMP get_resolveExternals(VARIANT_BOOL* value) override;
  STDMETHODIMP put_resolveExternals(VARIANT_BOOL value) override;
  STDMETHODIMP get_preserveWhiteSpace(VARIANT_BOOL* value) override;
  STDMETHODIMP put_preserveWhiteSpace(VARIANT_BOOL value) override;
  STDMETHODIMP put_onreadystatechange(VARIANT sink) override;
  STDMETHODIMP put_ondataavailable(VARIANT sink) override;
  STDMETHODIMP put_ontransformnode(VARIANT sink) override;

 private:
  DocumentObject();
  ~DocumentObject() override;

  template <class T>
  T* Construct();
  // A new detached node of the kind, named or holding data; E_FAIL for a name XML refuses.
  HRESULT MakeNode(NodeKind kind, std::u16string_view name, std::u16string_view data, IXMLDOMNode** out);

  // Empties the document for a new load; frees the old tree when nothing refers to it.
  void Clear();
  // Parses `bytes` into the (cleared) document; the outcome becomes the parse-error object.
  HRESULT LoadBytes(std::string_view bytes, InputEncoding encoding, std::u16string_view url,
                    VARIANT_BOOL* isSuccessful);
  HRESULT Fail(ParseFailure failure, std::u16string_view url, HRESULT result, VARIANT_BOOL* isSuccessful);
  void SetParseError(ParseFailure failure, std::u16string_view url);

  // Both counts in one word, so that a node's AddRef or Release (a reader makes thousands) is one
  // atomic operation: all references in the low half, those held through nodes and lists in the
  // high half.
  static constexpr uint64_t kNodeRef = uint64_t{1} << 32;
  std::atomic<uint64_t> counts_{1};
  ULONG NodeRefs() const { return static_cast<ULONG>(counts_.load() >> 32); }
  ParseErrorObject* parseError_ = nullptr;
  std::u16string url_;
  bool hasUrl_ = false;
  bool async_ = true;
  bool validateOnParse_ = true;
  bool resolveExternals_ = true;
  bool preserveWhiteSpace_ = false;
};

}  // namespace msxml
