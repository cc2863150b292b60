// Item identifier lists: an SHITEMID is its 2-byte size and its data, and a zero size ends the
// list. Ours carry one item: the signature, then the folder path with its NUL.
#include "item_ids.h"

#include <cstring>

namespace shell32 {
namespace {

constexpr char kSignature[4] = {'S', 'W', 'F', 'S'};
constexpr size_t kSizeField = sizeof(USHORT);

}  // namespace

LPITEMIDLIST MakeFolderIdList(const std::string& path) {
  const size_t item = kSizeField + sizeof kSignature + path.size() + 1;
  if (item > 0xFFFF) return NULL;
  auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(item + kSizeField));
  if (bytes == NULL) return NULL;
  const USHORT cb = static_cast<USHORT>(item);
  std::memcpy(bytes, &cb, kSizeField);
  std::memcpy(bytes + kSizeField, kSignature, sizeof kSignature);
  std::memcpy(bytes + kSizeField + sizeof kSignature, path.c_str(), path.size() + 1);
  std::memset(bytes + item, 0, kSizeField);
  return reinterpret_cast<LPITEMIDLIST>(bytes);
}

bool IsEmptyIdList(LPCITEMIDLIST pidl) { return pidl != NULL && pidl->mkid.cb == 0; }

std::optional<std::string> FolderPathOf(LPCITEMIDLIST pidl) {
  if (pidl == NULL) return std::nullopt;
  const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
  USHORT cb;
  std::memcpy(&cb, bytes, kSizeField);
  if (cb < kSizeField + sizeof kSignature + 1 || std::memcmp(bytes + kSizeField, kSignature, sizeof kSignature) != 0)
    return std::nullopt;
  const char* text = reinterpret_cast<const char*>(bytes + kSizeField + sizeof kSignature);
  const size_t room = cb - kSizeField - sizeof kSignature;
  const size_t length = strnlen(text, room);
  if (length == room) return std::nullopt;  // no NUL inside the item: not ours
  USHORT next;
  std::memcpy(&next, bytes + cb, kSizeField);
  if (next != 0) return std::nullopt;  // ours hold exactly one item
  return std::string(text, length);
}

}  // namespace shell32

extern "C" {

// ILFree: frees a list from the shell allocator (the task allocator); NULL does nothing.
SHSTDAPI_(void) ILFree(LPITEMIDLIST pidl) { CoTaskMemFree(pidl); }

}  // extern "C"
