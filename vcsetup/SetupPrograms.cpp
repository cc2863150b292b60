// The two set-up programs (SetupPrograms.h).
#include "stdafx.h"
#include "SetupPrograms.h"

#include <objmodel/appauto.h>

#include "ConfigureVisualCpp.h"
#include "InstallId.h"
#include "VCSetupResource.h"

namespace
{

const char PROG_ID[] = "MSDEV.Application";

// Enters a single-threaded apartment and finds the class of Developer Studio's application.
// FALSE when either fails; the apartment is then left again.
BOOL FindDeveloperStudio(CLSID& clsid)
{
    OLECHAR progId[sizeof PROG_ID];
    if (MultiByteToWideChar(CP_ACP, 0, PROG_ID, -1, progId, sizeof PROG_ID) == 0)
        return FALSE;
    if (FAILED(CoInitialize(NULL)))
        return FALSE;
    if (FAILED(CLSIDFromProgID(progId, &clsid)))
    {
        CoUninitialize();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int SablewingStartVC()
{
    CLSID clsid;
    if (!FindDeveloperStudio(clsid))
        return 1;

    DWORD machineId = 0;
    DWORD userId = 0;
    const BOOL haveMachineId = ReadMachineInstallId(machineId);
    const BOOL haveUserId = ReadUserInstallId(userId);
    if (!haveMachineId || !haveUserId || machineId != userId)
    {
        const int result = ConfigureVisualCpp(clsid);
        // The program ends at once; the apartment goes with it.
        if (result == CONFIGURE_CANCELLED)
            return 2;
        // After a failed step the id stays as it was, so the next start configures again.
        if (result == CONFIGURE_DONE && haveMachineId)
            RecordUserInstallId(machineId);
    }

    // Developer Studio then runs on its own; a failure to start it is not reported.
    IApplication* application = NULL;
    if (SUCCEEDED(CoCreateInstance(clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                                   reinterpret_cast<void**>(&application))))
    {
        application->put_Visible(VARIANT_TRUE);
        application->Release();
    }
    CoUninitialize();
    return 0;
}

int SablewingSetupVC()
{
    CLSID clsid;
    if (!FindDeveloperStudio(clsid))
        return 0;

    const int result = ConfigureVisualCpp(clsid);
    if (result == CONFIGURE_CANCELLED)
        return 2;
    // Recorded after a failed step too: the starter does not repeat what the user saw fail here.
    DWORD machineId = 0;
    if (ReadMachineInstallId(machineId))
        RecordUserInstallId(machineId);
    CoUninitialize();

    if (result == CONFIGURE_DONE)
    {
        CString text;
        CString caption;
        text.LoadString(IDS_VCSETUP_DONE);
        caption.LoadString(IDS_VCSETUP_CAPTION);
        ::MessageBox(NULL, text, caption, MB_OK);
    }
    return 0;
}
