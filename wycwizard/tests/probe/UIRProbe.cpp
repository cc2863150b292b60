// UIRProbe.dll: the .uir reader and the table writer as a module that carries them, loaded fresh
// by the tests that need the engine binding to start untried (it is made once per module).
#include <afx.h>

#include "uir/UIR.h"
#include "uir/UIRMgr.h"

#include "resource.h"

extern const UINT g_nUIREngineMessageId = IDS_UIR_ENGINE_MISSING;

#define PROBE_ENTRY extern "C" __attribute__((visibility("default")))

// -1 when the engine is bound, else the CUIRExc thrown.
PROBE_ENTRY int ProbeLoadRunTimeEngine() {
  try {
    CUIR::LoadRunTimeEngine();
    return -1;
  } catch (CUIRExc e) {
    return e;
  }
}

// -1 when the file was read, else the CUIRExc thrown.
PROBE_ENTRY int ProbeReadCallbacks(const char* path) {
  try {
    CUIR reader;
    reader.ReadCallbacks(path);
    return -1;
  } catch (CUIRExc e) {
    return e;
  }
}

// -1 when the table was written for no .uir files, else the CUIRMgrExc thrown.
PROBE_ENTRY int ProbeWriteTableFile(const char* tableFile) {
  try {
    CUIRMgr manager;
    manager.SetTableFile(tableFile);
    manager.WriteTableFile();
    return -1;
  } catch (CUIRMgrExc e) {
    return e;
  }
}
