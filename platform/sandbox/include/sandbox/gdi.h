// Sandbox view of drawing: the DCs and GDI objects alive, and pictures of bitmaps and windows,
// saved and read back as PNG files. Implemented by gdi32 (objects, bitmaps, files) and user32
// (windows).
//
// On sandbox::Reset(): every DC and GDI object is gone but the stock objects; the windows (and
// their pictures) are gone with the window manager's reset.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// DCs and GDI objects alive now, by kind: "DC", "Bitmap", "Brush", "Pen", "Font"; kinds with none
// alive are left out. Stock objects and the system colours' brushes are not counted.
SANDBOX_API std::map<std::string, int> GdiObjects();

// Pixels as COLORREF values (0x00BBGGRR), row after row from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
  bool operator==(const Picture&) const = default;
};

// A bitmap's pixels (only black and white for a monochrome one). A handle that is no bitmap is
// reported through the failure handler and gives an empty picture.
SANDBOX_API Picture BitmapPicture(const void* bitmap);
// A window as it shows, with its visible children, after every paint pending in it or its
// descendants has been done (WM_PAINT sent now, as SendMessage sends it: a window of another
// thread is painted when that thread serves its messages). A hidden window shows nothing: an
// empty picture.
SANDBOX_API Picture WindowPicture(const void* window);

// PNG files (8-bit RGB) through libpng. Saving writes beside the file and renames, so the file is
// either the whole new picture or as it was; false and *error say why it failed.
SANDBOX_API bool SavePicture(const Picture& picture, const std::string& hostFile, std::string* error = nullptr);
SANDBOX_API std::optional<Picture> LoadPicture(const std::string& hostFile, std::string* error = nullptr);

}  // namespace sandbox
