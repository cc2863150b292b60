// MFC: command targets and message maps. A class declares DECLARE_MESSAGE_MAP() and lists its
// handlers between BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(); a message is
// looked up in the class's map, then its base class's, and so on. Included by afxwin.h.
#pragma once

#include <type_traits>

#include "afx.h"

class CCmdTarget;
class CDC;
class CMenu;
class CPoint;
class CWnd;

#define afx_msg
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))
// The control-colour message of 16-bit Windows, under which MFC files every WM_CTLCOLORxxx.
#define WM_CTLCOLOR 0x0019
// A parent reflects a control's notifications back to the control's object as
// WM_REFLECT_BASE + the message (ON_CONTROL_REFLECT, ON_NOTIFY_REFLECT, ON_WM_CTLCOLOR_REFLECT).
#define WM_REFLECT_BASE 0xBC00

// What OnCmdMsg fills instead of calling the handler when it is given one.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  void (CCmdTarget::*pmf)();
};

namespace afx_internal {

// How an entry's handler is called.
enum class Signature : unsigned char {
  kEnd,
  kCommand,       // void (): ON_COMMAND
  kCommandRange,  // void (UINT id): ON_COMMAND_RANGE
  kMessage,       // LRESULT (WPARAM, LPARAM): ON_MESSAGE, ON_REGISTERED_MESSAGE
  kCreate,        // int (LPCREATESTRUCT): ON_WM_CREATE
  kVoid,          // void (): ON_WM_DESTROY, ON_WM_CLOSE, ON_WM_NCDESTROY
  kTimer,         // void (UINT idEvent): ON_WM_TIMER
  kEraseBkgnd,    // BOOL (CDC*): ON_WM_ERASEBKGND
  kMouse,         // void (UINT nFlags, CPoint): ON_WM_MOUSEMOVE, ON_WM_LBUTTONDOWN, ...
  kSetCursor,     // BOOL (CWnd*, UINT nHitTest, UINT message): ON_WM_SETCURSOR
  kEnable,        // void (BOOL): ON_WM_ENABLE
  kDrawItem,      // void (int nIDCtl, LPDRAWITEMSTRUCT): ON_WM_DRAWITEM
  kMeasureItem,   // void (int nIDCtl, LPMEASUREITEMSTRUCT): ON_WM_MEASUREITEM
  kInitMenuPopup, // void (CMenu*, UINT nIndex, BOOL bSysMenu): ON_WM_INITMENUPOPUP
  kCtlColor,      // HBRUSH (CDC*, CWnd*, UINT nCtlColor): ON_WM_CTLCOLOR
  kCtlColorReflect,  // HBRUSH (CDC*, UINT nCtlColor): ON_WM_CTLCOLOR_REFLECT
  kNotify,        // void (NMHDR*, LRESULT*): ON_NOTIFY_REFLECT
  kKey,           // void (UINT nChar, UINT nRepCnt, UINT nFlags): ON_WM_KEYDOWN, ON_WM_KEYUP, ON_WM_CHAR
  kWindow,        // void (CWnd*): ON_WM_SETFOCUS, ON_WM_KILLFOCUS, ON_WM_CAPTURECHANGED
  kContextMenu,   // void (CWnd*, CPoint): ON_WM_CONTEXTMENU
};

// A handler as a member of CCmdTarget of its own type; Signature says which one is set.
union Handler {
  void (CCmdTarget::*onCommand)();
  void (CCmdTarget::*onRange)(UINT);
  LRESULT (CCmdTarget::*onMessage)(WPARAM, LPARAM);
  int (CCmdTarget::*onCreate)(LPCREATESTRUCT);
  void (CCmdTarget::*onTimer)(UINT);
  BOOL (CCmdTarget::*onEraseBkgnd)(CDC*);
  void (CCmdTarget::*onMouse)(UINT, CPoint);
  BOOL (CCmdTarget::*onSetCursor)(CWnd*, UINT, UINT);
  void (CCmdTarget::*onEnable)(BOOL);
  void (CCmdTarget::*onDrawItem)(int, LPDRAWITEMSTRUCT);
  void (CCmdTarget::*onMeasureItem)(int, LPMEASUREITEMSTRUCT);
  void (CCmdTarget::*onInitMenuPopup)(CMenu*, UINT, BOOL);
  HBRUSH (CCmdTarget::*onCtlColor)(CDC*, CWnd*, UINT);
  HBRUSH (CCmdTarget::*onCtlColorReflect)(CDC*, UINT);
  void (CCmdTarget::*onNotify)(NMHDR*, LRESULT*);
  void (CCmdTarget::*onKey)(UINT, UINT, UINT);
  void (CCmdTarget::*onWindow)(CWnd*);
  void (CCmdTarget::*onContextMenu)(CWnd*, CPoint);
};

struct MessageEntry {
  UINT message;            // WM_COMMAND for commands; 0 for a registered message
  UINT code;               // the notification code of a command (CN_COMMAND for menus and buttons)
                           // or of a reflected notification
  UINT firstId, lastId;    // the command ids it handles
  const UINT* registered;  // ON_REGISTERED_MESSAGE: the variable that holds the message id
  Signature signature;
  Handler handler;
};

struct MessageMap {
  const MessageMap*(PASCAL* base)();
  const MessageEntry* entries;  // ends with a kEnd entry
};

// The first entry along the class's map chain that takes `message` (not WM_COMMAND), or null.
// Each thread keeps its recent answers by map and message, as MFC's message cache does.
STANDIN_API const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message);
// Every thread's kept answers are forgotten: a module's message maps are going.
STANDIN_API void ForgetMessageMaps();

// One object in every module that includes this header: it goes when the module unloads, and its
// maps with it, so that no kept answer outlives them.
struct ModuleMessageMaps {
  ~ModuleMessageMaps() { ForgetMessageMaps(); }
};
AFX_MODULE_LOCAL inline ModuleMessageMaps kModuleMessageMaps;
// The first command entry along the chain for the id and code, or null.
STANDIN_API const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code);
// The first entry along the chain for a reflected message (WM_REFLECT_BASE + the message) and,
// for WM_COMMAND and WM_NOTIFY, the notification code; null when there is none.
STANDIN_API const MessageEntry* FindReflectEntry(const MessageMap* map, UINT message, UINT code);

}  // namespace afx_internal

#define DECLARE_MESSAGE_MAP()                                                   \
 protected:                                                                     \
  static const ::afx_internal::MessageMap* PASCAL GetThisMessageMap();         \
  const ::afx_internal::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                      \
  const ::afx_internal::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const ::afx_internal::MessageMap* PASCAL theClass::GetThisMessageMap() {                          \
    typedef theClass ThisClass;                                                                     \
    typedef baseClass TheBaseClass;                                                                 \
    static const ::afx_internal::MessageEntry kEntries[] = {

#define END_MESSAGE_MAP()                                                                       \
  {0, 0, 0, 0, nullptr, ::afx_internal::Signature::kEnd, {.onCommand = nullptr}}};                \
  static_assert(std::is_base_of_v<TheBaseClass, ThisClass>, "the map's base is the class's base"); \
  static const ::afx_internal::MessageMap kMap = {&TheBaseClass::GetThisMessageMap, kEntries};  \
  return &kMap;                                                                                 \
  }

#define AFX_INTERNAL_HANDLER(member, type, memberFxn) {.member = static_cast<type>(&ThisClass::memberFxn)}

#define ON_COMMAND(id, memberFxn)                                                                 \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr,                 \
   ::afx_internal::Signature::kCommand, AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                   \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr,             \
   ::afx_internal::Signature::kCommandRange, AFX_INTERNAL_HANDLER(onRange, void (CCmdTarget::*)(UINT), memberFxn)},
#define ON_MESSAGE(msg, memberFxn)                                                            \
  {static_cast<UINT>(msg), 0, 0, 0, nullptr, ::afx_internal::Signature::kMessage,             \
   AFX_INTERNAL_HANDLER(onMessage, LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                        \
  {0, 0, 0, 0, &(nMessageVariable), ::afx_internal::Signature::kMessage,                         \
   AFX_INTERNAL_HANDLER(onMessage, LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
#define ON_WM_CREATE()                                                                            \
  {WM_CREATE, 0, 0, 0, nullptr, ::afx_internal::Signature::kCreate,                               \
   AFX_INTERNAL_HANDLER(onCreate, int (CCmdTarget::*)(LPCREATESTRUCT), OnCreate)},
#define ON_WM_DESTROY()                                                                           \
  {WM_DESTROY, 0, 0, 0, nullptr, ::afx_internal::Signature::kVoid,                                \
   AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), OnDestroy)},
#define ON_WM_NCDESTROY()                                                                         \
  {WM_NCDESTROY, 0, 0, 0, nullptr, ::afx_internal::Signature::kVoid,                              \
   AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), OnNcDestroy)},
#define ON_WM_CLOSE()                                                                             \
  {WM_CLOSE, 0, 0, 0, nullptr, ::afx_internal::Signature::kVoid,                                 \
   AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), OnClose)},
#define ON_WM_PAINT()                                                                             \
  {WM_PAINT, 0, 0, 0, nullptr, ::afx_internal::Signature::kVoid,                                  \
   AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), OnPaint)},
#define ON_WM_ERASEBKGND()                                                                        \
  {WM_ERASEBKGND, 0, 0, 0, nullptr, ::afx_internal::Signature::kEraseBkgnd,                       \
   AFX_INTERNAL_HANDLER(onEraseBkgnd, BOOL (CCmdTarget::*)(CDC*), OnEraseBkgnd)},
#define ON_WM_TIMER()                                                                             \
  {WM_TIMER, 0, 0, 0, nullptr, ::afx_internal::Signature::kTimer,                                 \
   AFX_INTERNAL_HANDLER(onTimer, void (CCmdTarget::*)(UINT), OnTimer)},

#define AFX_INTERNAL_ENTRY(msg, signature, member, type, memberFxn)                 \
  {static_cast<UINT>(msg), 0, 0, 0, nullptr, ::afx_internal::Signature::signature, \
   AFX_INTERNAL_HANDLER(member, type, memberFxn)},
#define AFX_INTERNAL_MOUSE(msg, memberFxn) \
  AFX_INTERNAL_ENTRY(msg, kMouse, onMouse, void (CCmdTarget::*)(UINT, CPoint), memberFxn)
#define ON_WM_MOUSEMOVE() AFX_INTERNAL_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_INTERNAL_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_INTERNAL_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_INTERNAL_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_INTERNAL_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_INTERNAL_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_SETCURSOR() \
  AFX_INTERNAL_ENTRY(WM_SETCURSOR, kSetCursor, onSetCursor, BOOL (CCmdTarget::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_ENABLE() AFX_INTERNAL_ENTRY(WM_ENABLE, kEnable, onEnable, void (CCmdTarget::*)(BOOL), OnEnable)
#define ON_WM_DRAWITEM() \
  AFX_INTERNAL_ENTRY(WM_DRAWITEM, kDrawItem, onDrawItem, void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                            \
  AFX_INTERNAL_ENTRY(WM_MEASUREITEM, kMeasureItem, onMeasureItem, void (CCmdTarget::*)(int, LPMEASUREITEMSTRUCT), \
                     OnMeasureItem)
#define ON_WM_INITMENUPOPUP()                                                                             \
  AFX_INTERNAL_ENTRY(WM_INITMENUPOPUP, kInitMenuPopup, onInitMenuPopup, void (CCmdTarget::*)(CMenu*, UINT, BOOL), \
                     OnInitMenuPopup)
#define AFX_INTERNAL_KEY(msg, memberFxn) \
  AFX_INTERNAL_ENTRY(msg, kKey, onKey, void (CCmdTarget::*)(UINT, UINT, UINT), memberFxn)
#define ON_WM_KEYDOWN() AFX_INTERNAL_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_INTERNAL_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_INTERNAL_KEY(WM_CHAR, OnChar)
#define AFX_INTERNAL_WINDOW(msg, memberFxn) \
  AFX_INTERNAL_ENTRY(msg, kWindow, onWindow, void (CCmdTarget::*)(CWnd*), memberFxn)
#define ON_WM_SETFOCUS() AFX_INTERNAL_WINDOW(WM_SETFOCUS, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_INTERNAL_WINDOW(WM_KILLFOCUS, OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_INTERNAL_WINDOW(WM_CAPTURECHANGED, OnCaptureChanged)
#define ON_WM_CONTEXTMENU() \
  AFX_INTERNAL_ENTRY(WM_CONTEXTMENU, kContextMenu, onContextMenu, void (CCmdTarget::*)(CWnd*, CPoint), OnContextMenu)
// Every WM_CTLCOLORxxx comes to the WM_CTLCOLOR entry with its kind (CTLCOLOR_STATIC ...).
#define ON_WM_CTLCOLOR() \
  AFX_INTERNAL_ENTRY(WM_CTLCOLOR, kCtlColor, onCtlColor, HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT), OnCtlColor)
// In a control's map: what its parent reflects to it. A control colour handler answering NULL
// lets the parent answer nothing either.
#define ON_WM_CTLCOLOR_REFLECT()                                                                          \
  AFX_INTERNAL_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, kCtlColorReflect, onCtlColorReflect,                   \
                     HBRUSH (CCmdTarget::*)(CDC*, UINT), CtlColor)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                        \
  {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(wNotifyCode), 0, 0, nullptr,                           \
   ::afx_internal::Signature::kCommand, AFX_INTERNAL_HANDLER(onCommand, void (CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                         \
  {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(wNotifyCode), 0, 0, nullptr,                            \
   ::afx_internal::Signature::kNotify,                                                                     \
   AFX_INTERNAL_HANDLER(onNotify, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},

// The root of everything that takes commands: windows, threads, the application, documents and
// their templates.
class STANDIN_API CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget();
  ~CCmdTarget() override;

  // Calls the handler of this target's map for command nID with notification code nCode
  // (CN_COMMAND for menus, accelerators and button clicks) and returns TRUE; FALSE when the map
  // has none. With pHandlerInfo it only tells which handler would run. CN_UPDATE_COMMAND_UI has
  // no handlers here (command-user-interface updates are not modelled).
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The wait cursor: nothing is shown; the application counts them (CWinApp::m_nWaitCursorCount).
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const ::afx_internal::MessageMap* PASCAL GetThisMessageMap();
  virtual const ::afx_internal::MessageMap* GetMessageMap() const;
};

// Counts a wait cursor for its lifetime.
class STANDIN_API CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();
};
