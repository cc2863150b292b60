// What add-ins give the IDE (ide.h): their command objects, commands and toolbar buttons, and
// running a command through its object's late binding (also as a click on its button); the
// output pane and modeless windows.
#include <objbase.h>
#include <windows.h>

#include <algorithm>

#include "com_values.h"
#include "ide.h"
#include "ide_app.h"
#include "main_frame.h"

namespace msdev {
namespace {

bool SameText(const std::string& a, const std::string& b) { return lstrcmpi(a.c_str(), b.c_str()) == 0; }

// "Name\nButton text\nStatus text\nTooltip" -> its four parts (missing ones empty).
std::vector<std::string> CommandTexts(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  parts.resize(std::max<size_t>(parts.size(), 4));
  return parts;
}

}  // namespace

void Ide::SetAddInInfo(long cookie, IDispatch* commandObject) {
  IDispatch* replaced = nullptr;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    if (commandObject) commandObject->AddRef();
    auto it = std::find_if(addIns_.begin(), addIns_.end(), [&](const AddIn& a) { return a.cookie == cookie; });
    if (it == addIns_.end()) {
      addIns_.push_back({cookie, commandObject});
    } else {
      replaced = it->commandObject;
      it->commandObject = commandObject;
    }
  }
  if (replaced) replaced->Release();
}

HRESULT Ide::AddCommand(const std::string& nameAndTexts, const std::string& method, long glyph, long cookie,
                        bool& added) {
  added = false;
  const std::vector<std::string> texts = CommandTexts(nameAndTexts);
  if (texts[0].empty() || method.empty()) return E_INVALIDARG;
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (std::none_of(addIns_.begin(), addIns_.end(), [&](const AddIn& a) { return a.cookie == cookie; }))
    return E_UNEXPECTED;
  for (const auto& command : commands_)
    if (SameText(command.name, texts[0])) return S_OK;
  if (kFirstAddInCommandId + nextCommandId_ > kLastAddInCommandId) return E_OUTOFMEMORY;
  commands_.push_back({texts[0], texts[1], texts[2], texts[3], method, static_cast<int32_t>(glyph),
                       static_cast<int32_t>(cookie)});
  commandIds_[kFirstAddInCommandId + nextCommandId_++] = texts[0];
  added = true;
  return S_OK;
}

// The window is made with no lock held: the CBT hooks of the thread (an add-in's among them) see
// it being made and may rename or refuse it.
HRESULT Ide::AddCommandBarButton(long type, const std::string& command, long cookie) {
  if (type != dsGlyph && type != dsText) return E_INVALIDARG;
  size_t toolbar = 0;  // the position of a toolbar record still to get its window, plus one
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    const auto it =
        std::find_if(commands_.begin(), commands_.end(), [&](const auto& c) { return SameText(c.name, command); });
    if (it == commands_.end()) return E_INVALIDARG;
    buttons_.push_back({static_cast<int32_t>(type), it->name, static_cast<int32_t>(cookie)});
    if (std::none_of(toolbars_.begin(), toolbars_.end(), [&](const ToolbarRecord& t) { return t.cookie == cookie; })) {
      toolbars_.push_back({static_cast<int32_t>(cookie), nullptr, ""});
      toolbar = toolbars_.size();
    }
  }
  if (toolbar == 0) return S_OK;
  CIdeApp* app = App();
  const HWND window = app ? app->MakeToolbar(static_cast<int>(toolbar)) : nullptr;
  char title[256] = "";
  if (window) GetWindowText(window, title, sizeof title);
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (toolbar <= toolbars_.size() && toolbars_[toolbar - 1].cookie == cookie) {
    toolbars_[toolbar - 1].window = window;
    toolbars_[toolbar - 1].title = title;
  }
  return S_OK;
}

bool Ide::UnloadAddIn(const std::string& progId) {
  const long cookie = addInLoader_.Unload(progId);
  if (cookie == 0) return false;
  ForgetAddIn(cookie);
  // As the platform's IDE does after an add-in goes: a server module whose DllCanUnloadNow
  // allows it is unloaded now.
  CoFreeUnusedLibraries();
  return true;
}

void Ide::ForgetAddIn(long cookie) {
  IDispatch* commandObject = nullptr;
  HWND toolbar = nullptr;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    for (auto it = addIns_.begin(); it != addIns_.end(); ++it) {
      if (it->cookie != cookie) continue;
      commandObject = it->commandObject;
      addIns_.erase(it);
      break;
    }
    for (const sandbox::msdev::Command& c : commands_) {
      if (c.cookie != cookie) continue;
      std::erase_if(commandIds_, [&](const auto& entry) { return SameText(entry.second, c.name); });
    }
    std::erase_if(commands_, [&](const sandbox::msdev::Command& c) { return c.cookie == cookie; });
    std::erase_if(buttons_, [&](const sandbox::msdev::ToolbarButton& b) { return b.cookie == cookie; });
    for (ToolbarRecord& record : toolbars_)
      if (record.cookie == cookie) toolbar = record.window;
  }
  Toolbars();  // the toolbar's final title, before its window goes
  if (CIdeApp* app = App(); app && toolbar) app->DestroyToolbar(toolbar);
  if (commandObject) commandObject->Release();
}

HRESULT Ide::ExecuteCommand(const std::string& command) {
  IDispatch* target = nullptr;
  std::string method;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    const auto it =
        std::find_if(commands_.begin(), commands_.end(), [&](const auto& c) { return SameText(c.name, command); });
    if (it == commands_.end()) return E_INVALIDARG;
    for (const AddIn& addIn : addIns_)
      if (addIn.cookie == it->cookie) target = addIn.commandObject;
    if (!target) return E_UNEXPECTED;
    target->AddRef();
    method = it->method;
  }
  BSTR name = NewBstr(method);
  DISPID id = 0;
  HRESULT hr = target->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
  if (SUCCEEDED(hr)) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    hr = target->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
    VariantClear(&result);
  }
  SysFreeString(name);
  target->Release();
  return hr;
}

HRESULT Ide::RunCommand(const std::string& command) {
  UINT id = 0;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    for (const auto& [commandId, name] : commandIds_)
      if (SameText(name, command)) id = commandId;
    if (id == 0) return E_INVALIDARG;
    if (modelessDisabled_ > 0) return S_FALSE;
    lastClickResult_ = E_UNEXPECTED;
  }
  CIdeApp* app = App();
  CMainFrame* frame = app ? app->MainFrame() : nullptr;
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return E_UNEXPECTED;
  ::SendMessage(frame->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  std::lock_guard<std::recursive_mutex> g(lock_);
  return lastClickResult_;
}

void Ide::CommandClicked(UINT id) {
  std::string command;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    const auto found = commandIds_.find(id);
    if (found == commandIds_.end()) return;
    command = found->second;
  }
  const HRESULT hr = ExecuteCommand(command);
  std::lock_guard<std::recursive_mutex> g(lock_);
  lastClickResult_ = hr;
}

void Ide::PrintToOutputWindow(const std::string& line) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  outputPane_ += line + "\r\n";
}

void Ide::EnableModeless(bool enable) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  if (!enable) ++modelessDisabled_;
  else if (modelessDisabled_ > 0) --modelessDisabled_;
}

bool Ide::Visible() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return visible_;
}

void Ide::SetVisible(bool visible) {
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    visible_ = visible;
  }
  if (CIdeApp* app = App()) app->ShowMainFrame(visible);
}

long Ide::WindowState() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return windowState_;
}

void Ide::SetWindowState(long state) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  windowState_ = state;
}

}  // namespace msdev
