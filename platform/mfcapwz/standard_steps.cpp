// The standard MFC DLL step (standard_steps.h).
#include "standard_steps.h"

#include "library_state.h"
#include "mfcapwz_resource.h"
#include "template_language.h"

namespace mfcapwz {
namespace {

CMapStringToString* Dictionary() {
  return Library().appWiz != nullptr ? &Library().appWiz->m_Dictionary : nullptr;
}

void Put(CMapStringToString& dictionary, LPCTSTR name, bool on) {
  if (on)
    dictionary.SetAt(name, "1");
  else
    dictionary.RemoveKey(name);
}

}  // namespace

CMfcDllStep::CMfcDllStep() : CAppWizStepDlg(IDD_MFCDLL_STEP), m_nKind(0), m_bAutomation(0), m_bSockets(0) {}

CMfcDllStep& MfcDllStep() {
  static CMfcDllStep* step = new CMfcDllStep;  // one page for the process, as the library's own
  return *step;
}

void CMfcDllStep::DoDataExchange(CDataExchange* pDX) {
  DDX_Radio(pDX, IDC_MFCDLL_REGULAR, m_nKind);
  DDX_Check(pDX, IDC_MFCDLL_AUTOMATION, m_bAutomation);
  DDX_Check(pDX, IDC_MFCDLL_SOCKETS, m_bSockets);
}

void CMfcDllStep::OnEnterStep() {
  if (CMapStringToString* dictionary = Dictionary()) {
    m_nKind = InDictionary(*dictionary, "EXTDLL") && !InDictionary(*dictionary, "MFCDLL") ? 1 : 0;
    m_bAutomation = InDictionary(*dictionary, "AUTOMATION");
    m_bSockets = InDictionary(*dictionary, "SOCKETS");
  }
  UpdateData(FALSE);
}

BOOL CMfcDllStep::OnDismiss() {
  if (!UpdateData(TRUE)) return FALSE;
  if (CMapStringToString* dictionary = Dictionary()) {
    Put(*dictionary, "MFCDLL", m_nKind != 1);
    Put(*dictionary, "EXTDLL", m_nKind == 1);
    Put(*dictionary, "AUTOMATION", m_bAutomation != 0);
    Put(*dictionary, "SOCKETS", m_bSockets != 0);
  }
  Library().mfcDllStepLeft = true;
  return TRUE;
}

}  // namespace mfcapwz
