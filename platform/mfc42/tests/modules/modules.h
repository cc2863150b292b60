// What the mfc42 tests share with their test modules: the extension DLLs MfcExtA.dll and
// MfcExtB.dll (one source, extension_dll.cpp, each with its own strings) and the regular DLLs
// MfcRegular.dll and MfcRegularFails.dll (regular_dll.cpp; the second one's InitInstance fails).
#pragma once

// String ids: the test program, both extension DLLs and the regular DLL each hold some of them.
#define IDS_MODULE_NAME 200      // every module: its own name
#define IDS_IN_EXTENSIONS 201    // both extension DLLs, not the program
#define IDS_ONLY_IN_A 202        // MfcExtA.dll only
#define IDS_ONLY_IN_PROGRAM 203  // the test program only
// Dialogs: captioned with their module's name.
#define IDD_MODULE_NAME 210  // the test program and both extension DLLs
#define IDD_ONLY_IN_A 211    // MfcExtA.dll only

#ifndef RC_INVOKED
#include <windows.h>

// ExtensionLoadString(id, buffer, size): CString::LoadString run by the extension DLL's own code,
// copied into the buffer; FALSE when it fails.
typedef BOOL(WINAPI* ExtensionLoadStringProc)(UINT id, char* buffer, int size);
// ExtensionDoModal(id): CDialog(id).DoModal() run by the extension DLL's own code.
typedef int(WINAPI* ExtensionDoModalProc)(UINT id);

// RegularAppName(managed, buffer, size): AfxGetApp()'s name as the DLL's code sees it, in its own
// module state (managed) or in the caller's; "" when there is no application.
typedef void(WINAPI* RegularAppNameProc)(BOOL managed, char* buffer, int size);
// RegularLoadString(id, buffer, size): CString::LoadString in the DLL's own state.
typedef BOOL(WINAPI* RegularLoadStringProc)(UINT id, char* buffer, int size);
// RegularLockApp(lock): AfxOleLockApp (lock) or AfxOleUnlockApp in the DLL's own state.
typedef void(WINAPI* RegularLockAppProc)(BOOL lock);
// The DLL's DllCanUnloadNow: AfxDllCanUnloadNow in its own state.
typedef HRESULT(WINAPI* RegularCanUnloadNowProc)();
#endif  // RC_INVOKED
