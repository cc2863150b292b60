// Hooks: SetWindowsHookEx, CallNextHookEx, UnhookWindowsHookEx, and calling a chain. WH_CBT is
// the modelled type; the others are refused as unmodelled.
#include "hooks.h"

#include <algorithm>

#include "user_state.h"

namespace user32 {
namespace {

// A chain being called on this thread: the hooks that applied when the event happened, and which
// of them runs now (CallNextHookEx continues after it).
struct Chain {
  std::vector<std::shared_ptr<Hook>> hooks;
  size_t at = 0;
};
thread_local std::vector<Chain*> t_chains;

LRESULT CallFrom(Chain& chain, size_t from, int code, WPARAM wParam, LPARAM lParam) {
  for (size_t i = from; i < chain.hooks.size(); ++i) {
    {
      std::lock_guard<std::mutex> g(Lock());
      if (chain.hooks[i]->removed) continue;  // unhooked while the chain ran
    }
    const size_t saved = chain.at;
    chain.at = i;
    const LRESULT result = chain.hooks[i]->proc(code, wParam, lParam);
    chain.at = saved;
    return result;
  }
  return 0;
}

}  // namespace

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
  Chain chain;
  const DWORD me = GetCurrentThreadId();
  {
    std::lock_guard<std::mutex> g(Lock());
    for (auto& hook : S().hooks)
      if (hook->type == type && hook->thread == me) chain.hooks.push_back(hook);
    for (auto& hook : S().hooks)
      if (hook->type == type && hook->thread == 0) chain.hooks.push_back(hook);
  }
  if (chain.hooks.empty()) return 0;
  t_chains.push_back(&chain);
  struct Pop {
    ~Pop() { t_chains.pop_back(); }
  } pop;
  return CallFrom(chain, 0, code, wParam, lParam);
}

}  // namespace user32

using namespace user32;

extern "C" {

WINUSERAPI HHOOK WINAPI SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
  if (idHook < WH_MIN || idHook > WH_MAX || idHook == 8) return Fail<HHOOK>(ERROR_INVALID_HOOK_FILTER, nullptr);
  if (proc == nullptr) return Fail<HHOOK>(ERROR_INVALID_FILTER_PROC, nullptr);
  if (threadId == 0 && module == nullptr) return Fail<HHOOK>(ERROR_HOOK_NEEDS_HMOD, nullptr);
  if (idHook != WH_CBT) STANDIN_UNMODELLED_LASTERROR(nullptr);
  auto hook = std::make_shared<Hook>();
  hook->type = idHook;
  hook->proc = proc;
  hook->thread = threadId;
  hook->installer = GetCurrentThreadId();
  MyQueue();  // the hook ends with the installing thread, which its queue's end tells
  std::lock_guard<std::mutex> g(Lock());
  hook->handle = reinterpret_cast<HHOOK>(S().nextHook);
  S().nextHook += 4;
  S().hooks.insert(S().hooks.begin(), hook);
  return hook->handle;
}

WINUSERAPI LRESULT WINAPI CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
  if (t_chains.empty()) return 0;
  Chain& chain = *t_chains.back();
  return CallFrom(chain, chain.at + 1, code, wParam, lParam);
}

WINUSERAPI BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
  std::lock_guard<std::mutex> g(Lock());
  auto it = std::find_if(S().hooks.begin(), S().hooks.end(), [&](auto& h) { return h->handle == hook; });
  if (it == S().hooks.end()) return Fail(ERROR_INVALID_HOOK_HANDLE, FALSE);
  (*it)->removed = true;
  S().hooks.erase(it);
  return TRUE;
}

}  // extern "C"
