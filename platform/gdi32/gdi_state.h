// gdi32's state: every object and DC of the process behind one handle table and one lock.
//
// Locking: each call takes the lock for its whole work (drawing included) and calls nothing that
// could call back into gdi32, so the lock is never taken twice. Other stand-ins (user32) take
// their own lock before this one, never after.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>

#include "gdi32/gdi32_internal.h"
#include "gdi32/rect_region.h"
#include "gdi32/surface.h"
#include "sandbox/internal.h"

namespace gdi32 {

struct BitmapObject {
  std::shared_ptr<Surface> surface;
  HDC selectedIn = nullptr;  // a bitmap is in at most one DC
};

struct BrushObject {
  LOGBRUSH log{};
};

struct PenObject {
  LOGPEN log{};
};

struct FontObject {
  LOGFONT log{};
  int scale = 1;  // k: the glyphs are 16k pixels high
};

struct DeviceContext {
  bool memory = false;                // a memory DC: takes bitmaps
  std::shared_ptr<Surface> surface;   // the selected bitmap's, the window's or the screen's
  POINT origin{0, 0};                 // where logical (0, 0) is on the surface
  Region visible;                     // surface coordinates; a memory DC's is its bitmap's bounds
  std::optional<RECT> clip;           // IntersectClipRect, logical coordinates
  HGDIOBJ bitmap = nullptr, brush = nullptr, pen = nullptr, font = nullptr;
  COLORREF text = kBlack, background = kWhite;
  int backgroundMode = OPAQUE;
  POINT position{0, 0};
};

enum class Kind { kDC, kBitmap, kBrush, kPen, kFont };

struct Object {
  HGDIOBJ handle = nullptr;
  Kind kind = Kind::kBrush;
  bool permanent = false;      // stock objects and the system colours' brushes: never deleted
  bool deletePending = false;  // DeleteObject while selected: goes when it leaves its last DC
  int selections = 0;          // DCs it is selected into
  std::variant<DeviceContext, BitmapObject, BrushObject, PenObject, FontObject> data;
};

struct State {
  std::mutex lock;
  std::unordered_map<uintptr_t, std::unique_ptr<Object>> objects;
  uintptr_t nextHandle = 0x00400010;
  HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
  HBITMAP defaultBitmap = nullptr;  // the 1 x 1 monochrome bitmap of a fresh memory DC
  std::shared_ptr<Surface> screen;
};

State& S();
std::mutex& Lock();

// With the lock held.
Object* FindLocked(HGDIOBJ handle);
Object* FindLocked(HGDIOBJ handle, Kind kind);
DeviceContext* DcLocked(HDC dc);
HGDIOBJ AddLocked(Kind kind, decltype(Object::data) data, bool permanent = false);
// Frees the object unless it is permanent or still selected (then it goes when it leaves).
void ReleaseLocked(Object& object);
// A DC with the default objects selected.
HDC NewDcLocked(DeviceContext dc);
// Every object is selected into a new DC through this, and taken out through it.
void SelectLocked(DeviceContext& dc, HDC handle, HGDIOBJ& slot, HGDIOBJ object);
void DeleteDcLocked(HDC dc);
// The stock objects, made on first use.
void EnsureStockLocked();

// Where a DC's drawing may go: its visible region, its bitmap or surface, and its clip
// rectangle, in surface coordinates.
Region ClipLocked(const DeviceContext& dc);

template <class T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace gdi32
