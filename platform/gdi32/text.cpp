// Fonts and text: every font is GNU Unifont in fixed cells, 8k by 16k pixels for a single-byte
// character and 16k by 16k for a double-byte one, k the font's scale; height 16k, ascent 14k,
// average width 8k, no leading. Weight and italic draw alike.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "draw.h"
#include "glyphs.h"

using namespace gdi32;

namespace {

struct Character {
  char32_t codepoint;
  int bytes;  // 1, or 2 for a double-byte character
};

// Single-byte characters of the process code page, decoded once per code page.
struct SingleByteTable {
  UINT codePage = 0;
  char32_t codepoints[256] = {};
};

char32_t DecodeOne(const char* bytes, int length) {
  WCHAR wide[2] = {};
  return MultiByteToWideChar(CP_ACP, 0, bytes, length, wide, 2) == 1 ? static_cast<char32_t>(wide[0]) : U'?';
}

// The characters of `count` bytes, each a lead and trail byte or a single byte of the code page.
std::vector<Character> DecodeLocked(LPCSTR text, int count) {
  static SingleByteTable table;
  const UINT codePage = GetACP();
  if (table.codePage != codePage) {
    table.codePage = codePage;
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      table.codepoints[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) ? U'?' : DecodeOne(&c, 1);
    }
  }
  std::vector<Character> out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count;) {
    const auto b = static_cast<BYTE>(text[i]);
    if (i + 1 < count && IsDBCSLeadByte(b)) {
      out.push_back({DecodeOne(text + i, 2), 2});
      i += 2;
    } else {
      out.push_back({table.codepoints[b], 1});
      i += 1;
    }
  }
  return out;
}

int ScaleOf(const LOGFONT& font) { return std::max(1, static_cast<int>(std::lround(std::abs(font.lfHeight) / 16.0))); }

const FontObject* FontLocked(const DeviceContext& dc) {
  Object* font = FindLocked(dc.font, Kind::kFont);
  return font != nullptr ? &std::get<FontObject>(font->data) : nullptr;
}

void FillSolidLocked(DeviceContext& dc, const Region& clip, RECT logical, COLORREF color) {
  const COLORREF c = OnSurface(dc, color);
  const RECT onSurface = Offset(Normalized(logical), dc.origin.x, dc.origin.y);
  for (const RECT& piece : clip) {
    const RECT r = Intersection(piece, onSurface);
    for (LONG y = r.top; y < r.bottom; ++y)
      if (r.right > r.left) std::fill(&dc.surface->At(r.left, y), &dc.surface->At(r.left, y) + (r.right - r.left), c);
  }
}

// Draws one glyph's ink into its cell (logical coordinates), its baseline `ascent` rows below the
// cell's top, nothing outside the cell.
void DrawGlyphLocked(DeviceContext& dc, const Region& clip, const Glyph& glyph, RECT cell, int ascent, COLORREF color) {
  const COLORREF c = OnSurface(dc, color);
  const RECT cellOnSurface = Offset(cell, dc.origin.x, dc.origin.y);
  const LONG gx = cellOnSurface.left + glyph.left, gy = cellOnSurface.top + ascent - glyph.top;
  for (const RECT& piece : clip) {
    const RECT r = Intersection(piece, cellOnSurface);
    if (IsEmpty(r)) continue;
    for (const InkRun& run : glyph.ink) {
      const LONG y = gy + run.row;
      if (y < r.top || y >= r.bottom) continue;
      const LONG from = std::max(gx + run.from, r.left), to = std::min(gx + run.to, r.right);
      if (from < to) std::fill(&dc.surface->At(from, y), &dc.surface->At(from, y) + (to - from), c);
    }
  }
}

}  // namespace

extern "C" {

// Escapement, orientation and strike-out are not modelled (reported; the font is made without them).
WINGDIAPI HFONT WINAPI CreateFontIndirect(const LOGFONT* font) {
  if (font == nullptr) return Fail<HFONT>(ERROR_INVALID_PARAMETER, nullptr);
  if (font->lfEscapement != 0 || font->lfOrientation != 0)
    sandbox::internal::ReportUnmodelled("CreateFontIndirect(lfEscapement)");
  if (font->lfStrikeOut) sandbox::internal::ReportUnmodelled("CreateFontIndirect(lfStrikeOut)");
  std::lock_guard<std::mutex> g(Lock());
  return static_cast<HFONT>(AddLocked(Kind::kFont, FontObject{*font, ScaleOf(*font)}));
}

WINGDIAPI BOOL WINAPI GetTextMetrics(HDC handle, LPTEXTMETRIC metrics) {
  if (metrics == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  const FontObject* font = FontLocked(*dc);
  const int k = font != nullptr ? font->scale : 1;
  const LOGFONT log = font != nullptr ? font->log : LOGFONT{};
  *metrics = TEXTMETRIC{};
  metrics->tmHeight = 16 * k;
  metrics->tmAscent = 14 * k;
  metrics->tmDescent = 2 * k;
  metrics->tmAveCharWidth = 8 * k;
  metrics->tmMaxCharWidth = 16 * k;
  metrics->tmWeight = log.lfWeight != 0 ? log.lfWeight : FW_NORMAL;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = '?';
  metrics->tmBreakChar = ' ';
  metrics->tmItalic = log.lfItalic;
  metrics->tmUnderlined = log.lfUnderline;
  metrics->tmStruckOut = log.lfStrikeOut;
  metrics->tmPitchAndFamily = FF_MODERN;
  metrics->tmCharSet = log.lfCharSet;
  return TRUE;
}

WINGDIAPI BOOL WINAPI GetTextExtentPoint32(HDC handle, LPCSTR text, int count, LPSIZE size) {
  if (size == nullptr || count < 0 || (text == nullptr && count > 0)) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  const FontObject* font = FontLocked(*dc);
  const int k = font != nullptr ? font->scale : 1;
  LONG width = 0;
  for (const Character& c : DecodeLocked(text, count)) width += 8 * k * c.bytes;
  *size = SIZE{width, 16 * k};
  return TRUE;
}

// Text at (x, y), the top-left corner of its first cell; options ETO_OPAQUE (the rectangle filled
// with the background colour first) and ETO_CLIPPED (the text kept inside the rectangle). With
// `dx`, each byte's entry is the advance (a double-byte character advances by its two entries).
WINGDIAPI BOOL WINAPI ExtTextOut(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                                 const INT* dx) {
  if ((options & ~static_cast<UINT>(ETO_OPAQUE | ETO_CLIPPED)) != 0) STANDIN_UNMODELLED_LASTERROR(FALSE);
  if (text == nullptr && count > 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::lock_guard<std::mutex> g(Lock());
  DeviceContext* dc = DcLocked(handle);
  if (dc == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!dc->surface) return TRUE;
  Region clip = ClipLocked(*dc);
  if (rect != nullptr && (options & ETO_OPAQUE)) FillSolidLocked(*dc, clip, *rect, dc->background);
  if (count == 0) return TRUE;
  if (rect != nullptr && (options & ETO_CLIPPED))
    clip = Intersect(clip, Offset(Normalized(*rect), dc->origin.x, dc->origin.y));
  const FontObject* font = FontLocked(*dc);
  const int k = font != nullptr ? font->scale : 1;
  const bool underline = font != nullptr && font->log.lfUnderline;
  const std::vector<Character> characters = DecodeLocked(text, static_cast<int>(count));
  std::vector<LONG> advances;
  advances.reserve(characters.size());
  LONG total = 0;
  size_t byte = 0;
  for (const Character& c : characters) {
    LONG advance = 8 * k * c.bytes;
    if (dx != nullptr) advance = c.bytes == 2 ? dx[byte] + dx[byte + 1] : dx[byte];
    byte += static_cast<size_t>(c.bytes);
    advances.push_back(advance);
    total += advance;
  }
  // The background of the whole run at once, then each character's ink within its cell.
  if (dc->backgroundMode == OPAQUE) FillSolidLocked(*dc, clip, RECT{x, y, x + total, y + 16 * k}, dc->background);
  LONG pen = x;
  for (size_t i = 0; i < characters.size(); ++i) {
    const Glyph* glyph = GlyphLocked(characters[i].codepoint, k);
    if (glyph == nullptr) return Fail(ERROR_FILE_NOT_FOUND, FALSE);
    DrawGlyphLocked(*dc, clip, *glyph, RECT{pen, y, pen + 8 * k * characters[i].bytes, y + 16 * k}, 14 * k, dc->text);
    pen += advances[i];
  }
  if (underline) FillSolidLocked(*dc, clip, RECT{x, y + 14 * k, x + total, y + 15 * k}, dc->text);
  return TRUE;
}

WINGDIAPI BOOL WINAPI TextOut(HDC dc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  return ExtTextOut(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

}  // extern "C"
