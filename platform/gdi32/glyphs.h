// GNU Unifont's glyphs, read through FreeType, rendered monochrome and kept once made.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi32 {

// The font every text is drawn in, and the Debian package that installs it.
constexpr const char* kFontFile = "/usr/share/fonts/opentype/unifont/unifont.otf";
constexpr const char* kFontPackage = "fonts-unifont";

// A run of ink along one row of a glyph's bitmap: columns [from, to).
struct InkRun {
  int row;
  int from;
  int to;
};

struct Glyph {
  int left = 0;  // pixels right of the pen position
  int top = 0;   // rows above the baseline
  int width = 0;
  int height = 0;
  std::vector<InkRun> ink;  // row by row, left to right
};

// The glyph of a character at pixel size 16 x scale, made on first use; null when the font file
// cannot be read (reported once through the sandbox, naming the file and its package). The caller
// holds gdi32's lock.
const Glyph* GlyphLocked(char32_t codepoint, int scale);

}  // namespace gdi32
