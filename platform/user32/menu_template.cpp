// Menu templates (RT_MENU): a header of two WORDs (version 0, then the offset of the items past
// it), then the items of the top level, each a WORD of flags, for a command a WORD id, and a
// UTF-16 text with its NUL; a MF_POPUP item is followed by its own items; MF_END marks the last
// item of a level. A command with id 0 and no text is a separator.
#include <cstring>
#include <optional>
#include <string>

#include "menu_state.h"
#include "user_state.h"

using namespace user32;
using namespace user32::menus;

namespace {

class Reader {
 public:
  Reader(const BYTE* bytes, size_t size) : bytes_(bytes), size_(size) {}

  std::optional<WORD> Word() {
    if (size_ - at_ < sizeof(WORD)) return std::nullopt;
    WORD value;
    std::memcpy(&value, bytes_ + at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  // A UTF-16 text up to its NUL, in the process code page.
  std::optional<std::string> Text() {
    std::u16string wide;
    for (;;) {
      auto unit = Word();
      if (!unit) return std::nullopt;
      if (*unit == 0) break;
      wide.push_back(static_cast<char16_t>(*unit));
    }
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), n, nullptr, nullptr);
    return text;
  }
  void Skip(size_t count) { at_ = count > size_ - at_ ? size_ : at_ + count; }

 private:
  const BYTE* bytes_;
  size_t size_;
  size_t at_ = 0;
};

// Reads one level into `menu` (made already); false for a template that ends too soon or nests
// deeper than any menu would.
bool ReadLevel(Reader& reader, HMENU menu, int depth) {
  if (depth > 32) return false;
  for (;;) {
    auto flags = reader.Word();
    if (!flags) return false;
    const bool last = (*flags & MF_END) != 0;
    const UINT itemFlags = *flags & ~MF_END;
    std::optional<WORD> id = WORD{0};
    if (!(itemFlags & MF_POPUP)) id = reader.Word();
    auto text = id ? reader.Text() : std::nullopt;
    if (!text) return false;
    if (itemFlags & MF_POPUP) {
      HMENU submenu = CreatePopupMenu();
      if (!ReadLevel(reader, submenu, depth + 1) ||
          !AppendMenu(menu, itemFlags, reinterpret_cast<UINT_PTR>(submenu), text->c_str())) {
        DestroyMenu(submenu);
        return false;
      }
    } else {
      const bool separator = *id == 0 && text->empty();
      AppendMenu(menu, separator ? (itemFlags | MF_SEPARATOR) : itemFlags, *id, separator ? nullptr : text->c_str());
    }
    if (last) return true;
  }
}

HMENU LoadTemplate(const void* bytes, size_t size) {
  Reader reader(static_cast<const BYTE*>(bytes), size);
  auto version = reader.Word();
  auto offset = reader.Word();
  if (!version || !offset) return Fail<HMENU>(ERROR_INVALID_DATA, nullptr);
  if (*version != 0) STANDIN_UNMODELLED_LASTERROR(nullptr);  // the extended template (MENUEX)
  reader.Skip(*offset);
  HMENU menu = CreateMenu();
  if (!ReadLevel(reader, menu, 0)) {
    DestroyMenu(menu);
    return Fail<HMENU>(ERROR_INVALID_DATA, nullptr);
  }
  return menu;
}

}  // namespace

extern "C" {

WINUSERAPI HMENU WINAPI LoadMenu(HINSTANCE instance, LPCSTR name) {
  if (instance == nullptr) instance = GetModuleHandle(nullptr);
  HRSRC resource = FindResource(instance, name, RT_MENU);
  if (resource == nullptr) return nullptr;
  HGLOBAL data = LoadResource(instance, resource);
  if (data == nullptr) return nullptr;
  return LoadTemplate(LockResource(data), SizeofResource(instance, resource));
}

// The template's size is not given: it is read until its last item, as the platform does.
WINUSERAPI HMENU WINAPI LoadMenuIndirect(const void* menuTemplate) {
  if (menuTemplate == nullptr) return Fail<HMENU>(ERROR_INVALID_PARAMETER, nullptr);
  return LoadTemplate(menuTemplate, static_cast<size_t>(-1) / 2);
}

}  // extern "C"
