// Window classes: registration per module (or global), the system's classes, and what a class
// tells about itself.
#include <atomic>
#include <cstring>

#include "menu_state.h"
#include "sandbox/window_manager.h"
#include "user_state.h"

namespace user32 {
namespace {

HINSTANCE Program(HINSTANCE instance) { return instance != nullptr ? instance : GetModuleHandle(nullptr); }

// A class name given as text or as an atom (MAKEINTATOM).
std::string NameOf(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return AtomNameLocked(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name)));
  return name;
}

bool Matches(const WindowClass& c, LPCSTR name) {
  if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
  return EqualNoCase(c.name, name);
}

std::shared_ptr<WindowClass> SystemClass(State& state, const char* name, int windowExtraBytes) {
  auto c = std::make_shared<WindowClass>();
  c->name = name;
  c->atom = [&] {
    const std::string key = Upper(name);
    auto it = state.atoms.find(key);
    if (it != state.atoms.end()) return it->second;
    const ATOM atom = state.nextAtom++;
    state.atoms.emplace(key, atom);
    return atom;
  }();
  c->proc = DefWindowProc;
  c->windowExtraBytes = windowExtraBytes;
  c->system = true;
  return c;
}

// A module's class of that name (not a global or system one).
std::shared_ptr<WindowClass> LocalClassLocked(LPCSTR name, HINSTANCE instance) {
  for (auto& c : S().classes)
    if (!c->system && !(c->style & CS_GLOBALCLASS) && c->instance == instance && Matches(*c, name)) return c;
  return nullptr;
}

std::atomic<bool> g_failRegistrations{false};

struct Registration {
  Registration() { sandbox::internal::RegisterReset("user32.classes", [] { g_failRegistrations = false; }); }
} g_registration;

ATOM Register(const WNDCLASSEX& wc) {
  if (g_failRegistrations) return Fail<ATOM>(ERROR_NOT_ENOUGH_MEMORY, 0);
  if (wc.lpszClassName == nullptr || wc.lpfnWndProc == nullptr || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
      (!IS_INTRESOURCE(wc.lpszClassName) && wc.lpszClassName[0] == '\0'))
    return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
  const HINSTANCE instance = Program(wc.hInstance);
  std::lock_guard<std::mutex> g(Lock());
  const bool global = (wc.style & CS_GLOBALCLASS) != 0;
  for (auto& c : S().classes) {
    if (!Matches(*c, wc.lpszClassName)) continue;
    if (c->system) continue;  // a module may have its own class of a system class's name
    const bool cGlobal = (c->style & CS_GLOBALCLASS) != 0;
    if ((global && cGlobal) || (!global && !cGlobal && c->instance == instance))
      return Fail<ATOM>(ERROR_CLASS_ALREADY_EXISTS, 0);
  }
  auto c = std::make_shared<WindowClass>();
  c->name = NameOf(wc.lpszClassName);
  if (c->name.empty()) return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);  // an atom nobody registered
  c->atom = AtomLocked(c->name, true);
  if (c->atom == 0) return Fail<ATOM>(ERROR_NOT_ENOUGH_MEMORY, 0);
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->classExtraBytes = wc.cbClsExtra;
  c->windowExtraBytes = wc.cbWndExtra;
  c->instance = instance;
  c->icon = wc.hIcon;
  c->smallIcon = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  if (wc.lpszMenuName != nullptr && !IS_INTRESOURCE(wc.lpszMenuName)) {
    c->menuNameText = wc.lpszMenuName;
  } else {
    c->menuName = wc.lpszMenuName;
  }
  S().classes.push_back(c);
  return c->atom;
}

void Describe(const WindowClass& c, WNDCLASSEX& out) {
  out.style = c.style;
  out.lpfnWndProc = c.proc;
  out.cbClsExtra = c.classExtraBytes;
  out.cbWndExtra = c.windowExtraBytes;
  out.hInstance = c.system ? nullptr : c.instance;
  out.hIcon = c.icon;
  out.hCursor = c.cursor;
  out.hbrBackground = c.background;
  out.lpszMenuName = c.menuNameText.empty() ? c.menuName : c.menuNameText.c_str();
  out.lpszClassName = c.name.c_str();  // valid while the class is registered
  out.hIconSm = c.smallIcon;
}

bool Lookup(HINSTANCE instance, LPCSTR name, WNDCLASSEX& out) {
  if (name == nullptr) return Fail(ERROR_INVALID_PARAMETER, false);
  std::lock_guard<std::mutex> g(Lock());
  auto c = FindClassLocked(name, instance);
  if (!c) return Fail(ERROR_CLASS_DOES_NOT_EXIST, false);
  Describe(*c, out);
  return true;
}

}  // namespace

std::vector<std::shared_ptr<WindowClass>> MakeSystemClasses(State& state) {
  // Dialogs keep the dialog manager's three pointer-sized slots (result, procedure, user data)
  // in their window bytes.
  auto menu = SystemClass(state, "#32768", 0);
  menu->proc = menus::PopupMenuProc;
  menu->style = CS_SAVEBITS;
  menu->background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
  // The static control keeps its font in its window bytes.
  auto statics = SystemClass(state, "Static", sizeof(LONG_PTR));
  statics->proc = StaticProc;
  statics->style = CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS;
  statics->cursor = LoadCursor(nullptr, IDC_ARROW);
  auto dialog = SystemClass(state, "#32770", 3 * sizeof(LONG_PTR));
  dialog->proc = DefDlgProc;
  std::vector<std::shared_ptr<WindowClass>> classes{SystemClass(state, "#32769", 0), dialog, menu, statics};
  for (auto& control : MakeDialogControlClasses(state, SystemClass)) classes.push_back(control);
  return classes;
}

std::shared_ptr<WindowClass> FindClassLocked(LPCSTR name, HINSTANCE instance) {
  if (auto local = LocalClassLocked(name, Program(instance))) return local;
  for (auto& c : S().classes)
    if (!c->system && (c->style & CS_GLOBALCLASS) && Matches(*c, name)) return c;
  for (auto& c : S().classes)
    if (c->system && Matches(*c, name)) return c;
  return nullptr;
}

}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI ATOM WINAPI RegisterClass(const WNDCLASS* wc) {
  if (wc == nullptr) return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
  WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return Register(ex);
}

WINUSERAPI ATOM WINAPI RegisterClassEx(const WNDCLASSEX* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEX)) return Fail<ATOM>(ERROR_INVALID_PARAMETER, 0);
  return Register(*wc);
}

WINUSERAPI BOOL WINAPI UnregisterClass(LPCSTR className, HINSTANCE instance) {
  if (className == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  auto c = FindClassLocked(className, instance);
  if (!c || c->system || (!(c->style & CS_GLOBALCLASS) && c->instance != Program(instance)))
    return Fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  if (c->windows > 0) return Fail(ERROR_CLASS_HAS_WINDOWS, FALSE);
  std::erase(S().classes, c);
  return TRUE;
}

WINUSERAPI BOOL WINAPI GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wndClass) {
  if (wndClass == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  WNDCLASSEX ex{};
  if (!Lookup(instance, className, ex)) return FALSE;
  *wndClass = {ex.style,         ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,    ex.hInstance,
               ex.hIcon,         ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return TRUE;
}

WINUSERAPI BOOL WINAPI GetClassInfoEx(HINSTANCE instance, LPCSTR className, LPWNDCLASSEX wndClass) {
  if (wndClass == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  WNDCLASSEX ex{};
  if (!Lookup(instance, className, ex)) return FALSE;
  ex.cbSize = wndClass->cbSize;  // the caller's, as the platform leaves it
  *wndClass = ex;
  return TRUE;
}

WINUSERAPI int WINAPI GetClassName(HWND window, LPSTR className, int maxCount) {
  auto w = Find(window);
  if (!w) return 0;
  if (className == nullptr || maxCount <= 0) return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
  const std::string& name = w->windowClass->name;
  const size_t n = std::min(name.size(), static_cast<size_t>(maxCount - 1));
  std::memcpy(className, name.data(), n);
  className[n] = '\0';
  return static_cast<int>(n);
}

WINUSERAPI ULONG_PTR WINAPI GetClassLongPtr(HWND window, int index) {
  auto w = Find(window);
  if (!w) return 0;
  std::lock_guard<std::mutex> g(Lock());
  const WindowClass& c = *w->windowClass;
  switch (index) {
    case GCLP_MENUNAME:
      return reinterpret_cast<ULONG_PTR>(c.menuNameText.empty() ? c.menuName : c.menuNameText.c_str());
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.smallIcon);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.system ? nullptr : c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.windowExtraBytes);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.classExtraBytes);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE: return c.style;
    case GCW_ATOM: return c.atom;
    default: return Fail<ULONG_PTR>(ERROR_INVALID_INDEX, 0);
  }
}

}  // extern "C"

namespace sandbox {

void FailRegisterClass(bool fail) { user32::g_failRegistrations = fail; }

}  // namespace sandbox
