// What the engine library (wycrte.dll) calls in the engine module: one function per entry point.
// The engine module is one per process, so every copy of the library reaches the same panels, and
// it carries the sandbox's control of them (sandbox/wycrte.h).
#pragma once

#define WYCRTECORE_API __attribute__((visibility("default")))

namespace wycrtecore {

WYCRTECORE_API int SetSystemAttribute(int attribute, int value);
WYCRTECORE_API int LoadPanel(int parentPanel, const char* file, int index);
WYCRTECORE_API int GetPanelAttribute(int panel, int attribute, void* value);
WYCRTECORE_API int GetCtrlAttribute(int panel, int control, int attribute, void* value);
WYCRTECORE_API int DiscardPanel(int panel);
WYCRTECORE_API int LoadMenuBar(int parentPanel, const char* file, int index);
WYCRTECORE_API int GetMenuBarAttribute(int menuBar, int item, int attribute, void* value);
WYCRTECORE_API int DiscardMenuBar(int menuBar);

}  // namespace wycrtecore
