// WycAppWiz.dll: the Wyc plug-in of the custom AppWizard, an MFC extension DLL exporting
// GetAppWizard, over its one plug-in object.
#include "stdafx.h"

#include "WycAppWiz/WycAppWiz.h"
#include "WycAppWiz/resource.h"
#include "plugin/AppWizardPlugIn.h"

// The message of a run-time engine that cannot be bound, in this module's string table.
extern const UINT g_nUIREngineMessageId = IDS_UIR_ENGINE_MISSING;

static CWycAppWiz theAppWizard;
APPWIZARD_PLUGIN_ENTRY(theAppWizard)
