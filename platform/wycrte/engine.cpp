// The engine of the run-time engine stand-in: panels and menu bars loaded from the text files of
// uir_text.h (read through kernel32, so Windows paths, drives and injected failures apply), each
// under a handle of its own until it is discarded; the attributes the program reads; the system
// attributes it sets, recorded; the calls of every entry point counted, with answers the sandbox
// sets given in place of the work.
#include <windows.h>

#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine.h"
#include "sandbox/internal.h"
#include "sandbox/wycrte.h"
#include "uir_text.h"

namespace wycrtecore {
namespace {

namespace answers = sandbox::wycrte;

enum EntryPoint : int {
  kSetSystemAttribute, kLoadPanel, kGetPanelAttribute, kGetCtrlAttribute, kDiscardPanel,
  kLoadMenuBar, kGetMenuBarAttribute, kDiscardMenuBar,
  kEntryPoints
};

constexpr const char* kEntryNames[kEntryPoints] = {
    "SetSystemAttribute", "LoadPanel", "GetPanelAttribute", "GetCtrlAttribute", "DiscardPanel",
    "LoadMenuBar", "GetMenuBarAttribute", "DiscardMenuBar"};

struct Loaded {
  bool panel = true;  // else a menu bar
  wycrte::UirObject object;
};

struct Engine {
  std::mutex lock;
  std::map<int, Loaded> loaded;
  int nextHandle = 1;
  std::vector<std::pair<int, int>> systemAttributes;
  std::array<unsigned, kEntryPoints> calls{};
  std::map<std::pair<int, unsigned>, int> answers;  // by entry point and call number
};

Engine& E() {
  static auto* engine = new Engine;  // never destroyed: the library may be called during exit
  return *engine;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("wycrtecore", [] {
      std::lock_guard<std::mutex> g(E().lock);
      E().loaded.clear();
      E().nextHandle = 1;
      E().systemAttributes.clear();
      E().calls.fill(0);
      E().answers.clear();
    });
  }
} g_registration;

// Counts the call and gives the answer set for it, if any.
std::optional<int> SetAnswer(EntryPoint entry) {
  std::lock_guard<std::mutex> g(E().lock);
  const unsigned call = ++E().calls[entry];
  auto found = E().answers.find({entry, call});
  if (found == E().answers.end()) return std::nullopt;
  const int answer = found->second;
  E().answers.erase(found);
  return answer;
}

// The file's bytes through kernel32; nullopt when it does not open or read.
std::optional<std::string> ReadFileBytes(const char* path) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

int Load(bool panel, int parentPanel, const char* path, int index) {
  if (path == nullptr || index < 1) return answers::kInvalidArgument;
  if (parentPanel != 0) {
    // Child panels are not modelled: the program loads top-level panels only.
    sandbox::internal::ReportUnmodelled(panel ? "LoadPanel (child panel)" : "LoadMenuBar (parent panel)");
    return answers::kInvalidHandle;
  }
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return answers::kCannotOpen;
  const wycrte::UirFile file = wycrte::ParseUir(*bytes);
  if (file.malformed) return answers::kMalformed;
  const auto& objects = panel ? file.panels : file.menuBars;
  if (static_cast<size_t>(index) > objects.size()) return answers::kNoSuchIndex;
  const wycrte::UirObject& object = objects[static_cast<size_t>(index) - 1];
  if (object.malformed) return answers::kMalformed;
  std::lock_guard<std::mutex> g(E().lock);
  if (E().loaded.size() >= static_cast<size_t>(answers::kMaxHandles)) return answers::kNoHandleLeft;
  const int handle = E().nextHandle++;
  E().loaded[handle] = Loaded{panel, object};
  return handle;
}

// The callback of the object itself (id 0) or of its child `id` (2, 3, ...); the attribute read
// into `value`.
int Attribute(bool panel, int handle, int id, int attribute, void* value) {
  std::string callback;
  {
    std::lock_guard<std::mutex> g(E().lock);
    auto found = E().loaded.find(handle);
    if (found == E().loaded.end() || found->second.panel != panel) return answers::kInvalidHandle;
    const wycrte::UirObject& object = found->second.object;
    if (id == 0) {
      callback = object.callback;
    } else if (id >= 2 && static_cast<size_t>(id - 2) < object.children.size()) {
      callback = object.children[static_cast<size_t>(id - 2)];
    } else {
      return answers::kNoSuchId;
    }
  }
  if (value == nullptr) return answers::kInvalidArgument;
  switch (attribute) {
    case answers::kCallbackNameLength: {
      const int length = static_cast<int>(callback.size());
      std::memcpy(value, &length, sizeof length);
      return 0;
    }
    case answers::kCallbackName:
      std::memcpy(value, callback.c_str(), callback.size() + 1);
      return 0;
    default:
      sandbox::internal::ReportUnmodelled(panel ? "GetPanelAttribute/GetCtrlAttribute (attribute not modelled)"
                                                : "GetMenuBarAttribute (attribute not modelled)");
      return answers::kInvalidArgument;
  }
}

int Discard(bool panel, int handle) {
  std::lock_guard<std::mutex> g(E().lock);
  auto found = E().loaded.find(handle);
  if (found == E().loaded.end() || found->second.panel != panel) return answers::kInvalidHandle;
  E().loaded.erase(found);
  return 0;
}

}  // namespace

int SetSystemAttribute(int attribute, int value) {
  if (auto answer = SetAnswer(kSetSystemAttribute)) return *answer;
  std::lock_guard<std::mutex> g(E().lock);
  E().systemAttributes.emplace_back(attribute, value);
  return 0;
}

int LoadPanel(int parentPanel, const char* file, int index) {
  if (auto answer = SetAnswer(kLoadPanel)) return *answer;
  return Load(true, parentPanel, file, index);
}

int GetPanelAttribute(int panel, int attribute, void* value) {
  if (auto answer = SetAnswer(kGetPanelAttribute)) return *answer;
  return Attribute(true, panel, 0, attribute, value);
}

int GetCtrlAttribute(int panel, int control, int attribute, void* value) {
  if (auto answer = SetAnswer(kGetCtrlAttribute)) return *answer;
  // Control ids start at 2; id 0 would be the panel itself, which is no control.
  return control == 0 ? answers::kNoSuchId : Attribute(true, panel, control, attribute, value);
}

int DiscardPanel(int panel) {
  if (auto answer = SetAnswer(kDiscardPanel)) return *answer;
  return Discard(true, panel);
}

int LoadMenuBar(int parentPanel, const char* file, int index) {
  if (auto answer = SetAnswer(kLoadMenuBar)) return *answer;
  return Load(false, parentPanel, file, index);
}

int GetMenuBarAttribute(int menuBar, int item, int attribute, void* value) {
  if (auto answer = SetAnswer(kGetMenuBarAttribute)) return *answer;
  return Attribute(false, menuBar, item, attribute, value);
}

int DiscardMenuBar(int menuBar) {
  if (auto answer = SetAnswer(kDiscardMenuBar)) return *answer;
  return Discard(false, menuBar);
}

}  // namespace wycrtecore

namespace sandbox::wycrte {

namespace {

int EntryOf(const std::string& entryPoint, const char* call) {
  for (int entry = 0; entry < wycrtecore::kEntryPoints; ++entry)
    if (entryPoint == wycrtecore::kEntryNames[entry]) return entry;
  throw std::invalid_argument(std::string(call) + ": no entry point \"" + entryPoint + "\"");
}

}  // namespace

unsigned LiveHandles() {
  std::lock_guard<std::mutex> g(wycrtecore::E().lock);
  return static_cast<unsigned>(wycrtecore::E().loaded.size());
}

std::vector<std::pair<int, int>> SystemAttributes() {
  std::lock_guard<std::mutex> g(wycrtecore::E().lock);
  return wycrtecore::E().systemAttributes;
}

unsigned Calls(const std::string& entryPoint) {
  const int entry = EntryOf(entryPoint, "Calls");
  std::lock_guard<std::mutex> g(wycrtecore::E().lock);
  return wycrtecore::E().calls[entry];
}

void AnswerAt(const std::string& entryPoint, unsigned call, int answer) {
  const int entry = EntryOf(entryPoint, "AnswerAt");
  if (call == 0) throw std::invalid_argument("AnswerAt: calls count from 1");
  std::lock_guard<std::mutex> g(wycrtecore::E().lock);
  wycrtecore::E().answers[{entry, wycrtecore::E().calls[entry] + call}] = answer;
}

}  // namespace sandbox::wycrte
