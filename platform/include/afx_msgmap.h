// MFC: command targets and message maps. A class declares DECLARE_MESSAGE_MAP() and lists its
// handlers between BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(); a message is
// looked up in the class's map, then its base class's, and so on. Included by afxwin.h.
#pragma once

#include <type_traits>

#include "afx.h"

class CCmdTarget;
class CDC;

#define afx_msg
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))

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
};

// A handler as a member of CCmdTarget of its own type; Signature says which one is set.
union Handler {
  void (CCmdTarget::*onCommand)();
  void (CCmdTarget::*onRange)(UINT);
  LRESULT (CCmdTarget::*onMessage)(WPARAM, LPARAM);
  int (CCmdTarget::*onCreate)(LPCREATESTRUCT);
  void (CCmdTarget::*onTimer)(UINT);
  BOOL (CCmdTarget::*onEraseBkgnd)(CDC*);
};

struct MessageEntry {
  UINT message;            // WM_COMMAND for commands; 0 for a registered message
  UINT code;               // the notification code of a command (CN_COMMAND for menus and buttons)
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
STANDIN_API const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message);
// The first command entry along the chain for the id and code, or null.
STANDIN_API const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code);

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
