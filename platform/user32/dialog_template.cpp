// Reading DLGTEMPLATE and DLGTEMPLATEEX: a fixed header, then the menu, class and title (each an
// ordinal or a UTF-16 string), the font when the style has DS_SETFONT, then each item on a 4-byte
// boundary: its fixed part, class, title and creation data.
#include "dialog_template.h"

#include <cstring>

namespace user32::dialogs {
namespace {

// The predefined control classes' ordinals.
const char* PredefinedClass(WORD ordinal) {
  switch (ordinal) {
    case 0x0080:
      return "Button";
    case 0x0081:
      return "Edit";
    case 0x0082:
      return "Static";
    case 0x0083:
      return "ListBox";
    case 0x0084:
      return "ScrollBar";
    case 0x0085:
      return "ComboBox";
    default:
      return nullptr;
  }
}

class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool Ok() const { return ok_; }

  template <class T>
  T Read() {
    T value{};
    if (!Need(sizeof(T))) return value;
    std::memcpy(&value, data_ + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }

  // A NUL-terminated UTF-16 string, in the process code page.
  std::string String() {
    std::u16string wide;
    for (;;) {
      const WORD c = Read<WORD>();
      if (!ok_ || c == 0) break;
      wide.push_back(static_cast<char16_t>(c));
    }
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide.data()), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
      WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide.data()), static_cast<int>(wide.size()), text.data(),
                          n, nullptr, nullptr);
    return text;
  }

  NameOrOrdinal NameOrOrdinalField() {
    NameOrOrdinal field;
    const size_t start = at_;
    const WORD first = Read<WORD>();
    if (!ok_) return field;
    if (first == 0xFFFF) {
      field.ordinal = Read<WORD>();
      return field;
    }
    at_ = start;
    field.text = String();
    return field;
  }

  std::vector<BYTE> Bytes(size_t count) {
    if (!Need(count)) return {};
    std::vector<BYTE> bytes(data_ + at_, data_ + at_ + count);
    at_ += count;
    return bytes;
  }

  void AlignTo4() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }

 private:
  bool Need(size_t count) {
    if (!ok_ || at_ > size_ || size_ - at_ < count) ok_ = false;
    return ok_;
  }

  const BYTE* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

ItemTemplate ReadItem(Reader& in, bool extended) {
  ItemTemplate item;
  in.AlignTo4();
  if (extended) {
    in.Read<DWORD>();  // help id
    item.exStyle = in.Read<DWORD>();
    item.style = in.Read<DWORD>();
  } else {
    item.style = in.Read<DWORD>();
    item.exStyle = in.Read<DWORD>();
  }
  item.x = in.Read<short>();
  item.y = in.Read<short>();
  item.cx = in.Read<short>();
  item.cy = in.Read<short>();
  item.id = extended ? in.Read<DWORD>() : in.Read<WORD>();
  const NameOrOrdinal windowClass = in.NameOrOrdinalField();
  if (windowClass.IsOrdinal()) {
    const char* name = PredefinedClass(windowClass.ordinal);
    item.className = name != nullptr ? name : "#" + std::to_string(windowClass.ordinal);
  } else {
    item.className = windowClass.text;
  }
  item.title = in.NameOrOrdinalField();
  const WORD extra = in.Read<WORD>();
  item.creationData = in.Bytes(extra);
  return item;
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(const void* data, size_t size) {
  if (data == nullptr) return std::nullopt;
  Reader in(static_cast<const BYTE*>(data), size);
  DialogTemplate t;
  const WORD version = in.Read<WORD>(), signature = in.Read<WORD>();
  t.extended = version == 1 && signature == 0xFFFF;
  WORD count;
  if (t.extended) {
    in.Read<DWORD>();  // help id
    t.exStyle = in.Read<DWORD>();
    t.style = in.Read<DWORD>();
  } else {
    in = Reader(static_cast<const BYTE*>(data), size);
    t.style = in.Read<DWORD>();
    t.exStyle = in.Read<DWORD>();
  }
  count = in.Read<WORD>();
  t.x = in.Read<short>();
  t.y = in.Read<short>();
  t.cx = in.Read<short>();
  t.cy = in.Read<short>();
  t.menu = in.NameOrOrdinalField();
  t.windowClass = in.NameOrOrdinalField();
  t.title = in.String();
  if (t.style & DS_SETFONT) {
    t.hasFont = true;
    t.pointSize = in.Read<WORD>();
    if (t.extended) {
      t.weight = in.Read<WORD>();
      t.italic = in.Read<BYTE>() != 0;
      t.charset = in.Read<BYTE>();
    }
    t.face = in.String();
  }
  for (WORD i = 0; i < count && in.Ok(); ++i) t.items.push_back(ReadItem(in, t.extended));
  if (!in.Ok()) return std::nullopt;
  return t;
}

}  // namespace user32::dialogs
