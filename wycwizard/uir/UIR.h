// CUIR: the callback names of one user-interface resource file (.uir), asked of the Wyc run-time
// engine ("wycrte.dll"), which is bound by name on first use so that nothing here knows the file
// format.
#pragma once

#include <afx.h>

#include <vector>

// Thrown by value.
enum CUIRExc {
  UIR_EXC_NO_MEMORY = 0,
  UIR_EXC_MALFORMED = 1,  // the engine answered -94 loading a panel or menu bar
  UIR_EXC_ENGINE = 2,     // any other engine error, or the engine could not be bound
};

// The string-table entry of the message shown when the engine cannot be bound. Every module that
// carries this code defines it for its own string table (54 in the Wyc plug-in, 110 in the Wyc
// add-in) and includes uir/UIRStrings.rc in its resource script.
extern const UINT g_nUIREngineMessageId;

class CUIR {
 public:
  enum { PANEL_CALLBACKS = 0, CONTROL_CALLBACKS = 1, MENU_CALLBACKS = 2 };

  CUIR();

  // Binds the engine once per module. A library that does not load or lacks an entry point is
  // shown to the user (the message above, once) and throws UIR_EXC_ENGINE, on that call and on
  // every later one, without calling the engine.
  static void LoadRunTimeEngine();

  // Fills the object from one file: binds the engine, clears, then reads every panel with its
  // controls and every menu bar with its items. Throws CUIRExc; the engine holds nothing loaded
  // afterwards.
  void ReadCallbacks(const CString& path);
  void Clear();

  // The distinct names (case-sensitive) of a kind, in the order first met; an unknown kind gives
  // an empty list.
  const std::vector<CString>& GetCallbacks(int kind) const;
  const CString& GetPath() const { return m_path; }

 private:
  void ReadObjects(bool panels);
  void ReadPanel(int panel);
  void ReadMenuBar(int menuBar);

  CString m_path;
  std::vector<CString> m_panelCallbacks;
  std::vector<CString> m_controlCallbacks;
  std::vector<CString> m_menuCallbacks;
};
