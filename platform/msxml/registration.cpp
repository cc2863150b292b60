// The DOMDocument class joins the COM library's built-in classes when this module is loaded, so
// CoCreateInstance finds it by CLSID or ProgID as it finds the platform's registered server.
#include <standin_com.h>

#include "document.h"

namespace {

// The version-independent class of the second-generation library ("Msxml2.DOMDocument"); the
// same object serves it.
constexpr CLSID kClsidDomDocument2 = {0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};

[[maybe_unused]] const bool g_registered = [] {
  StandinRegisterClass(CLSID_DOMDocument, "Microsoft.XMLDOM", &msxml::DocumentObject::Create);
  StandinRegisterClass(kClsidDomDocument2, "Msxml2.DOMDocument", &msxml::DocumentObject::Create);
  return true;
}();

}  // namespace
