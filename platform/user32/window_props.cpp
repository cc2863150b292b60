// Window properties: named handles attached to a window, gone with it.
#include <algorithm>

#include "user_state.h"

using namespace user32;

namespace {

// Names compare without regard to case; an atom is its own name.
std::string KeyOf(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return Upper(name);
}

}  // namespace

extern "C" {

WINUSERAPI BOOL WINAPI SetProp(HWND window, LPCSTR name, HANDLE data) {
  if (name == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  auto w = Find(window);
  if (!w) return FALSE;
  const std::string key = KeyOf(name);
  std::lock_guard<std::mutex> g(Lock());
  for (auto& [k, value] : w->props)
    if (k == key) {
      value = data;
      return TRUE;
    }
  w->props.emplace_back(key, data);
  return TRUE;
}

WINUSERAPI HANDLE WINAPI GetProp(HWND window, LPCSTR name) {
  if (name == nullptr) return nullptr;
  auto w = Find(window);
  if (!w) return nullptr;
  const std::string key = KeyOf(name);
  std::lock_guard<std::mutex> g(Lock());
  for (auto& [k, value] : w->props)
    if (k == key) return value;
  return nullptr;
}

WINUSERAPI HANDLE WINAPI RemoveProp(HWND window, LPCSTR name) {
  if (name == nullptr) return nullptr;
  auto w = Find(window);
  if (!w) return nullptr;
  const std::string key = KeyOf(name);
  std::lock_guard<std::mutex> g(Lock());
  auto it = std::find_if(w->props.begin(), w->props.end(), [&](auto& p) { return p.first == key; });
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  return data;
}

}  // extern "C"
