// System colours: the classic scheme, changed for the process by SetSysColors; the brushes of
// GetSysColorBrush follow them and are never deleted.
#include <array>
#include <mutex>

#include "gdi32/gdi32_internal.h"
#include "user_state.h"

namespace user32 {
namespace {

constexpr int kColours = COLOR_INFOBK + 1;

constexpr std::array<COLORREF, kColours> kClassic = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};

struct Colours {
  std::mutex lock;
  std::array<COLORREF, kColours> values = kClassic;
  std::array<HBRUSH, kColours> brushes{};
};

Colours& C() {
  static Colours* colours = new Colours;  // never destroyed: brushes are handed out for the process
  return *colours;
}

void SetLocked(int index, COLORREF color) {
  C().values[static_cast<size_t>(index)] = color & 0xFFFFFF;
  if (HBRUSH brush = C().brushes[static_cast<size_t>(index)]) gdi32::SetPermanentBrushColor(brush, color);
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("user32 colours", [] {
      std::lock_guard<std::mutex> g(C().lock);
      for (int i = 0; i < kColours; ++i) SetLocked(i, kClassic[static_cast<size_t>(i)]);
    });
  }
} g_registration;

}  // namespace
}  // namespace user32

using namespace user32;

extern "C" {

// Indexes past COLOR_INFOBK (the later systems' colours) are not modelled.
WINUSERAPI DWORD WINAPI GetSysColor(int index) {
  if (index < 0 || index >= kColours) STANDIN_UNMODELLED_RETURN(0);
  std::lock_guard<std::mutex> g(C().lock);
  return C().values[static_cast<size_t>(index)];
}

// All or nothing: an index out of range changes nothing.
WINUSERAPI BOOL WINAPI SetSysColors(int count, const INT* indexes, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (indexes == nullptr || colors == nullptr))) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  for (int i = 0; i < count; ++i)
    if (indexes[i] < 0 || indexes[i] >= kColours) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(C().lock);
  for (int i = 0; i < count; ++i) SetLocked(indexes[i], colors[i]);
  return TRUE;
}

WINUSERAPI HBRUSH WINAPI GetSysColorBrush(int index) {
  if (index < 0 || index >= kColours) STANDIN_UNMODELLED_RETURN(nullptr);
  std::lock_guard<std::mutex> g(C().lock);
  HBRUSH& brush = C().brushes[static_cast<size_t>(index)];
  if (brush == nullptr) brush = gdi32::CreatePermanentBrush(C().values[static_cast<size_t>(index)]);
  return brush;
}

}  // extern "C"
