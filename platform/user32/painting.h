// What painting shares across user32: update regions, where a window's DCs may draw, the
// pictures of top-level windows, and the WM_PAINT that the queue makes.
#pragma once

#include "gdi32/gdi32_internal.h"
#include "user_state.h"

namespace user32 {

// With the lock held.

// Whether the window shows: it and every ancestor visible, redrawing on for each.
bool ShowsLocked(const Window& window);
// The window's top-left corner in its top-level window's coordinates.
POINT OffsetInRootLocked(const Window& window);
// Where the window's DCs may draw, in its top-level window's coordinates: its rectangle within
// its ancestors' client areas, without visible children (WS_CLIPCHILDREN) and visible siblings
// above it (WS_CLIPSIBLINGS, for it and each ancestor); empty for a window that does not show.
gdi32::Region VisibleLocked(const Window& window);
// The top-level window's picture at its present size (the part that still fits kept).
std::shared_ptr<gdi32::Surface> SurfaceLocked(Window& root);

// Adds the rectangle (client coordinates; null: the whole client area) to the window's update
// region and, unless `children` says otherwise, to the visible children it touches (a window
// without WS_CLIPCHILDREN would paint over them). Windows that do not show are left alone. The
// windows' threads are woken.
enum class Children { kByStyle, kAll, kNone };
void InvalidateLocked(Window& window, const RECT* rect, bool erase, Children children);
void ValidateLocked(Window& window, const RECT* rect, Children children);
// The first window of the thread with something to paint: top-level windows in z-order, each
// before its children; null when none.
HWND PendingPaintLocked(DWORD thread, HWND filter);

// Invalidates, with erasing, the part of the parent's client area where the child was (`where`,
// the parent's client coordinates): a visible child went away or moved.
void ExposeLocked(const Window& child, const RECT& where);

}  // namespace user32
