// TqMFCDLLAppWizard.dll: the MFC DLL plug-in's one object, its entry and its export GetAppWizard.
#include "stdafx.h"

#include "bridge/VSApplication.h"
#include "mfcdll/MFCDLLAppWizard.h"
#include "plugin/AppWizardPlugIn.h"

namespace {

CMFCDLLAppWizard theAppWizard;

}  // namespace

APPWIZARD_PLUGIN_ENTRY(theAppWizard)
