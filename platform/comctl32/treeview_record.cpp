// The sandbox's record of one tree view's messages and their replay into another
// (sandbox/comctl32.h): what a benchmark needs to weigh a tree control's own work beside the
// control's.
#include <atomic>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "sandbox/comctl32.h"
#include "sandbox/internal.h"
#include "treeview.h"

namespace comctl32::treeview {
namespace {

struct Recorder {
  std::atomic<HWND> window{nullptr};
  std::mutex lock;
  std::vector<sandbox::TreeViewMessage> messages;
};

Recorder& R() {
  static auto* recorder = [] {
    auto* made = new Recorder;
    sandbox::internal::RegisterReset("comctl32.treeview.record", [made] {
      std::lock_guard<std::mutex> g(made->lock);
      made->window = nullptr;
      made->messages.clear();
    });
    return made;
  }();
  return *recorder;
}

struct Registration {
  Registration() { R(); }  // the reset is registered as the module loads
} g_registration;

size_t DataSize(UINT message) {
  switch (message) {
    case TVM_INSERTITEM: return sizeof(TVINSERTSTRUCT);
    case TVM_SETITEM:
    case TVM_GETITEM: return sizeof(TVITEM);
    case TVM_GETITEMRECT: return sizeof(RECT);
    case TVM_HITTEST: return sizeof(TVHITTESTINFO);
    case TVM_SORTCHILDRENCB: return sizeof(TVSORTCB);
    default: return 0;
  }
}

// The item text a structure carries, when it carries one.
const TVITEM* ItemOf(UINT message, const void* data) {
  if (message == TVM_INSERTITEM) return &static_cast<const TVINSERTSTRUCT*>(data)->item;
  if (message == TVM_SETITEM) return static_cast<const TVITEM*>(data);
  return nullptr;
}

bool CarriesText(const TVITEM* item) {
  return item != nullptr && (item->mask & TVIF_TEXT) && item->pszText != nullptr && item->pszText != LPSTR_TEXTCALLBACK;
}

}  // namespace

bool Recording(HWND window) { return R().window.load(std::memory_order_relaxed) == window; }

void RecordMessage(Tree& tree, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result) {
  sandbox::TreeViewMessage record;
  record.message = message;
  record.wParam = wParam;
  record.lParam = lParam;
  record.result = result;
  if (const size_t size = DataSize(message); size != 0 && lParam != 0) {
    record.data.assign(reinterpret_cast<const unsigned char*>(lParam), reinterpret_cast<const unsigned char*>(lParam) + size);
    const TVITEM* item = ItemOf(message, reinterpret_cast<const void*>(lParam));
    if (CarriesText(item)) {
      record.text = item->pszText;
      record.hasText = true;
    }
  }
  if (message == TVM_SORTCHILDRENCB && lParam != 0) {
    const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
    const Item* parent = sort->hParent == TVI_ROOT || sort->hParent == nullptr ? &tree.root : tree.Find(sort->hParent);
    for (const Item* child = parent != nullptr ? parent->firstChild : nullptr; child != nullptr; child = child->next)
      record.order.push_back(child->lParam);
  }
  std::lock_guard<std::mutex> g(R().lock);
  R().messages.push_back(std::move(record));
}

}  // namespace comctl32::treeview

namespace {

// The replay's callback sort: each item data's place in the recorded order.
int CALLBACK CompareByRecordedPlace(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  const auto& places = *reinterpret_cast<const std::unordered_map<LPARAM, size_t>*>(lParamSort);
  const auto a = places.find(lParam1), b = places.find(lParam2);
  const size_t x = a != places.end() ? a->second : SIZE_MAX, y = b != places.end() ? b->second : SIZE_MAX;
  return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace

namespace sandbox {

void RecordTreeViewMessages(const void* window) {
  auto& r = comctl32::treeview::R();
  std::lock_guard<std::mutex> g(r.lock);
  if (window != nullptr) r.messages.clear();
  r.window = static_cast<HWND>(const_cast<void*>(window));
}

std::vector<TreeViewMessage> RecordedTreeViewMessages() {
  auto& r = comctl32::treeview::R();
  std::lock_guard<std::mutex> g(r.lock);
  return r.messages;
}

size_t ReplayTreeViewMessages(const void* window, const std::vector<TreeViewMessage>& messages) {
  const HWND tree = static_cast<HWND>(const_cast<void*>(window));
  std::unordered_map<HTREEITEM, HTREEITEM> handles;
  const auto mapped = [&](HTREEITEM recorded) {
    auto found = handles.find(recorded);
    return found != handles.end() ? found->second : recorded;
  };
  std::vector<char> buffer;
  std::unordered_map<LPARAM, size_t> places;
  size_t sent = 0;
  for (const TreeViewMessage& m : messages) {
    union {
      TVINSERTSTRUCT insert;
      TVITEM item;
      RECT rect;
      TVHITTESTINFO hit;
      TVSORTCB sort;
    } data{};
    LPARAM lParam = m.lParam;
    if (!m.data.empty()) {
      std::memcpy(&data, m.data.data(), std::min(m.data.size(), sizeof data));
      lParam = reinterpret_cast<LPARAM>(&data);
    }
    TVITEM* item = m.message == TVM_INSERTITEM ? &data.insert.item
                   : (m.message == TVM_SETITEM || m.message == TVM_GETITEM) && !m.data.empty() ? &data.item
                                                                                               : nullptr;
    if (item != nullptr) {
      item->hItem = mapped(item->hItem);
      if (m.hasText) {
        item->pszText = const_cast<LPSTR>(m.text.c_str());
      } else if (m.message == TVM_GETITEM && (item->mask & TVIF_TEXT)) {
        buffer.resize(static_cast<size_t>(std::max(item->cchTextMax, 1)));
        item->pszText = buffer.data();
      }
    }
    switch (m.message) {
      case TVM_INSERTITEM:
        data.insert.hParent = mapped(data.insert.hParent);
        data.insert.hInsertAfter = mapped(data.insert.hInsertAfter);
        break;
      case TVM_GETITEMRECT: {
        HTREEITEM recorded = nullptr;
        std::memcpy(&recorded, &data.rect, sizeof recorded);
        const HTREEITEM replayed = mapped(recorded);
        std::memcpy(&data.rect, &replayed, sizeof replayed);
        break;
      }
      case TVM_SORTCHILDRENCB:
        places.clear();
        for (size_t i = 0; i < m.order.size(); ++i) places.emplace(m.order[i], i);
        data.sort.hParent = mapped(data.sort.hParent);
        data.sort.lpfnCompare = CompareByRecordedPlace;
        data.sort.lParam = reinterpret_cast<LPARAM>(&places);
        break;
      case TVM_DELETEITEM:
      case TVM_EXPAND:
      case TVM_SELECTITEM:
      case TVM_ENSUREVISIBLE:
      case TVM_GETNEXTITEM:
      case TVM_EDITLABEL:
      case TVM_SORTCHILDREN:
        lParam = reinterpret_cast<LPARAM>(mapped(reinterpret_cast<HTREEITEM>(m.lParam)));
        break;
      default:
        break;
    }
    const LRESULT result = SendMessage(tree, m.message, m.wParam, lParam);
    if (m.message == TVM_INSERTITEM && m.result != 0)
      handles[reinterpret_cast<HTREEITEM>(m.result)] = reinterpret_cast<HTREEITEM>(result);
    ++sent;
  }
  return sent;
}

}  // namespace sandbox
