// CHgWycAddIn: the active project it keeps the table of, and the work before each build.
#include "stdafx.h"

#include <comutil.h>

#include <set>
#include <vector>

#include "ErrorBox.h"
#include "SavePromptDlg.h"
#include "WycAddIn.h"
#include "toolbox/FileUtil.h"
#include "uir/UIRMgr.h"

namespace {

const char kUpdatingMessage[] = "Updating Wyc UIR callback table...";

// The project types whose first five characters are "Build" are build projects.
BOOL IsBuildType(BSTR type) {
  static const OLECHAR kBuild[] = u"Build";
  if (type == NULL) return FALSE;
  for (int i = 0; i < 5; ++i)
    if (type[i] != kBuild[i]) return FALSE;
  return TRUE;
}

}  // namespace

// --- The active project -----------------------------------------------------------------------

// A full name longer than a path can be names no project the add-in can keep files beside.
BOOL CHgWycAddIn::GetActiveBuildProject(IBuildProject** ppProject, CString& strFullName) {
  *ppProject = NULL;
  CComPtr<IDispatch> active;
  if (FAILED(m_pApplication->get_ActiveProject(&active)) || !active) return FALSE;
  CComQIPtr<IGenericProject> project(active.p);
  if (!project) return FALSE;
  BSTR type = NULL;
  const BOOL bBuild = SUCCEEDED(project->get_Type(&type)) && IsBuildType(type);
  ::SysFreeString(type);
  if (!bBuild) return FALSE;
  CComQIPtr<IBuildProject> build(active.p);
  if (!build) return FALSE;
  BSTR name = NULL;
  if (FAILED(build->get_FullName(&name)) || name == NULL) {
    ::SysFreeString(name);
    return FALSE;
  }
  const CString fullName = static_cast<const char*>(_bstr_t(name, false));
  if (fullName.IsEmpty() || fullName.GetLength() > MAX_PATH) return FALSE;
  strFullName = fullName;
  *ppProject = build.Detach();
  return TRUE;
}

int CHgWycAddIn::CheckActiveProject() {
  CComPtr<IBuildProject> project;
  CString fullName;
  if (!GetActiveBuildProject(&project, fullName)) return NO_BUILD_PROJECT;
  return fullName == m_strProjectDir + ProjectFileName() ? SAME_PROJECT : PROJECT_CHANGED;
}

// A project reset without its release (no build project was active for a while) is released
// here too, before the new one takes its place.
void CHgWycAddIn::LoadProjectState() {
  ResetProjectState(TRUE);
  CString fullName;
  if (!GetActiveBuildProject(&m_pBuildProject, fullName)) return;
  m_bHasProject = TRUE;
  const int slash = fullName.ReverseFind('\\');
  m_strProjectDir = fullName.Left(slash + 1);
  m_strProjectName = fullName.Mid(slash + 1);
  m_strProjectName = m_strProjectName.Left(m_strProjectName.GetLength() - 4);  // without ".dsp"
  m_pUIRMgr->Clear();
  m_bEnabled = FALSE;
  if (FileIsThere(StateFilePath()) == 1) {
    m_bEnabled = TRUE;
    if (m_pUIRMgr->LoadState(StateFilePath()) != 0) m_bEnabled = FALSE;
  }
}

void CHgWycAddIn::ResetProjectState(BOOL bRelease) {
  if (bRelease && m_pBuildProject != NULL) {
    m_pBuildProject->Release();
    m_pBuildProject = NULL;
  }
  m_bEnabled = FALSE;
  m_bDirty = FALSE;
  m_bHasProject = FALSE;
  m_strProjectDir.Empty();
  m_strProjectName.Empty();
}

// Without a build project the project taken is forgotten, enabled or not, so that Settings never
// offers a project that is no longer the active one.
BOOL CHgWycAddIn::RefreshProject() {
  switch (CheckActiveProject()) {
    case NO_BUILD_PROJECT:
      ResetProjectState(FALSE);
      return FALSE;
    case PROJECT_CHANGED:
      LoadProjectState();
      break;
  }
  return TRUE;
}

// --- The table --------------------------------------------------------------------------------

void CHgWycAddIn::WriteTableFile() {
  try {
    m_pUIRMgr->WriteTableFile();
  } catch (...) {
    m_pUIRMgr->SetUIRs(std::set<CFileStamp>());
    throw;
  }
}

void CHgWycAddIn::AddCustomBuildSteps(CUIRMgr& manager) {
  CComPtr<IConfigurations> configurations;
  LONG nCount = 0;
  if (FAILED(m_pBuildProject->get_Configurations(&configurations)) || !configurations ||
      FAILED(configurations->get_Count(&nCount)))
    return;
  for (LONG i = 1; i <= nCount; ++i) {
    CComPtr<IConfiguration> configuration;
    if (SUCCEEDED(configurations->Item(_variant_t(i), &configuration)) && configuration)
      manager.AddUIRCustomBuildStep(configuration);
  }
}

void CHgWycAddIn::SaveProjectState() {
  m_pUIRMgr->SaveState(StateFilePath());
  m_bDirty = FALSE;
}

// --- Before a build ---------------------------------------------------------------------------

// The table is regenerated when the project's .uir files or their times changed; files the
// previous table did not know get the step that copies them to the output folder in every
// configuration.
STDMETHODIMP CHgWycAddIn::BeforeBuildStart() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  try {
    if (m_pApplication == NULL || !RefreshProject() || !m_bEnabled) return S_OK;

    if (m_pUIRMgr->GetPromptDSPSave()) {
      CModelessDisabled modeless(m_pApplication);
      CSavePromptDlg dlg;
      dlg.DoModal();
      if (dlg.m_bDontShowAgain) {
        m_pUIRMgr->SetPromptDSPSave(FALSE);
        m_bDirty = TRUE;
      }
    }

    const std::vector<CFileStamp> previous = m_pUIRMgr->GetUIRs();
    int nCount = 0;
    const int nResult = m_pUIRMgr->ScanProjectFile(m_strProjectDir, ProjectFileName(), nCount);
    if (nResult != CUIRMgr::SCAN_SAME) {
      m_pApplication->PrintToOutputWindow(_bstr_t(kUpdatingMessage));
      WriteTableFile();
      m_bDirty = TRUE;
      if (nResult == CUIRMgr::SCAN_MORE) {
        AddCustomBuildSteps(*m_pUIRMgr);
      } else if (nResult == CUIRMgr::SCAN_CHANGED) {
        // A file that took another's place needs its copy step as much as an added one does.
        std::set<CFileStamp> added;
        for (const CFileStamp& stamp : m_pUIRMgr->GetUIRs()) {
          BOOL bKnown = FALSE;
          for (const CFileStamp& old : previous)
            if (old.m_path.CompareNoCase(stamp.m_path) == 0) bKnown = TRUE;
          if (!bKnown) added.insert(stamp);
        }
        if (!added.empty()) {
          CUIRMgr addedFiles;
          addedFiles.SetUIRs(added);
          AddCustomBuildSteps(addedFiles);
        }
      }
    }
    if (m_bDirty) SaveProjectState();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return S_OK;
}
