// The names of the tree view's notification codes, for tests that compare the notifications a
// parent was sent with an expected table and print names on a mismatch.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <commctrl.h>

#include <map>
#include <string>

namespace sandbox::testing {

// "TVN_SELCHANGED" for TVN_SELCHANGED; a code without a name as its decimal number.
inline std::string NotificationName(UINT code) {
  static const std::map<UINT, const char*> kNames = {
      {NM_CLICK, "NM_CLICK"},
      {NM_DBLCLK, "NM_DBLCLK"},
      {NM_RCLICK, "NM_RCLICK"},
      {NM_RETURN, "NM_RETURN"},
      {TVN_SELCHANGING, "TVN_SELCHANGING"},
      {TVN_SELCHANGED, "TVN_SELCHANGED"},
      {TVN_ITEMEXPANDING, "TVN_ITEMEXPANDING"},
      {TVN_ITEMEXPANDED, "TVN_ITEMEXPANDED"},
      {TVN_BEGINDRAG, "TVN_BEGINDRAG"},
      {TVN_BEGINRDRAG, "TVN_BEGINRDRAG"},
      {TVN_DELETEITEM, "TVN_DELETEITEM"},
      {TVN_BEGINLABELEDIT, "TVN_BEGINLABELEDIT"},
      {TVN_ENDLABELEDIT, "TVN_ENDLABELEDIT"},
  };
  auto it = kNames.find(code);
  return it != kNames.end() ? it->second : std::to_string(static_cast<int>(code));
}

}  // namespace sandbox::testing
