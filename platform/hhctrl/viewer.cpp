// The help viewer: HH_DISPLAY_TOPIC shows the topic in the process's one help window when the help
// file (the path before "::") exists, and answers NULL when it does not. Every request is recorded
// for the sandbox (sandbox/html_help.h). Help files are not read: which topic a file holds is the
// viewer's business, and the system only asks for one to be shown.
#include "viewer.h"

#include <mutex>
#include <string>
#include <vector>

#include "sandbox/html_help.h"
#include "sandbox/internal.h"

namespace hhviewer {
namespace {

constexpr char kWindowClass[] = "StandinHtmlHelpViewer";

struct Viewer {
  std::mutex lock;
  std::vector<sandbox::HtmlHelpRequest> requests;
  HWND window = nullptr;
};

Viewer& State() {
  static Viewer* viewer = new Viewer;  // never destroyed: requests may come during exit
  return *viewer;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("hhviewer", [] {
      std::lock_guard<std::mutex> g(State().lock);
      State().requests.clear();
      State().window = nullptr;  // the window manager's reset has taken it
    });
  }
} g_registration;

// The help file a path names: what stands before "::" (the topic inside the file follows it), or
// before '>' (a window type) when there is no topic.
std::string HelpFileOf(const std::string& path) {
  const size_t topic = path.find("::");
  if (topic != std::string::npos) return path.substr(0, topic);
  return path.substr(0, path.find('>'));
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributes(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HINSTANCE OwnModule() {
  HMODULE module = nullptr;
  static const char anchor = 0;
  GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, &anchor,
                    &module);
  return module;
}

// The help window, made on first use (and again once it is gone), titled with the topic shown.
// It belongs to the asking thread; a desktop owner means none.
HWND ShowTopic(HWND owner, const std::string& path) {
  HWND window;
  {
    std::lock_guard<std::mutex> g(State().lock);
    window = State().window;
  }
  if (window == nullptr || !IsWindow(window)) {
    WNDCLASS wc{};
    if (!GetClassInfo(OwnModule(), kWindowClass, &wc)) {
      wc.lpfnWndProc = DefWindowProc;
      wc.hInstance = OwnModule();
      wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
      wc.lpszClassName = kWindowClass;
      if (RegisterClass(&wc) == 0) return nullptr;
    }
    if (owner == GetDesktopWindow()) owner = nullptr;
    window = CreateWindowEx(0, kWindowClass, path.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, OwnModule(), nullptr);
    if (window == nullptr) return nullptr;
    std::lock_guard<std::mutex> g(State().lock);
    State().window = window;
  } else {
    SetWindowText(window, path.c_str());
  }
  return window;
}

}  // namespace

HWND Request(HWND owner, LPCSTR path, UINT command, DWORD_PTR data) {
  const std::string text = path != nullptr ? path : "";
  size_t index;
  {
    std::lock_guard<std::mutex> g(State().lock);
    index = State().requests.size();
    State().requests.push_back({owner, text, command, data, nullptr});
  }
  if (command != HH_DISPLAY_TOPIC) STANDIN_UNMODELLED_RETURN(HWND{});
  if (!FileExists(HelpFileOf(text))) return nullptr;
  const HWND window = ShowTopic(owner, text);
  std::lock_guard<std::mutex> g(State().lock);
  if (index < State().requests.size()) State().requests[index].window = window;
  return window;
}

}  // namespace hhviewer

namespace sandbox {

std::vector<HtmlHelpRequest> HtmlHelpRequests() {
  std::lock_guard<std::mutex> g(hhviewer::State().lock);
  return hhviewer::State().requests;
}

}  // namespace sandbox
