// The handle table, selection into DCs, deferred deletion, the stock objects and the reset.
#include "gdi_state.h"

#include <cstring>
#include <vector>

namespace gdi32 {
namespace {

// Frees the object now (the caller made sure nothing holds it).
void FreeLocked(HGDIOBJ handle) { S().objects.erase(reinterpret_cast<uintptr_t>(handle)); }

// Stand-in reset: every object and DC but the permanent ones goes, as at the end of a process.
void ResetGdi() {
  std::lock_guard<std::mutex> g(Lock());
  std::erase_if(S().objects, [](const auto& entry) { return !entry.second->permanent; });
  for (auto& [value, object] : S().objects) {
    object->selections = 0;
    object->deletePending = false;
  }
  if (S().screen) std::fill(S().screen->pixels.begin(), S().screen->pixels.end(), kBlack);
}

struct Registration {
  Registration() { sandbox::internal::RegisterReset("gdi32", ResetGdi); }
} g_registration;

}  // namespace

LOGFONT SystemLogFont(LONG weight) {
  LOGFONT font{};
  font.lfHeight = 16;
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  std::strcpy(font.lfFaceName, "Unifont");
  return font;
}

State& S() {
  static State* state = new State;  // never destroyed: DCs may be released during exit
  return *state;
}

std::mutex& Lock() { return S().lock; }

Object* FindLocked(HGDIOBJ handle) {
  auto it = S().objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == S().objects.end() ? nullptr : it->second.get();
}

Object* FindLocked(HGDIOBJ handle, Kind kind) {
  Object* object = FindLocked(handle);
  return object != nullptr && object->kind == kind ? object : nullptr;
}

DeviceContext* DcLocked(HDC dc) {
  Object* object = FindLocked(dc, Kind::kDC);
  return object != nullptr ? &std::get<DeviceContext>(object->data) : nullptr;
}

HGDIOBJ AddLocked(Kind kind, decltype(Object::data) data, bool permanent) {
  auto object = std::make_unique<Object>();
  object->handle = reinterpret_cast<HGDIOBJ>(S().nextHandle);
  S().nextHandle += 4;
  object->kind = kind;
  object->permanent = permanent;
  object->data = std::move(data);
  const HGDIOBJ handle = object->handle;
  S().objects.emplace(reinterpret_cast<uintptr_t>(handle), std::move(object));
  return handle;
}

void ReleaseLocked(Object& object) {
  if (object.permanent) return;
  if (object.selections > 0) {
    object.deletePending = true;
    return;
  }
  FreeLocked(object.handle);
}

void SelectLocked(DeviceContext& dc, HDC handle, HGDIOBJ& slot, HGDIOBJ object) {
  if (slot == object) return;
  if (Object* old = FindLocked(slot)) {
    --old->selections;
    if (old->kind == Kind::kBitmap) std::get<BitmapObject>(old->data).selectedIn = nullptr;
    if (old->deletePending && old->selections == 0) FreeLocked(old->handle);
  }
  slot = object;
  if (Object* now = FindLocked(object)) {
    ++now->selections;
    if (now->kind == Kind::kBitmap) {
      auto& bitmap = std::get<BitmapObject>(now->data);
      // The stock bitmap stands in every fresh memory DC at once; any other is in one DC only.
      if (object != S().defaultBitmap) bitmap.selectedIn = handle;
      dc.surface = bitmap.surface;
      dc.visible = {bitmap.surface->Bounds()};
    }
  }
}

HDC NewDcLocked(DeviceContext dc) {
  EnsureStockLocked();
  const HDC handle = static_cast<HDC>(AddLocked(Kind::kDC, std::move(dc)));
  DeviceContext& made = *DcLocked(handle);
  made.pen = made.brush = made.font = made.bitmap = nullptr;
  SelectLocked(made, handle, made.pen, S().stock[BLACK_PEN]);
  SelectLocked(made, handle, made.brush, S().stock[WHITE_BRUSH]);
  SelectLocked(made, handle, made.font, S().stock[SYSTEM_FONT]);
  if (made.memory)
    SelectLocked(made, handle, made.bitmap, S().defaultBitmap);
  else
    made.bitmap = S().defaultBitmap;  // what GetCurrentObject answers; a window DC takes no bitmap
  return handle;
}

void DeleteDcLocked(HDC handle) {
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return;
  SelectLocked(*dc, handle, dc->pen, nullptr);
  SelectLocked(*dc, handle, dc->brush, nullptr);
  SelectLocked(*dc, handle, dc->font, nullptr);
  if (dc->memory) SelectLocked(*dc, handle, dc->bitmap, nullptr);
  FreeLocked(handle);
}

void EnsureStockLocked() {
  if (S().defaultBitmap != nullptr) return;
  const auto brush = [](UINT style, COLORREF color) {
    return AddLocked(Kind::kBrush, BrushObject{LOGBRUSH{style, color, 0}}, true);
  };
  const auto pen = [](UINT style, COLORREF color) {
    return AddLocked(Kind::kPen, PenObject{LOGPEN{style, {1, 0}, color}}, true);
  };
  S().stock[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
  S().stock[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
  S().stock[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
  S().stock[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
  S().stock[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
  S().stock[NULL_BRUSH] = brush(BS_NULL, 0);
  S().stock[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
  S().stock[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
  S().stock[NULL_PEN] = pen(PS_NULL, 0);
  for (int font : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT,
                   DEFAULT_GUI_FONT})
    S().stock[font] = AddLocked(Kind::kFont, FontObject{SystemLogFont(FW_NORMAL), 1}, true);
  S().defaultBitmap =
      static_cast<HBITMAP>(AddLocked(Kind::kBitmap, BitmapObject{std::make_shared<Surface>(1, 1, true), nullptr}, true));
}

Region ClipLocked(const DeviceContext& dc) {
  if (!dc.surface) return {};
  Region area = Intersect(dc.visible, dc.surface->Bounds());
  if (dc.clip) area = Intersect(area, Offset(*dc.clip, dc.origin.x, dc.origin.y));
  return area;
}

}  // namespace gdi32
