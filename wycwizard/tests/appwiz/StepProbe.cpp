// StepProbe.dll: pages of the step-page base shown in a frame the test makes.
#include <afxwin.h>

#include <memory>
#include <vector>

#include "StepProbe.h"
#include "plugin/CurrentDepot.h"
#include "plugin/CustomAppWizStepDlg.h"

#define PROBE_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

class CProbePage : public CCustomAppWizStepDlg {
 public:
  CProbePage() : CCustomAppWizStepDlg(IDD_PROBE_PAGE) {}
  CString GetHelpTopic() override { return "probe.chm::\\page.htm"; }
  BOOL CallInitDialog() { return OnInitDialog(); }
};

std::vector<std::unique_ptr<CProbePage>> g_pages;

CProbePage* Find(HWND page) {
  for (auto& p : g_pages)
    if (p->m_hWnd == page) return p.get();
  return NULL;
}

}  // namespace

// A new page in the frame, shown and painted; NULL when it cannot be made.
PROBE_ENTRY HWND ProbeShowPage(HWND frame) {
  auto page = std::make_unique<CProbePage>();
  if (!page->CreateFor(page->m_pStepModule, MAKEINTRESOURCE(IDD_PROBE_PAGE), CWnd::FromHandle(frame))) return NULL;
  page->ShowWindow(SW_SHOW);
  page->UpdateWindow();
  g_pages.push_back(std::move(page));
  return g_pages.back()->m_hWnd;
}

PROBE_ENTRY BOOL ProbeDismiss(HWND page) {
  CProbePage* p = Find(page);
  return p != NULL && p->OnDismiss();
}

// The page's OnInitDialog once more; -1 for no such page.
PROBE_ENTRY int ProbeInitDialog(HWND page) {
  CProbePage* p = Find(page);
  return p != NULL ? p->CallInitDialog() : -1;
}

PROBE_ENTRY void ProbeSetDepot(CInformationDepot* depot) { g_pCurrentDepot = depot; }

PROBE_ENTRY void ProbeEnd() { g_pages.clear(); }
