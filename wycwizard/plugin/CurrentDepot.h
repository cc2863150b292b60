// The installation-information depot the module works with: the host's, lent to the plug-in. The
// step-dialog base sets it when the plug-in starts; the Wyc project reader takes its base folders
// from it. Null until set; one per module.
#pragma once

class CInformationDepot;

extern CInformationDepot* g_pCurrentDepot;
