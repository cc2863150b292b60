// CCmdTarget: message map look-up along the class chain, command routing, wait cursors.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace afx_internal {

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message) {
  for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
    for (const MessageEntry* e = map->entries; e->signature != Signature::kEnd; ++e) {
      if (e->message == WM_COMMAND && e->registered == nullptr) continue;
      if (e->registered != nullptr ? *e->registered == message : e->message == message) return e;
    }
  return nullptr;
}

const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code) {
  for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
    for (const MessageEntry* e = map->entries; e->signature != Signature::kEnd; ++e)
      if (e->message == WM_COMMAND && e->registered == nullptr && e->code == code && id >= e->firstId &&
          id <= e->lastId)
        return e;
  return nullptr;
}

const MessageEntry* FindReflectEntry(const MessageMap* map, UINT message, UINT code) {
  for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
    for (const MessageEntry* e = map->entries; e->signature != Signature::kEnd; ++e)
      if (e->registered == nullptr && e->message == message && e->code == code) return e;
  return nullptr;
}

}  // namespace afx_internal

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

const afx_internal::MessageMap* PASCAL CCmdTarget::GetThisMessageMap() {
  static const afx_internal::MessageEntry kEntries[] = {
      {0, 0, 0, 0, nullptr, afx_internal::Signature::kEnd, {.onCommand = nullptr}}};
  static const afx_internal::MessageMap kMap = {nullptr, kEntries};
  return &kMap;
}

const afx_internal::MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (static_cast<UINT>(nCode) == CN_UPDATE_COMMAND_UI) return FALSE;
  const afx_internal::MessageEntry* entry =
      afx_internal::FindCommandEntry(GetMessageMap(), nID, static_cast<UINT>(nCode));
  if (entry == nullptr) return FALSE;
  if (pHandlerInfo != NULL) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = entry->signature == afx_internal::Signature::kCommand ? entry->handler.onCommand : nullptr;
    return TRUE;
  }
  if (entry->signature == afx_internal::Signature::kCommandRange)
    (this->*entry->handler.onRange)(nID);
  else
    (this->*entry->handler.onCommand)();
  return TRUE;
}

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
}

void CWaitCursor::Restore() {
  if (CWinApp* app = AfxGetApp()) app->RestoreWaitCursor();
}
