// The process-wide MFC state that exists before an application object: the program's name, and
// message boxes.
#include <afxwin.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "gdi_map.h"
#include "menu_map.h"
#include "sandbox/internal.h"
#include "wnd_map.h"

namespace {

struct AppState {
  std::mutex lock;
  std::string appName;  // empty until first asked
};

AppState& State() {
  static AppState* state = new AppState;  // never destroyed: asked during exit too
  return *state;
}

struct ResetHook {
  ResetHook() {
    // The application object is the program's and outlives resets; the window manager has
    // dropped every window, so no window has an object any more.
    sandbox::internal::RegisterReset("mfc42", [] {
      {
        std::lock_guard<std::mutex> guard(State().lock);
        State().appName.clear();
      }
      mfc42::ForgetAllPermanent();
      mfc42::ForgetAllGdiPermanent();
      mfc42::ForgetAllMenus();
    });
  }
} g_resetHook;

// The file title of a path: the last component without its extension.
std::string FileTitle(const std::string& path) {
  CString full(path.c_str());
  const int slash = std::max(full.ReverseFind('\\'), full.ReverseFind('/'));
  CString name = full.Mid(slash + 1);
  const int dot = name.ReverseFind('.');
  if (dot > 0) name = name.Left(dot);
  return static_cast<LPCTSTR>(name);
}

}  // namespace

LPCTSTR AFXAPI AfxGetAppName() {
  if (CWinApp* app = AfxGetApp(); app != NULL && app->m_pszAppName != NULL) return app->m_pszAppName;
  std::lock_guard<std::mutex> guard(State().lock);
  if (State().appName.empty()) {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileName(NULL, path, MAX_PATH);
    State().appName = n != 0 && n < MAX_PATH ? FileTitle(path) : std::string();
  }
  return State().appName.c_str();
}

// The application shows the box (owned by the main window); without an application object the
// platform's default handler does: no owner, the program's name as caption. Both add a default
// icon for the common button sets.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
        nType |= MB_ICONEXCLAMATION;
        break;
      case MB_YESNO:
      case MB_YESNOCANCEL:
        nType |= MB_ICONQUESTION;
        break;
      default:
        break;
    }
  }
  if (lpszText == NULL) lpszText = "";
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
  return MessageBox(NULL, lpszText, AfxGetAppName(), nType);
}
