// Resource ids of TqMFCDLLAppWizard.dll's steps. The module's script also holds the catalogue's
// and the customizer's strings and the failure texts (5004-5060), so those ids stay free here.
#pragma once

#define IDD_APPWIZ_COMPONENT 201
#define IDD_APPWIZ_NO_COMPONENT 210

#define IDC_STEP_TEXT 1000
#define IDC_USE_DEFAULT_COMPONENTS 1019
#define IDC_STEP_COMPONENT_TREE 2002
// The driver download link: the components wizard's number (addin/dialogs/AddinDialogsResource.h).
#define IDC_DOWNLOAD_LINK 5017
