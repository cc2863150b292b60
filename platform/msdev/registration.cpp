// The application class joins the COM library's built-in classes when this module is loaded.
// On Windows the IDE is a program of its own that serves its class as a local server; here it
// serves in-process and local-server requests alike. Either way there is one IDE per process:
// CoCreateInstance hands out a new reference to the running one, starting it when none runs.
// Its ProgID "MSDEV.Application" is not built in: as on Windows, it is known where the IDE's
// installation registered it under HKEY_CLASSES_ROOT (MSDEV.Application\CLSID), so a machine
// without that entry answers CLSIDFromProgID with CO_E_CLASSSTRING.
#include <objmodel/appauto.h>
#include <standin_com.h>

#include "ide.h"

namespace {

HRESULT CreateApplication(REFIID riid, void** ppv) { return msdev::Ide::Instance().Application(riid, ppv); }

[[maybe_unused]] const bool g_registered = [] {
  StandinRegisterClassEx(CLSID_Application, nullptr, &CreateApplication,
                         CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER);
  return true;
}();

}  // namespace
