#include "stdafx.h"

#include "host/AppWizardLoader.h"

#include "plugin/CustomAppWizard.h"

namespace {

typedef CCustomAppWizard* (*GetAppWizardFunction)();

}  // namespace

CAppWizardLoader::CAppWizardLoader(CString path) : m_strPath(path), m_pAppWizard(NULL), m_bBound(false) {}

CAppWizardLoader::~CAppWizardLoader() { m_pAppWizard = NULL; }

CCustomAppWizard* CAppWizardLoader::GetAppWizard(CCustomAppWiz* pHost, CInformationDepot* pDepot) {
  if (m_pAppWizard != NULL) return m_pAppWizard;
  if (m_strPath.IsEmpty()) return NULL;
  if (m_hModule.GetHandle() == NULL) m_hModule.Attach(AfxLoadLibrary(m_strPath));
  FARPROC proc = ::GetProcAddress(m_hModule, "GetAppWizard");
  if (proc == NULL) TQ::ThrowSystemException(::GetLastError());
  CCustomAppWizard* pAppWizard = reinterpret_cast<GetAppWizardFunction>(reinterpret_cast<void (*)()>(proc))();
  // A DLL that hands out no object is no plug-in: nothing to write the host and depot into.
  if (pAppWizard == NULL) return NULL;
  m_pAppWizard = pAppWizard;
  m_pAppWizard->m_pHostWizard = pHost;
  m_pAppWizard->m_pDepot = pDepot;
  m_bBound = true;
  return m_pAppWizard;
}
