#include "stdafx.h"

#include "host/AppWizardsLoader.h"

#include "InformationDepot.h"
#include "TqException.h"
#include "host/SablewingAppWizardAppWiz.h"
#include "plugin/CustomAppWizard.h"

namespace {

const LPCTSTR kSlotNames[CAppWizardsLoader::slotCount] = {"TQ MFC EXE AppWizard", "TQ MFC DLL AppWizard",
                                                          "TQ Wyc AppWizard"};

}  // namespace

CAppWizardsLoader::CAppWizardsLoader(CSablewingAppWizardAppWiz* pHost, CInformationDepot* pDepot)
    : m_pHost(pHost), m_pDepot(pDepot), m_bLoaded(false) {}

CAppWizardsLoader::~CAppWizardsLoader() {}

LPCTSTR CAppWizardsLoader::SlotName(int slot) { return kSlotNames[slot]; }

bool CAppWizardsLoader::LoadAll() {
  if (m_bLoaded) return true;
  // Without a product folder the plug-in folder's name would be a relative one.
  if (m_pDepot->GetProductPath().IsEmpty()) return m_bLoaded;
  const CPath folder = m_pDepot->GetAppWizardsPath();
  if (folder.IsEmpty()) return m_bLoaded;

  // Every file is reached by its full path: the current directory stays the process's own.
  WIN32_FIND_DATA data;
  const HANDLE find = ::FindFirstFile((folder + "*.dll").GetString(), &data);
  if (find == INVALID_HANDLE_VALUE) return m_bLoaded;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    Probe((folder + data.cFileName).GetString());
  } while (::FindNextFile(find, &data));
  ::FindClose(find);
  return m_bLoaded;
}

// One file of the folder: a temporary loader asks it for its object; each slot whose name the
// object carries takes the file's path (a slot keeps the object it holds already). The temporary
// loader's own hold on the DLL goes with it; a matched DLL stays loaded through its slot.
void CAppWizardsLoader::Probe(const CString& path) {
  try {
    CAppWizardLoader probe(path);
    const CCustomAppWizard* pAppWizard = probe.GetAppWizard(m_pHost, m_pDepot);
    if (pAppWizard == NULL) return;
    const CString name = pAppWizard->GetName();
    for (int slot = 0; slot < slotCount; ++slot) {
      if (name != kSlotNames[slot]) continue;
      m_slots[slot].SetPath(path);
      m_slots[slot].GetAppWizard(m_pHost, m_pDepot);
      m_bLoaded = true;
    }
  } catch (TQ::CTqSystemException* e) {
    // Not a module, not loadable, or without the export: no plug-in.
    e->Delete();
  }
}

CCustomAppWizard* CAppWizardsLoader::GetSlotAppWizard(int slot) {
  if (!m_bLoaded) LoadAll();
  return m_slots[slot].GetAppWizard(m_pHost, m_pDepot);
}

CCustomAppWizard* CAppWizardsLoader::GetMfcExeAppWizard() { return GetSlotAppWizard(slotMfcExe); }
CCustomAppWizard* CAppWizardsLoader::GetMfcDllAppWizard() { return GetSlotAppWizard(slotMfcDll); }
CCustomAppWizard* CAppWizardsLoader::GetWycAppWizard() { return GetSlotAppWizard(slotWyc); }
