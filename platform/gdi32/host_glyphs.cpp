// Host code: FreeType over the GNU Unifont file.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <unordered_map>

#include "glyphs.h"
#include "sandbox/internal.h"

namespace gdi32 {
namespace {

struct Font {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  bool tried = false;
  int size = 0;  // the pixel size set on the face now
  std::unordered_map<uint64_t, Glyph> glyphs;
};

Font& TheFont() {
  static Font* font = new Font;  // never destroyed: text may be drawn during exit
  return *font;
}

bool Open(Font& font) {
  if (font.tried) return font.face != nullptr;
  font.tried = true;
  if (FT_Init_FreeType(&font.library) == 0 && FT_New_Face(font.library, kFontFile, 0, &font.face) == 0) return true;
  font.face = nullptr;
  sandbox::internal::Fail(std::string("gdi32: cannot read the font file ") + kFontFile +
                          "; it comes with the Debian package " + kFontPackage);
  return false;
}

Glyph Render(Font& font, char32_t codepoint, int scale) {
  Glyph glyph;
  const int size = 16 * scale;
  if (font.size != size && FT_Set_Pixel_Sizes(font.face, 0, static_cast<FT_UInt>(size)) == 0) font.size = size;
  if (FT_Load_Char(font.face, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return glyph;
  const FT_GlyphSlot slot = font.face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  for (int y = 0; y < glyph.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    const auto inked = [&](int x) { return x < glyph.width && ((row[x / 8] >> (7 - x % 8)) & 1) != 0; };
    for (int x = 0; x < glyph.width;) {
      if (!inked(x)) {
        ++x;
        continue;
      }
      const int from = x;
      while (inked(x)) ++x;
      glyph.ink.push_back({y, from, x});
    }
  }
  return glyph;
}

}  // namespace

const Glyph* GlyphLocked(char32_t codepoint, int scale) {
  Font& font = TheFont();
  if (!Open(font)) return nullptr;
  const uint64_t key = (static_cast<uint64_t>(scale) << 32) | codepoint;
  auto it = font.glyphs.find(key);
  if (it == font.glyphs.end()) it = font.glyphs.emplace(key, Render(font, codepoint, scale)).first;
  return &it->second;
}

}  // namespace gdi32
