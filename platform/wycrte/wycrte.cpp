// wycrte.dll, the Wyc run-time engine: the eight entry points the program binds by name, with the
// C calling convention, ints and pointers. Each forwards to the engine module, which is one per
// process and holds the loaded panels and menu bars.
#include "engine.h"

#define WYCRTE_ENTRY extern "C" __attribute__((visibility("default")))

WYCRTE_ENTRY int SetSystemAttribute(int attribute, int value) { return wycrtecore::SetSystemAttribute(attribute, value); }
WYCRTE_ENTRY int LoadPanel(int parentPanel, const char* file, int index) {
  return wycrtecore::LoadPanel(parentPanel, file, index);
}
WYCRTE_ENTRY int GetPanelAttribute(int panel, int attribute, void* value) {
  return wycrtecore::GetPanelAttribute(panel, attribute, value);
}
WYCRTE_ENTRY int GetCtrlAttribute(int panel, int control, int attribute, void* value) {
  return wycrtecore::GetCtrlAttribute(panel, control, attribute, value);
}
WYCRTE_ENTRY int DiscardPanel(int panel) { return wycrtecore::DiscardPanel(panel); }
WYCRTE_ENTRY int LoadMenuBar(int parentPanel, const char* file, int index) {
  return wycrtecore::LoadMenuBar(parentPanel, file, index);
}
WYCRTE_ENTRY int GetMenuBarAttribute(int menuBar, int item, int attribute, void* value) {
  return wycrtecore::GetMenuBarAttribute(menuBar, item, attribute, value);
}
WYCRTE_ENTRY int DiscardMenuBar(int menuBar) { return wycrtecore::DiscardMenuBar(menuBar); }
