// The IDE's main frame (main_frame.h).
#include "main_frame.h"

#include "ide.h"
#include "ide_app.h"
#include "prompts.h"

namespace {

constexpr UINT kWorkspacePaneId = 59648;
constexpr UINT kOutputPaneId = 59649;
constexpr UINT kBuildTabId = 1;

}  // namespace

CMainFrame::CMainFrame(CIdeApp* app)
    : m_pApp(app), m_workspacePane("Workspace"), m_outputPane("Output"), m_buildTab("Build") {}

CMainFrame::~CMainFrame() = default;

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == ID_FILE_SAVE_ALL)
    msdev::Ide::Instance().RecordSaveAllReceived("MainFrame");
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::PostNcDestroy() {
  m_pApp->FrameGone(this);
  CFrameWnd::PostNcDestroy();  // deletes the frame
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  const CRect pane(0, 0, 200, 100);
  if (!m_workspacePane.Create(this, pane, kWorkspacePaneId) || !m_outputPane.Create(this, pane, kOutputPaneId) ||
      !m_buildTab.Create(&m_outputPane, pane, kBuildTabId))
    return -1;
  return 0;
}

void CMainFrame::OnClose() {
  if (!m_pApp->SaveAllModified()) return;
  msdev::Ide::Instance().Stop(true);  // this frame is gone with the IDE's windows
}

// A project file that cannot be written is reported in the IDE's own box, and stays modified.
void CMainFrame::OnFileSaveAll() {
  for (const std::string& failure : msdev::Ide::Instance().SaveAll()) m_pApp->Prompt(failure, MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnFileCloseWorkspace() { m_pApp->CloseWorkspace(); }

void CMainFrame::OnBuildBuild() { msdev::Ide::Instance().BuildActive(); }

void CMainFrame::OnAddInCommand(UINT nID) { msdev::Ide::Instance().CommandClicked(nID); }

// Each project file the user has not been asked about yet: reload it (Yes) or keep the IDE's copy
// (No, or a box that could not be shown). A box's modal loop may run anything meanwhile, closing
// the workspace too, so the next project is looked up after every answer.
LRESULT CMainFrame::OnCheckProjectFiles(WPARAM, LPARAM) {
  msdev::Ide& ide = msdev::Ide::Instance();
  while (const msdev::ProjectRef project = ide.NextChangedOutside()) {
    const int answer = m_pApp->Prompt(msdev::ReloadProjectText(project->fullPath), MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES)
      ide.ReloadProject(project);
    else
      ide.KeepOwnCopy(project);
  }
  return 0;
}

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_FILE_SAVE_ALL, OnFileSaveAll)
ON_COMMAND(ID_FILE_CLOSE_WORKSPACE, OnFileCloseWorkspace)
ON_COMMAND(ID_BUILD_BUILD, OnBuildBuild)
ON_COMMAND_RANGE(kFirstAddInCommandId, kLastAddInCommandId, OnAddInCommand)
ON_MESSAGE(WM_IDE_CHECK_PROJECT_FILES, OnCheckProjectFiles)
END_MESSAGE_MAP()
