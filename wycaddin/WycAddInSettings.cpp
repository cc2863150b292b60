// CHgWycAddIn: the command Settings, which switches the table's upkeep on or off for the active
// project and chooses the table file.
#include "stdafx.h"

#include <comutil.h>

#include "ErrorBox.h"
#include "SettingsDlg.h"
#include "WycAddIn.h"
#include "resource.h"
#include "uir/UIRMgr.h"

namespace {

// Whether the file opens for reading and writing, made when it is not there (what is in it
// stays).
BOOL CanOpenTableFile(const CString& path) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite)) return FALSE;
  file.Close();
  return TRUE;
}

// Deletes a file; one that is gone already is no failure. Another failure throws the file
// exception.
void RemoveFile(const CString& path) {
  try {
    CFile::Remove(path);
  } catch (CFileException* e) {
    if (e->m_cause != CFileException::fileNotFound) throw;
    e->Delete();
  }
}

}  // namespace

// A change is marked dirty before it is carried out, so that a failure on the way leaves it to
// the next build to save.
STDMETHODIMP CHgWycAddIn::Settings() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (m_pApplication == NULL) return S_OK;
  try {
    RefreshProject();

    CSettingsDlg dlg;
    dlg.m_bHasProject = m_bHasProject;
    dlg.m_bMaintainTable = m_bEnabled;
    if (m_bEnabled) dlg.m_strTableFile = m_pUIRMgr->GetTableFile();
    dlg.m_strProjectName = m_strProjectName;
    dlg.m_strProjectDir = m_strProjectDir;
    CModelessDisabled modeless(m_pApplication);

    BOOL bChanged = FALSE;
    for (;;) {
      if (dlg.DoModal() != IDOK) break;
      if (!dlg.m_bMaintainTable) {
        if (m_bEnabled) {
          m_bEnabled = FALSE;
          m_pUIRMgr->Clear();
          RemoveFile(StateFilePath());
        }
        break;
      }
      if (m_bEnabled) {
        const CString oldTableFile = m_pUIRMgr->GetTableFile();
        if (dlg.m_strTableFile == oldTableFile) break;
        if (!CanOpenTableFile(dlg.m_strTableFile)) {
          AfxMessageBox(IDS_CANNOT_CREATE_TABLE, MB_ICONEXCLAMATION);
          continue;
        }
        CString message;
        AfxFormatString1(message, IDS_REMOVE_OLD_TABLE, oldTableFile);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        RemoveFile(oldTableFile);
        bChanged = TRUE;
        break;
      }
      if (!CanOpenTableFile(dlg.m_strTableFile)) {
        AfxMessageBox(IDS_CANNOT_CREATE_TABLE, MB_ICONEXCLAMATION);
        continue;
      }
      m_bEnabled = TRUE;
      m_pUIRMgr->SetPromptDSPSave(TRUE);
      bChanged = TRUE;
      break;
    }

    if (bChanged) {
      m_bDirty = TRUE;
      m_pUIRMgr->SetTableFile(dlg.m_strTableFile);
      int nCount = 0;
      m_pUIRMgr->ScanProjectFile(m_strProjectDir, ProjectFileName(), nCount);
      WriteTableFile();
      m_pBuildProject->AddFile(_bstr_t(static_cast<LPCTSTR>(dlg.m_strTableFile)), _variant_t());
      SaveProjectState();
    }
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return S_OK;
}
