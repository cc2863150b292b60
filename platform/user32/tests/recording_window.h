// A window class whose windows record every message they get (message_log.h) and answer what the
// test tells them to, else what DefWindowProc answers. The sandbox's reset before each test
// removes the class and its windows; the fixture registers it again.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "message_log.h"

namespace testing_user32 {

inline MessageLog& Log() {
  static MessageLog log;
  return log;
}

// Answers instead of DefWindowProc's, per message; set before the windows run.
inline std::map<UINT, LRESULT>& Answers() {
  static std::map<UINT, LRESULT> answers;
  return answers;
}

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Log().Add({window, message, wParam, lParam});
  auto it = Answers().find(message);
  if (it != Answers().end()) return it->second;
  return DefWindowProc(window, message, wParam, lParam);
}

constexpr char kRecorder[] = "Recorder";

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    Answers().clear();
    Log().Take();
    WNDCLASS wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = kRecorder;
    wc.cbWndExtra = 16;
    ASSERT_NE(RegisterClass(&wc), 0) << GetLastError();
  }

  // A top-level window (hidden unless the style says otherwise), or a child when the style has
  // WS_CHILD.
  static HWND Make(const char* title, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, int id = 0) {
    HWND window = CreateWindowEx(0, kRecorder, title, style, 10, 20, 300, 200, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(window, nullptr) << title << ": error " << GetLastError();
    return window;
  }
};

}  // namespace testing_user32
