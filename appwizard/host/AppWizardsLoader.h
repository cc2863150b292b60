// The plug-ins of the host: the DLLs of the product's "appwizards" folder whose objects carry one
// of the three names the host knows, one slot each.
#pragma once

#include "stdafx.h"

#include "host/AppWizardLoader.h"

class CCustomAppWizard;
class CInformationDepot;
class CSablewingAppWizardAppWiz;

class CAppWizardsLoader {
 public:
  enum Slot { slotMfcExe, slotMfcDll, slotWyc, slotCount };

  CAppWizardsLoader(CSablewingAppWizardAppWiz* pHost, CInformationDepot* pDepot);
  // Destroys the slots, the last first, each freeing its DLL.
  virtual ~CAppWizardsLoader();

  // Scans the plug-in folder once: true when a slot was filled, now or before. A product path
  // that is not known means no plug-in folder (false); the process's current directory is never
  // changed. DLLs that are no plug-ins are skipped.
  bool LoadAll();

  // The slot's plug-in object (scanning first when nothing was found yet); null when the slot
  // has none.
  CCustomAppWizard* GetMfcExeAppWizard();
  CCustomAppWizard* GetMfcDllAppWizard();
  CCustomAppWizard* GetWycAppWizard();

  // The names the slots stand for, matched exactly against a plug-in object's name.
  static LPCTSTR SlotName(int slot);
  const CAppWizardLoader& GetSlot(int slot) const { return m_slots[slot]; }

 private:
  CCustomAppWizard* GetSlotAppWizard(int slot);
  void Probe(const CString& path);

  CAppWizardLoader m_slots[slotCount];
  CSablewingAppWizardAppWiz* m_pHost;
  CInformationDepot* m_pDepot;
  bool m_bLoaded;
};
