// One plug-in DLL of the host: its path, the plug-in object its GetAppWizard export handed out,
// and the DLL itself, held while the loader lives.
#pragma once

#include "stdafx.h"

#include "TqWinHandle.h"

class CCustomAppWizard;
class CInformationDepot;

class CAppWizardLoader : public CObject {
 public:
  explicit CAppWizardLoader(CString path = CString());
  // Forgets the object and frees the DLL when this loader loaded it.
  ~CAppWizardLoader() override;

  // Replaces the path only: a DLL already loaded and its object stay.
  void SetPath(CString path) { m_strPath = path; }

  // The DLL's plug-in object, with the host and the depot written into it. An object obtained
  // earlier is returned as it is. Null for an empty path, and for a DLL whose GetAppWizard hands
  // out none (it is no plug-in). A DLL that cannot be loaded or lacks the export throws
  // CTqSystemException with the last error.
  CCustomAppWizard* GetAppWizard(CCustomAppWiz* pHost, CInformationDepot* pDepot);

  const CString& GetPath() const { return m_strPath; }
  HINSTANCE GetModule() const { return m_hModule; }
  bool IsBound() const { return m_bBound; }

 private:
  CString m_strPath;
  CCustomAppWizard* m_pAppWizard;
  TQ::CTqWinHandle<HINSTANCE, AfxFreeLibrary, 0> m_hModule;
  bool m_bBound;
};
