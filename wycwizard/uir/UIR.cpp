#include "stdafx.h"

#include <algorithm>
#include <new>

#include "uir/UIR.h"

namespace {

// The engine's attributes and answers this code relies on.
const int kSystemAttribute1410 = 1410;
const int kSystemAttribute1405 = 1405;
const int kCallbackNameLength = 512;
const int kCallbackName = 511;
const int kNoSuchId = -13;
const int kNoSuchIndex = -24;
const int kMalformed = -94;

typedef int (*SetSystemAttributeProc)(int attribute, int value);
typedef int (*LoadProc)(int parentPanel, const char* file, int index);
typedef int (*GetPanelAttributeProc)(int panel, int attribute, void* value);
typedef int (*GetItemAttributeProc)(int handle, int id, int attribute, void* value);
typedef int (*DiscardProc)(int handle);

// The binding, once per module; the library stays loaded for the life of the process.
struct RunTimeEngine {
  enum State { UNTRIED, BOUND, FAILED } state;
  HMODULE module;
  DiscardProc discardMenuBar;
  GetItemAttributeProc getMenuBarAttribute;
  LoadProc loadMenuBar;
  GetItemAttributeProc getCtrlAttribute;
  DiscardProc discardPanel;
  GetPanelAttributeProc getPanelAttribute;
  LoadProc loadPanel;
  SetSystemAttributeProc setSystemAttribute;
};

RunTimeEngine g_engine = {RunTimeEngine::UNTRIED, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL};

template <class Proc>
bool Bind(HMODULE module, const char* name, Proc& proc) {
  FARPROC address = GetProcAddress(module, name);
  proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(address));
  return address != NULL;
}

// A callback name through one of the engine's attribute calls (`get(attribute, value)`): 0 with
// the name ("" when the object has none), or the engine's answer. The buffer is sized from the
// length the engine reports, so no name is too long for it.
template <class Get>
int ReadName(Get get, CString& name) {
  name.Empty();
  int length = 0;
  int answer = get(kCallbackNameLength, &length);
  if (answer != 0 || length <= 0) return answer;
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  answer = get(kCallbackName, &buffer[0]);
  if (answer != 0) return answer;
  buffer[static_cast<size_t>(length)] = '\0';
  name = &buffer[0];
  return 0;
}

void AddUnique(std::vector<CString>& names, const CString& name) {
  if (name.IsEmpty()) return;
  for (size_t i = 0; i < names.size(); ++i)
    if (strcmp(names[i], name) == 0) return;
  names.push_back(name);
}

}  // namespace

CUIR::CUIR() {}

void CUIR::LoadRunTimeEngine() {
  if (g_engine.state == RunTimeEngine::BOUND) return;
  if (g_engine.state == RunTimeEngine::FAILED) throw UIR_EXC_ENGINE;
  g_engine.state = RunTimeEngine::FAILED;
  HMODULE module = LoadLibrary("wycrte.dll");
  bool bound = module != NULL;
  if (bound) {
    bound = Bind(module, "DiscardMenuBar", g_engine.discardMenuBar) &&
            Bind(module, "GetMenuBarAttribute", g_engine.getMenuBarAttribute) &&
            Bind(module, "LoadMenuBar", g_engine.loadMenuBar) &&
            Bind(module, "GetCtrlAttribute", g_engine.getCtrlAttribute) &&
            Bind(module, "DiscardPanel", g_engine.discardPanel) &&
            Bind(module, "GetPanelAttribute", g_engine.getPanelAttribute) &&
            Bind(module, "LoadPanel", g_engine.loadPanel) &&
            Bind(module, "SetSystemAttribute", g_engine.setSystemAttribute);
    // A library without every entry point is of no use: it goes again.
    if (!bound) FreeLibrary(module);
  }
  if (!bound) {
    AfxMessageBox(g_nUIREngineMessageId, MB_OK | MB_ICONEXCLAMATION);
    throw UIR_EXC_ENGINE;
  }
  g_engine.module = module;
  g_engine.state = RunTimeEngine::BOUND;
}

void CUIR::Clear() {
  m_path.Empty();
  m_panelCallbacks.clear();
  m_controlCallbacks.clear();
  m_menuCallbacks.clear();
}

const std::vector<CString>& CUIR::GetCallbacks(int kind) const {
  static const std::vector<CString> none;
  switch (kind) {
    case PANEL_CALLBACKS: return m_panelCallbacks;
    case CONTROL_CALLBACKS: return m_controlCallbacks;
    case MENU_CALLBACKS: return m_menuCallbacks;
    default: return none;
  }
}

void CUIR::ReadCallbacks(const CString& path) {
  LoadRunTimeEngine();
  Clear();
  try {
    m_path = path;
    g_engine.setSystemAttribute(kSystemAttribute1410, 1);
    g_engine.setSystemAttribute(kSystemAttribute1405, 0);
    ReadObjects(true);
    ReadObjects(false);
  } catch (CMemoryException* e) {
    e->Delete();
    throw UIR_EXC_NO_MEMORY;
  } catch (std::bad_alloc&) {
    throw UIR_EXC_NO_MEMORY;
  }
}

// Loads panels (or menu bars) by index from 1 until the engine has no more; each is read and
// discarded again, also when reading it fails.
void CUIR::ReadObjects(bool panels) {
  for (int index = 1;; ++index) {
    const int handle = panels ? g_engine.loadPanel(0, m_path, index) : g_engine.loadMenuBar(0, m_path, index);
    if (handle <= 0) {
      if (handle == kNoSuchIndex) return;
      throw handle == kMalformed ? UIR_EXC_MALFORMED : UIR_EXC_ENGINE;
    }
    try {
      if (panels)
        ReadPanel(handle);
      else
        ReadMenuBar(handle);
    } catch (...) {
      if (panels)
        g_engine.discardPanel(handle);
      else
        g_engine.discardMenuBar(handle);
      throw;
    }
    if (panels)
      g_engine.discardPanel(handle);
    else
      g_engine.discardMenuBar(handle);
  }
}

// The panel's own callback (an answer other than 0 leaves it out), then its controls' from id 2
// until the engine has no control of that id.
void CUIR::ReadPanel(int panel) {
  CString name;
  if (ReadName([panel](int attribute, void* value) { return g_engine.getPanelAttribute(panel, attribute, value); },
               name) == 0)
    AddUnique(m_panelCallbacks, name);
  for (int control = 2;; ++control) {
    const int answer = ReadName(
        [panel, control](int attribute, void* value) {
          return g_engine.getCtrlAttribute(panel, control, attribute, value);
        },
        name);
    if (answer == kNoSuchId) return;
    if (answer != 0) throw UIR_EXC_ENGINE;
    AddUnique(m_controlCallbacks, name);
  }
}

// The bar's own callback (item 0), then its items' from id 2 until the engine has no such item.
void CUIR::ReadMenuBar(int menuBar) {
  CString name;
  for (int item = 0;; item = item == 0 ? 2 : item + 1) {
    const int answer = ReadName(
        [menuBar, item](int attribute, void* value) {
          return g_engine.getMenuBarAttribute(menuBar, item, attribute, value);
        },
        name);
    if (answer == kNoSuchId) {
      if (item == 0) continue;
      return;
    }
    if (answer != 0) throw UIR_EXC_ENGINE;
    AddUnique(m_menuCallbacks, name);
  }
}
