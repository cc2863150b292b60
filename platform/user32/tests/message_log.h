// Recording the messages windows get and comparing them with an expected sequence that may have
// optional entries; a mismatch prints both sequences by message name.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace testing_user32 {

struct Seen {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct Expected {
  UINT message;
  HWND window = nullptr;  // null: any window
  bool optional = false;
};

inline std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> kNames = {
      {WM_CREATE, "WM_CREATE"},           {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},               {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},       {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},     {WM_ENABLE, "WM_ENABLE"},
      {WM_SETTEXT, "WM_SETTEXT"},         {WM_GETTEXT, "WM_GETTEXT"},
      {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_CLOSE, "WM_CLOSE"},
      {WM_QUIT, "WM_QUIT"},               {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
      {WM_NCCREATE, "WM_NCCREATE"},       {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_COMMAND, "WM_COMMAND"},         {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"},             {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
      {WM_USER, "WM_USER"},
  };
  auto it = kNames.find(message);
  if (it != kNames.end()) return it->second;
  char text[32];
  std::snprintf(text, sizeof text, "0x%04x", message);
  return text;
}

// The log every recording window writes to; windows of any thread may write at once.
class MessageLog {
 public:
  void Add(const Seen& seen) {
    std::lock_guard<std::mutex> g(lock_);
    seen_.push_back(seen);
  }
  std::vector<Seen> Take() {
    std::lock_guard<std::mutex> g(lock_);
    std::vector<Seen> out;
    out.swap(seen_);
    return out;
  }

 private:
  std::mutex lock_;
  std::vector<Seen> seen_;
};

inline std::string Describe(const std::vector<Seen>& seen) {
  std::string out;
  for (const Seen& s : seen) out += "  " + MessageName(s.message) + "\n";
  return out;
}

inline std::string Describe(const std::vector<Expected>& expected) {
  std::string out;
  for (const Expected& e : expected) out += "  " + MessageName(e.message) + (e.optional ? " (optional)\n" : "\n");
  return out;
}

// Each seen message must match the next expected entry, skipping optional entries that do not
// match; every required entry must be seen.
inline void ExpectSequence(const std::vector<Seen>& seen, const std::vector<Expected>& expected,
                           const char* what) {
  size_t e = 0;
  bool ok = true;
  for (const Seen& s : seen) {
    while (e < expected.size() && expected[e].optional &&
           !(expected[e].message == s.message && (!expected[e].window || expected[e].window == s.window)))
      ++e;
    if (e == expected.size() || expected[e].message != s.message ||
        (expected[e].window && expected[e].window != s.window)) {
      ok = false;
      break;
    }
    ++e;
  }
  while (ok && e < expected.size() && expected[e].optional) ++e;
  ok = ok && e == expected.size();
  EXPECT_TRUE(ok) << what << ": the messages seen\n" << Describe(seen) << "differ from the messages expected\n"
                  << Describe(expected);
}

}  // namespace testing_user32
