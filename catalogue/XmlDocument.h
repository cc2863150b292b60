// The XML DOM document through which description files are read and written.
#pragma once

#include "stdafx.h"

struct IXMLDOMDocument;

// A new DOMDocument from any server the platform offers for it (in-process server or handler,
// or local server), put into its running state and asked for IXMLDOMDocument. The failing
// HRESULT of any of the three steps; *document is set only on success.
HRESULT CreateXmlDocument(IXMLDOMDocument** document);
