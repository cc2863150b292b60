// Update regions, visible regions and the pictures of top-level windows.
#include "painting.h"

namespace user32 {

using gdi32::Region;

bool ShowsLocked(const Window& window) {
  for (auto w = FindLocked(window.handle); w && w->handle != S().desktop; w = FindLocked(w->parent))
    if ((w->style & WS_VISIBLE) == 0 || !w->redraw) return false;
  return true;
}

POINT OffsetInRootLocked(const Window& window) {
  POINT offset{0, 0};
  for (auto w = FindLocked(window.handle); w && w->parent != S().desktop && w->parent != nullptr;
       w = FindLocked(w->parent)) {
    offset.x += w->rect.left;
    offset.y += w->rect.top;
  }
  return offset;
}

namespace {

RECT ClientInRoot(const Window& window) {
  const POINT o = OffsetInRootLocked(window);
  return {o.x, o.y, o.x + (window.rect.right - window.rect.left), o.y + (window.rect.bottom - window.rect.top)};
}

}  // namespace

Region VisibleLocked(const Window& window) {
  if (!ShowsLocked(window)) return {};
  Region region{ClientInRoot(window)};
  for (auto w = FindLocked(window.handle); w && w->parent != S().desktop && w->parent != nullptr;
       w = FindLocked(w->parent)) {
    auto parent = FindLocked(w->parent);
    if (!parent) break;
    const RECT client = ClientInRoot(*parent);
    region = gdi32::Intersect(region, client);
    if (w->style & WS_CLIPSIBLINGS) {
      for (HWND sibling : parent->children) {
        if (sibling == w->handle) break;  // only those above it
        auto s = FindLocked(sibling);
        if (s && (s->style & WS_VISIBLE)) region = gdi32::Subtract(region, gdi32::Offset(s->rect, client.left, client.top));
      }
    }
  }
  if (window.style & WS_CLIPCHILDREN) {
    const RECT client = ClientInRoot(window);
    for (HWND child : window.children) {
      auto c = FindLocked(child);
      if (c && (c->style & WS_VISIBLE)) region = gdi32::Subtract(region, gdi32::Offset(c->rect, client.left, client.top));
    }
  }
  return region;
}

std::shared_ptr<gdi32::Surface> SurfaceLocked(Window& root) {
  const int width = root.rect.right - root.rect.left, height = root.rect.bottom - root.rect.top;
  if (!root.surface || root.surface->width != width || root.surface->height != height)
    root.surface = gdi32::ResizedSurface(root.surface, width, height);
  return root.surface;
}

void InvalidateLocked(Window& window, const RECT* rect, bool erase, Children children) {
  if (!ShowsLocked(window)) return;
  const RECT client{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
  const RECT r = rect != nullptr ? gdi32::Intersection(gdi32::Normalized(*rect), client) : client;
  if (gdi32::IsEmpty(r)) return;
  window.update = gdi32::Union(window.update, r);
  window.erase = window.erase || erase;
  if (auto queue = QueueOfLocked(window.thread)) Wake(*queue);
  const bool passOn = children == Children::kAll || (children == Children::kByStyle && !(window.style & WS_CLIPCHILDREN));
  if (!passOn) return;
  for (HWND handle : window.children) {
    auto child = FindLocked(handle);
    if (!child) continue;
    const RECT part = gdi32::Intersection(r, child->rect);
    if (gdi32::IsEmpty(part)) continue;
    const RECT inChild = gdi32::Offset(part, -child->rect.left, -child->rect.top);
    InvalidateLocked(*child, &inChild, erase, children == Children::kAll ? Children::kAll : Children::kByStyle);
  }
}

void ValidateLocked(Window& window, const RECT* rect, Children children) {
  if (rect == nullptr) {
    window.update = {0, 0, 0, 0};
  } else {
    window.update = gdi32::Bounds(gdi32::Subtract(Region{window.update}, gdi32::Normalized(*rect)));
  }
  if (gdi32::IsEmpty(window.update)) {
    window.update = {0, 0, 0, 0};
    window.erase = false;
  }
  const bool passOn = children == Children::kAll || (children == Children::kByStyle && !(window.style & WS_CLIPCHILDREN));
  if (!passOn) return;
  for (HWND handle : window.children) {
    auto child = FindLocked(handle);
    if (!child) continue;
    if (rect == nullptr) {
      ValidateLocked(*child, nullptr, children == Children::kAll ? Children::kAll : Children::kByStyle);
      continue;
    }
    const RECT part = gdi32::Intersection(gdi32::Normalized(*rect), child->rect);
    if (gdi32::IsEmpty(part)) continue;
    const RECT inChild = gdi32::Offset(part, -child->rect.left, -child->rect.top);
    ValidateLocked(*child, &inChild, children == Children::kAll ? Children::kAll : Children::kByStyle);
  }
}

namespace {

HWND FirstPendingLocked(const Window& window, DWORD thread, HWND filter) {
  if (window.thread == thread && !gdi32::IsEmpty(window.update) && (filter == nullptr || filter == window.handle) &&
      ShowsLocked(window))
    return window.handle;
  // Children bottom first, as RedrawWindow paints them: the one on top ends on top.
  for (auto it = window.children.rbegin(); it != window.children.rend(); ++it)
    if (auto child = FindLocked(*it))
      if (HWND found = FirstPendingLocked(*child, thread, filter)) return found;
  return nullptr;
}

}  // namespace

HWND PendingPaintLocked(DWORD thread, HWND filter) {
  auto desktop = FindLocked(S().desktop);
  if (!desktop) return nullptr;
  for (HWND handle : desktop->children)
    if (auto top = FindLocked(handle); top && top->thread == thread)
      if (HWND found = FirstPendingLocked(*top, thread, filter)) return found;
  return nullptr;
}

void ExposeLocked(const Window& child, const RECT& where) {
  auto parent = FindLocked(child.parent);
  if (!parent || parent->handle == S().desktop) return;
  InvalidateLocked(*parent, &where, true, Children::kByStyle);
}

}  // namespace user32
