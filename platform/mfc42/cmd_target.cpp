// CCmdTarget: message map look-up along the class chain, command routing, wait cursors.
#include <afxwin.h>

#include <atomic>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace afx_internal {

namespace {

// The message cache: a window's class chain never changes, so each thread keeps the last answer
// of each slot by map and message. Maps go only with their module, which moves the generation on.
std::atomic<unsigned> g_mapGeneration{0};

struct CachedLookup {
  const MessageMap* map = nullptr;
  UINT message = 0;
  unsigned generation = 0;
  const MessageEntry* entry = nullptr;
};
constexpr size_t kCacheSlots = 512;
thread_local CachedLookup t_lookups[kCacheSlots];

const MessageEntry* SearchMessageEntry(const MessageMap* map, UINT message) {
  for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr)
    for (const MessageEntry* e = map->entries; e->signature != Signature::kEnd; ++e) {
      if (e->message == WM_COMMAND && e->registered == nullptr) continue;
      if (e->registered != nullptr ? *e->registered == message : e->message == message) return e;
    }
  return nullptr;
}

}  // namespace

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message) {
  if (map == nullptr) return nullptr;
  CachedLookup& slot = t_lookups[(message ^ (reinterpret_cast<uintptr_t>(map) >> 3)) % kCacheSlots];
  const unsigned generation = g_mapGeneration.load(std::memory_order_acquire);
  if (slot.map == map && slot.message == message && slot.generation == generation) return slot.entry;
  slot = {map, message, generation, SearchMessageEntry(map, message)};
  return slot.entry;
}

void ForgetMessageMaps() { g_mapGeneration.fetch_add(1, std::memory_order_acq_rel); }

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
