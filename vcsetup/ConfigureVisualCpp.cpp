// The per-user configuration of Developer Studio (ConfigureVisualCpp.h), step by step in this
// order; each step reports its own failure and the next one runs, except a cancel in the first.
#include "stdafx.h"
#include "ConfigureVisualCpp.h"

#include <objmodel/appauto.h>

#include "PathList.h"
#include "RegistryLists.h"
#include "ToolsMenu.h"
#include "VCSetupResource.h"

namespace
{

const TCHAR VS_SETUP_KEY[] = _T("SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup");
const TCHAR DIRECTORIES_KEY[] =
    _T("SOFTWARE\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories");
const TCHAR ADDIN_KEY[] = _T("Software\\Microsoft\\DevStudio\\6.0\\AddIns\\SablewingAddIn.DSAddIn.1");
const TCHAR PRODUCT_KEY[] = _T("Software\\Vellacott\\Sablewing\\VC");
const TCHAR USER_INFO_KEY[] = _T("Software\\Vellacott\\Sablewing\\6.0\\User Info");
const TCHAR VXIPNP_KEY[] = _T("SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion");
const TCHAR INCLUDE_DIRS[] = _T("Include Dirs");
const TCHAR LIBRARY_DIRS[] = _T("Library Dirs");
// The entry an earlier product put on the Tools menu, which the reference replaces.
const TCHAR OLD_HELP_ENTRY[] = _T("&Tallyforge++ Help");

int Ask(UINT textId, UINT type)
{
    CString text;
    CString caption;
    text.LoadString(textId);
    caption.LoadString(IDS_VCSETUP_CAPTION);
    return ::MessageBox(NULL, text, caption, type);
}

void Report(UINT textId) { Ask(textId, MB_OK); }

BOOL SetString(HKEY key, LPCTSTR name, LPCTSTR text)
{
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(lstrlen(text) + 1)) == ERROR_SUCCESS;
}

// A value of HKEY_LOCAL_MACHINE without one trailing backslash; FALSE when it is missing.
BOOL ReadMachineFolder(LPCTSTR subKey, LPCTSTR name, CString& folder)
{
    if (!ReadRegString(HKEY_LOCAL_MACHINE, subKey, name, folder))
        return FALSE;
    TrimTrailingBackslash(folder);
    return TRUE;
}

// Step 1: Developer Studio holds its program file while it runs, so an exclusive open fails then.
// FALSE when the user cancels.
BOOL DeveloperStudioClosed(const CString& commonDir)
{
    if (commonDir.IsEmpty())
        return TRUE;
    CFile program;
    if (program.Open(commonDir + _T("\\MSDev98\\Bin\\MSDEV.EXE"), CFile::modeReadWrite | CFile::shareExclusive))
    {
        program.Close();
        return TRUE;
    }
    return Ask(IDS_VCSETUP_VC_OPEN, MB_OKCANCEL) != IDCANCEL;
}

// Step 2: Developer Studio writes a user's defaults when it exits for a user who never ran it.
void EnsureDeveloperStudioDefaults(REFCLSID clsid)
{
    CString includeDirs;
    if (ReadRegString(HKEY_CURRENT_USER, DIRECTORIES_KEY, INCLUDE_DIRS, includeDirs))
        return;
    IApplication* application = NULL;
    if (SUCCEEDED(CoCreateInstance(clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                                   reinterpret_cast<void**>(&application))))
    {
        application->Quit();
        application->Release();
    }
}

// Step 3.
BOOL RegisterAddIn(const CString& commonDir)
{
    HKEY key = NULL;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, ADDIN_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key,
                       NULL) != ERROR_SUCCESS)
        return FALSE;
    const BOOL written = SetString(key, NULL, _T("1")) &&
                         SetString(key, _T("Description"), _T("Adds Sablewing functionality to Visual Studio.")) &&
                         SetString(key, _T("DisplayName"), _T("Sablewing Add-in")) &&
                         SetString(key, _T("Filename"), commonDir + _T("\\MSDev98\\AddIns\\SablewingAddIn.dll"));
    RegCloseKey(key);
    return written;
}

// Step 5. FALSE, reported, when the product is not installed or its directories were not added.
BOOL AddProductDirectories()
{
    CString installDir;
    if (!ReadMachineFolder(PRODUCT_KEY, _T("InstallDir"), installDir))
    {
        Report(IDS_VCSETUP_NOT_INSTALLED);
        return FALSE;
    }
    if (AddDirToRegList(HKEY_CURRENT_USER, DIRECTORIES_KEY, INCLUDE_DIRS, installDir + _T("\\Include")) &&
        AddDirToRegList(HKEY_CURRENT_USER, DIRECTORIES_KEY, INCLUDE_DIRS, installDir + _T("\\Instr")) &&
        AddDirToRegList(HKEY_CURRENT_USER, DIRECTORIES_KEY, LIBRARY_DIRS, installDir + _T("\\Lib")))
        return TRUE;
    Report(IDS_VCSETUP_PATHS_NOT_SET);
    return FALSE;
}

// Step 6. The help folder is used as it is read.
BOOL AddReferenceToToolsMenu()
{
    CString helpDir;
    const BOOL added =
        ReadRegString(HKEY_LOCAL_MACHINE, USER_INFO_KEY, _T("Directory"), helpDir) &&
        AddToolsMenuEntry(_T("Sablewing Reference"), helpDir + _T("\\Help\\tqkey.exe"),
                          _T("/f \"") + helpDir + _T("\\Help\\swref.chm\" /k \"$(CurText)\""), _T(""));
    if (!added)
        Report(IDS_VCSETUP_REFERENCE_NOT_ADDED);
    return added;
}

// Step 7. Without the framework there is nothing to add.
BOOL AddFrameworkDirectories()
{
    CString frameworkDir;
    if (!ReadMachineFolder(VXIPNP_KEY, _T("FRAMEWORK_PATH"), frameworkDir))
        return TRUE;
    if (AddDirToRegList(HKEY_CURRENT_USER, DIRECTORIES_KEY, INCLUDE_DIRS, frameworkDir + _T("\\Include")) &&
        AddDirToRegList(HKEY_CURRENT_USER, DIRECTORIES_KEY, LIBRARY_DIRS, frameworkDir + _T("\\lib\\msc")))
        return TRUE;
    Report(IDS_VCSETUP_VXIPNP_PATHS_NOT_SET);
    return FALSE;
}

}  // namespace

int ConfigureVisualCpp(REFCLSID clsid)
{
    // Without the common folder the program file is not looked for, and the add-in's file name
    // has no folder before "\MSDev98".
    CString commonDir;
    ReadMachineFolder(VS_SETUP_KEY, _T("VsCommonDir"), commonDir);
    if (!DeveloperStudioClosed(commonDir))
        return CONFIGURE_CANCELLED;

    EnsureDeveloperStudioDefaults(clsid);

    BOOL ok = TRUE;
    if (!RegisterAddIn(commonDir))
    {
        Report(IDS_VCSETUP_ADDIN_NOT_ENABLED);
        ok = FALSE;
    }
    RemoveToolsMenuEntry(OLD_HELP_ENTRY);
    if (!AddProductDirectories())
        ok = FALSE;
    if (!AddReferenceToToolsMenu())
        ok = FALSE;
    if (!AddFrameworkDirectories())
        ok = FALSE;
    return ok ? CONFIGURE_DONE : CONFIGURE_FAILED;
}
