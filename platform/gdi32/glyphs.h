// GNU Unifont's glyphs, read through FreeType, rendered monochrome and kept once made.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi32 {

// The font every text is drawn in, and the Debian package that installs it.
constexpr const char* kFontFile = "/usr/share/fonts/opentype/unifont/unifont.otf";
constexpr const char* kFontPackage = "fonts-unifont";

struct Glyph {
  int left = 0;  // pixels right of the pen position
  int top = 0;   // rows above the baseline
  int width = 0;
  int height = 0;
  std::vector<uint8_t> ink;  // width x height, row after row, 1 where the glyph is
};

// The glyph of a character at pixel size 16 x scale, made on first use; null when the font file
// cannot be read (reported once through the sandbox, naming the file and its package). The caller
// holds gdi32's lock.
const Glyph* GlyphLocked(char32_t codepoint, int scale);

}  // namespace gdi32
