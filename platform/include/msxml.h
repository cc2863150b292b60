// The XML DOM of the platform (class DOMDocument): the document, node, node-list, named-node-map,
// element, attribute, character-data, text, CDATA, comment, processing-instruction and parse-
// error interfaces, with their identifiers. Every string is a BSTR (UTF-16).
//
// Methods answer the documented results: S_OK, S_FALSE with a null out-value where there is
// nothing to return (no next sibling, no match, no such attribute), E_INVALIDARG for a null
// out-pointer or argument. What the stand-in does not model answers E_NOTIMPL and is recorded
// as an unmodelled call.
//
// Loading is synchronous and local: load takes a Windows path or a "file:" URL whose path is
// used literally ('#' and '%' included); network URLs fail. Nothing outside the document is ever
// read: a document that declares an external DTD or an external entity fails to load with a
// parse error, whatever resolveExternals says. A document with an internal DTD loads only with
// validateOnParse off (validation is not modelled).
#pragma once

#include "oaidl.h"
#include "objbase.h"
#include "oleauto.h"

typedef enum tagDOMNodeType {
  NODE_INVALID = 0,
  NODE_ELEMENT = 1,
  NODE_ATTRIBUTE = 2,
  NODE_TEXT = 3,
  NODE_CDATA_SECTION = 4,
  NODE_ENTITY_REFERENCE = 5,
  NODE_ENTITY = 6,
  NODE_PROCESSING_INSTRUCTION = 7,
  NODE_COMMENT = 8,
  NODE_DOCUMENT = 9,
  NODE_DOCUMENT_TYPE = 10,
  NODE_DOCUMENT_FRAGMENT = 11,
  NODE_NOTATION = 12,
} DOMNodeType;

struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;
struct IXMLDOMDocument;
struct IXMLDOMElement;
struct IXMLDOMAttr;
struct IXMLDOMText;
struct IXMLDOMComment;
struct IXMLDOMCDATASection;
struct IXMLDOMProcessingInstruction;
struct IXMLDOMParseError;
// Named by the document interface; not modelled.
struct IXMLDOMDocumentType;
struct IXMLDOMImplementation;
struct IXMLDOMDocumentFragment;
struct IXMLDOMEntityReference;

// A node of the tree. Properties of node types that do not have them answer S_FALSE and null.
STANDIN_INTERFACE(IXMLDOMNode, "2933BF80-7B36-11D2-B20E-00C04F983E60") : public IDispatch {
  STDMETHOD(get_nodeName)(BSTR * name) = 0;
  STDMETHOD(get_nodeValue)(VARIANT * value) = 0;
  STDMETHOD(put_nodeValue)(VARIANT value) = 0;
  STDMETHOD(get_nodeType)(DOMNodeType * type) = 0;
  STDMETHOD(get_parentNode)(IXMLDOMNode * *parent) = 0;
  STDMETHOD(get_childNodes)(IXMLDOMNodeList * *childList) = 0;
  STDMETHOD(get_firstChild)(IXMLDOMNode * *firstChild) = 0;
  STDMETHOD(get_lastChild)(IXMLDOMNode * *lastChild) = 0;
  STDMETHOD(get_previousSibling)(IXMLDOMNode * *previousSibling) = 0;
  STDMETHOD(get_nextSibling)(IXMLDOMNode * *nextSibling) = 0;
  STDMETHOD(get_attributes)(IXMLDOMNamedNodeMap * *attributeMap) = 0;
  STDMETHOD(insertBefore)(IXMLDOMNode * newChild, VARIANT refChild, IXMLDOMNode * *outNewChild) = 0;
  STDMETHOD(replaceChild)(IXMLDOMNode * newChild, IXMLDOMNode * oldChild, IXMLDOMNode * *outOldChild) = 0;
  STDMETHOD(removeChild)(IXMLDOMNode * childNode, IXMLDOMNode * *oldChild) = 0;
  STDMETHOD(appendChild)(IXMLDOMNode * newChild, IXMLDOMNode * *outNewChild) = 0;
  STDMETHOD(hasChildNodes)(VARIANT_BOOL * hasChild) = 0;
  STDMETHOD(get_ownerDocument)(IXMLDOMDocument * *XMLDOMDocument) = 0;
  STDMETHOD(cloneNode)(VARIANT_BOOL deep, IXMLDOMNode * *cloneRoot) = 0;
  STDMETHOD(get_nodeTypeString)(BSTR * nodeType) = 0;
  STDMETHOD(get_text)(BSTR * text) = 0;
  STDMETHOD(put_text)(BSTR text) = 0;
  STDMETHOD(get_specified)(VARIANT_BOOL * isSpecified) = 0;
  STDMETHOD(get_definition)(IXMLDOMNode * *definitionNode) = 0;
  STDMETHOD(get_nodeTypedValue)(VARIANT * typedValue) = 0;
  STDMETHOD(put_nodeTypedValue)(VARIANT typedValue) = 0;
  STDMETHOD(get_dataType)(VARIANT * dataTypeName) = 0;
  STDMETHOD(put_dataType)(BSTR dataTypeName) = 0;
  STDMETHOD(get_xml)(BSTR * xmlString) = 0;
  STDMETHOD(transformNode)(IXMLDOMNode * stylesheet, BSTR * xmlString) = 0;
  STDMETHOD(selectNodes)(BSTR queryString, IXMLDOMNodeList * *resultList) = 0;
  STDMETHOD(selectSingleNode)(BSTR queryString, IXMLDOMNode * *resultNode) = 0;
  STDMETHOD(get_parsed)(VARIANT_BOOL * isParsed) = 0;
  STDMETHOD(get_namespaceURI)(BSTR * namespaceURI) = 0;
  STDMETHOD(get_prefix)(BSTR * prefixString) = 0;
  STDMETHOD(get_baseName)(BSTR * nameString) = 0;
  STDMETHOD(transformNodeToObject)(IXMLDOMNode * stylesheet, VARIANT outputObject) = 0;

 protected:
  ~IXMLDOMNode() = default;
};

// An ordered list of nodes: item(i) answers S_FALSE and null past the end.
STANDIN_INTERFACE(IXMLDOMNodeList, "2933BF82-7B36-11D2-B20E-00C04F983E60") : public IDispatch {
  STDMETHOD(get_item)(LONG index, IXMLDOMNode * *listItem) = 0;
  STDMETHOD(get_length)(LONG * listLength) = 0;
  STDMETHOD(nextNode)(IXMLDOMNode * *nextItem) = 0;
  STDMETHOD(reset)() = 0;
  STDMETHOD(get__newEnum)(IUnknown * *ppUnk) = 0;

 protected:
  ~IXMLDOMNodeList() = default;
};

// The attributes of an element, by name or position.
STANDIN_INTERFACE(IXMLDOMNamedNodeMap, "2933BF83-7B36-11D2-B20E-00C04F983E60") : public IDispatch {
  STDMETHOD(getNamedItem)(BSTR name, IXMLDOMNode * *namedItem) = 0;
  STDMETHOD(setNamedItem)(IXMLDOMNode * newItem, IXMLDOMNode * *nameItem) = 0;
  STDMETHOD(removeNamedItem)(BSTR name, IXMLDOMNode * *namedItem) = 0;
  STDMETHOD(get_item)(LONG index, IXMLDOMNode * *listItem) = 0;
  STDMETHOD(get_length)(LONG * listLength) = 0;
  STDMETHOD(getQualifiedItem)(BSTR baseName, BSTR namespaceURI, IXMLDOMNode * *qualifiedItem) = 0;
  STDMETHOD(removeQualifiedItem)(BSTR baseName, BSTR namespaceURI, IXMLDOMNode * *qualifiedItem) = 0;
  STDMETHOD(nextNode)(IXMLDOMNode * *nextItem) = 0;
  STDMETHOD(reset)() = 0;
  STDMETHOD(get__newEnum)(IUnknown * *ppUnk) = 0;

 protected:
  ~IXMLDOMNamedNodeMap() = default;
};

// The document: loading, saving, creating nodes, and the load options.
STANDIN_INTERFACE(IXMLDOMDocument, "2933BF81-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMNode {
  STDMETHOD(get_doctype)(IXMLDOMDocumentType * *documentType) = 0;
  STDMETHOD(get_implementation)(IXMLDOMImplementation * *impl) = 0;
  STDMETHOD(get_documentElement)(IXMLDOMElement * *DOMElement) = 0;
  STDMETHOD(putref_documentElement)(IXMLDOMElement * DOMElement) = 0;
  STDMETHOD(createElement)(BSTR tagName, IXMLDOMElement * *element) = 0;
  STDMETHOD(createDocumentFragment)(IXMLDOMDocumentFragment * *docFrag) = 0;
  STDMETHOD(createTextNode)(BSTR data, IXMLDOMText * *text) = 0;
  STDMETHOD(createComment)(BSTR data, IXMLDOMComment * *comment) = 0;
  STDMETHOD(createCDATASection)(BSTR data, IXMLDOMCDATASection * *cdata) = 0;
  STDMETHOD(createProcessingInstruction)(BSTR target, BSTR data, IXMLDOMProcessingInstruction * *pi) = 0;
  STDMETHOD(createAttribute)(BSTR name, IXMLDOMAttr * *attribute) = 0;
  STDMETHOD(createEntityReference)(BSTR name, IXMLDOMEntityReference * *entityRef) = 0;
  STDMETHOD(getElementsByTagName)(BSTR tagName, IXMLDOMNodeList * *resultList) = 0;
  STDMETHOD(createNode)(VARIANT Type, BSTR name, BSTR namespaceURI, IXMLDOMNode * *node) = 0;
  STDMETHOD(nodeFromID)(BSTR idString, IXMLDOMNode * *node) = 0;
  STDMETHOD(load)(VARIANT xmlSource, VARIANT_BOOL * isSuccessful) = 0;
  STDMETHOD(get_readyState)(LONG * value) = 0;
  STDMETHOD(get_parseError)(IXMLDOMParseError * *errorObj) = 0;
  STDMETHOD(get_url)(BSTR * urlString) = 0;
  STDMETHOD(get_async)(VARIANT_BOOL * isAsync) = 0;
  STDMETHOD(put_async)(VARIANT_BOOL isAsync) = 0;
  STDMETHOD(abort)() = 0;
  STDMETHOD(loadXML)(BSTR bstrXML, VARIANT_BOOL * isSuccessful) = 0;
  STDMETHOD(save)(VARIANT destination) = 0;
  STDMETHOD(get_validateOnParse)(VARIANT_BOOL * isValidating) = 0;
  STDMETHOD(put_validateOnParse)(VARIANT_BOOL isValidating) = 0;
  STDMETHOD(get_resolveExternals)(VARIANT_BOOL * isResolving) = 0;
  STDMETHOD(put_resolveExternals)(VARIANT_BOOL isResolving) = 0;
  STDMETHOD(get_preserveWhiteSpace)(VARIANT_BOOL * isPreserving) = 0;
  STDMETHOD(put_preserveWhiteSpace)(VARIANT_BOOL isPreserving) = 0;
  STDMETHOD(put_onreadystatechange)(VARIANT readystatechangeSink) = 0;
  STDMETHOD(put_ondataavailable)(VARIANT ondataavailableSink) = 0;
  STDMETHOD(put_ontransformnode)(VARIANT ontransformnodeSink) = 0;

 protected:
  ~IXMLDOMDocument() = default;
};

// Text, CDATA sections and comments.
STANDIN_INTERFACE(IXMLDOMCharacterData, "2933BF84-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMNode {
  STDMETHOD(get_data)(BSTR * data) = 0;
  STDMETHOD(put_data)(BSTR data) = 0;
  STDMETHOD(get_length)(LONG * dataLength) = 0;
  STDMETHOD(substringData)(LONG offset, LONG count, BSTR * data) = 0;
  STDMETHOD(appendData)(BSTR data) = 0;
  STDMETHOD(insertData)(LONG offset, BSTR data) = 0;
  STDMETHOD(deleteData)(LONG offset, LONG count) = 0;
  STDMETHOD(replaceData)(LONG offset, LONG count, BSTR data) = 0;

 protected:
  ~IXMLDOMCharacterData() = default;
};

STANDIN_INTERFACE(IXMLDOMAttr, "2933BF85-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMNode {
  STDMETHOD(get_name)(BSTR * attributeName) = 0;
  STDMETHOD(get_value)(VARIANT * attributeValue) = 0;
  STDMETHOD(put_value)(VARIANT attributeValue) = 0;

 protected:
  ~IXMLDOMAttr() = default;
};

STANDIN_INTERFACE(IXMLDOMElement, "2933BF86-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMNode {
  STDMETHOD(get_tagName)(BSTR * tagName) = 0;
  STDMETHOD(getAttribute)(BSTR name, VARIANT * value) = 0;
  STDMETHOD(setAttribute)(BSTR name, VARIANT value) = 0;
  STDMETHOD(removeAttribute)(BSTR name) = 0;
  STDMETHOD(getAttributeNode)(BSTR name, IXMLDOMAttr * *attributeNode) = 0;
  STDMETHOD(setAttributeNode)(IXMLDOMAttr * DOMAttribute, IXMLDOMAttr * *attributeNode) = 0;
  STDMETHOD(removeAttributeNode)(IXMLDOMAttr * DOMAttribute, IXMLDOMAttr * *attributeNode) = 0;
  STDMETHOD(getElementsByTagName)(BSTR tagName, IXMLDOMNodeList * *resultList) = 0;
  STDMETHOD(normalize)() = 0;

 protected:
  ~IXMLDOMElement() = default;
};

// Text nodes; CDATA sections answer it too.
STANDIN_INTERFACE(IXMLDOMText, "2933BF87-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMCharacterData {
  STDMETHOD(splitText)(LONG offset, IXMLDOMText * *rightHandTextNode) = 0;

 protected:
  ~IXMLDOMText() = default;
};

STANDIN_INTERFACE(IXMLDOMComment, "2933BF88-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMCharacterData {
 protected:
  ~IXMLDOMComment() = default;
};

STANDIN_INTERFACE(IXMLDOMProcessingInstruction, "2933BF89-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMNode {
  STDMETHOD(get_target)(BSTR * name) = 0;
  STDMETHOD(get_data)(BSTR * value) = 0;
  STDMETHOD(put_data)(BSTR value) = 0;

 protected:
  ~IXMLDOMProcessingInstruction() = default;
};

STANDIN_INTERFACE(IXMLDOMCDATASection, "2933BF8A-7B36-11D2-B20E-00C04F983E60") : public IXMLDOMText {
 protected:
  ~IXMLDOMCDATASection() = default;
};

// Why the last load failed: errorCode is 0 after a successful load and non-zero after a failed
// one; line and linepos count from 1.
STANDIN_INTERFACE(IXMLDOMParseError, "3EFAA426-272F-11D2-836F-0000F87A7782") : public IDispatch {
  STDMETHOD(get_errorCode)(LONG * errorCode) = 0;
  STDMETHOD(get_url)(BSTR * urlString) = 0;
  STDMETHOD(get_reason)(BSTR * reasonString) = 0;
  STDMETHOD(get_srcText)(BSTR * sourceString) = 0;
  STDMETHOD(get_line)(LONG * lineNumber) = 0;
  STDMETHOD(get_linepos)(LONG * linePosition) = 0;
  STDMETHOD(get_filepos)(LONG * filePosition) = 0;

 protected:
  ~IXMLDOMParseError() = default;
};

inline constexpr const IID& IID_IXMLDOMNode = __uuidof(IXMLDOMNode);
inline constexpr const IID& IID_IXMLDOMNodeList = __uuidof(IXMLDOMNodeList);
inline constexpr const IID& IID_IXMLDOMNamedNodeMap = __uuidof(IXMLDOMNamedNodeMap);
inline constexpr const IID& IID_IXMLDOMDocument = __uuidof(IXMLDOMDocument);
inline constexpr const IID& IID_IXMLDOMCharacterData = __uuidof(IXMLDOMCharacterData);
inline constexpr const IID& IID_IXMLDOMAttr = __uuidof(IXMLDOMAttr);
inline constexpr const IID& IID_IXMLDOMElement = __uuidof(IXMLDOMElement);
inline constexpr const IID& IID_IXMLDOMText = __uuidof(IXMLDOMText);
inline constexpr const IID& IID_IXMLDOMComment = __uuidof(IXMLDOMComment);
inline constexpr const IID& IID_IXMLDOMProcessingInstruction = __uuidof(IXMLDOMProcessingInstruction);
inline constexpr const IID& IID_IXMLDOMCDATASection = __uuidof(IXMLDOMCDATASection);
inline constexpr const IID& IID_IXMLDOMParseError = __uuidof(IXMLDOMParseError);

// The DOMDocument class (ProgID "Microsoft.XMLDOM").
DEFINE_GUID(CLSID_DOMDocument, 0x2933BF90, 0x7B36, 0x11D2, 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60);
struct DOMDocument;
STANDIN_UUID(DOMDocument, "2933BF90-7B36-11D2-B20E-00C04F983E60");
