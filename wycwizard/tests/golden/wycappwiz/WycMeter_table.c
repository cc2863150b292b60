//------------------------------------------------------------------------------
//     Harrowgate/Wyc User Interface Resource (UIR) Callback Table File         
//                                                                              
// The Harrowgate/Wyc Add-In will maintain this file as you make changes to     
// your application's UIR files. This file is equivalent to the one generated   
// by Harrowgate/Wyc when you select External Compiler Support->Generate UI     
// Callbacks Object File.  Do not modify this file in any way.                  
//------------------------------------------------------------------------------

#pragma pack(4)

typedef struct
{
    char *name;
    void *address;
    unsigned long isFunction:1;
    unsigned long reserved:31;
} ExeSymbol;

int __cdecl MainPanelCB (int panel, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl AboutPanelCB (int panel, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl QuitCB (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl AcquireCB (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl PlotCB (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
void __cdecl MeterMenuCB (int menuBarHandle, int menuItemID, void *callbackData, int panelHandle);
void __cdecl FileOpenCB (int menuBarHandle, int menuItemID, void *callbackData, int panelHandle);
void __cdecl FileSaveCB (int menuBarHandle, int menuItemID, void *callbackData, int panelHandle);
void __cdecl QuitMenuCB (int menuBarHandle, int menuItemID, void *callbackData, int panelHandle);
int __cdecl SetupPanelCB (int panel, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl ApplyCB (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int __cdecl QuitCB (int panel, int control, int event, void *callbackData, int eventData1, int eventData2);

int __UICallbackSymbolCount = 12;

ExeSymbol __UICallbackSymbols [12] = {
{"_MainPanelCB", MainPanelCB, 1, 0},
{"_AboutPanelCB", AboutPanelCB, 1, 0},
{"_QuitCB", QuitCB, 1, 0},
{"_AcquireCB", AcquireCB, 1, 0},
{"_PlotCB", PlotCB, 1, 0},
{"_MeterMenuCB", MeterMenuCB, 1, 0},
{"_FileOpenCB", FileOpenCB, 1, 0},
{"_FileSaveCB", FileSaveCB, 1, 0},
{"_QuitMenuCB", QuitMenuCB, 1, 0},
{"_SetupPanelCB", SetupPanelCB, 1, 0},
{"_ApplyCB", ApplyCB, 1, 0},
{"_QuitCB", QuitCB, 1, 0},
};