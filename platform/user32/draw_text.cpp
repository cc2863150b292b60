// DrawText and GetTabbedTextExtent over gdi32's text: lines, word breaks, tabs, prefixes and
// alignment.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "user_state.h"

using namespace user32;

namespace {

// Where tabs stop, relative to the start of the line: the given positions first, then every
// `interval` pixels.
struct TabStops {
  std::vector<int> positions;
  int interval = 0;

  int Next(int x) const {
    for (int p : positions)
      if (p > x) return p;
    return interval > 0 ? (x / interval + 1) * interval : x;
  }
};

int AverageWidth(HDC dc) {
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  return tm.tmAveCharWidth;
}

// The bytes of the character starting at `i`.
size_t CharLength(std::string_view text, size_t i) {
  return i + 1 < text.size() && IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
}

int Extent(HDC dc, std::string_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// The width of a line whose tabs go to the stops (or, without stops, are characters).
int LineWidth(HDC dc, std::string_view text, const TabStops* tabs) {
  if (tabs == nullptr) return Extent(dc, text);
  int x = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\t') continue;
    x += Extent(dc, text.substr(start, i - start));
    if (i < text.size()) x = tabs->Next(x);
    start = i + 1;
  }
  return x;
}

struct Line {
  std::string text;    // what is shown, prefixes taken out
  int underline = -1;  // byte offset of the character "&" marked, -1 for none
};

// "&x" marks x (the last mark of a line counts) and "&&" is "&"; a lone "&" at the end goes.
Line TakePrefixes(std::string_view raw, bool keep) {
  Line line;
  if (keep) {
    line.text = std::string(raw);
    return line;
  }
  for (size_t i = 0; i < raw.size();) {
    if (raw[i] == '&') {
      if (i + 1 >= raw.size()) break;
      if (raw[i + 1] == '&') {
        line.text += '&';
        i += 2;
        continue;
      }
      line.underline = static_cast<int>(line.text.size());
      ++i;
    }
    const size_t n = CharLength(raw, i);
    line.text.append(raw.substr(i, n));
    i += n;
  }
  return line;
}

// Breaks a line between words so that each piece fits `width`; a word wider than that stays
// whole. The spaces where it breaks go.
std::vector<Line> Wrap(HDC dc, const Line& line, int width, const TabStops* tabs) {
  std::vector<Line> out;
  const std::string_view text = line.text;
  size_t pos = 0;
  const auto push = [&](size_t from, size_t to) {
    while (to > from && text[to - 1] == ' ') --to;
    Line piece{std::string(text.substr(from, to - from)), -1};
    if (line.underline >= static_cast<int>(from) && line.underline < static_cast<int>(to))
      piece.underline = line.underline - static_cast<int>(from);
    out.push_back(std::move(piece));
  };
  do {
    size_t i = pos, lastSpace = std::string_view::npos;
    while (i < text.size()) {
      const size_t next = i + CharLength(text, i);
      if (LineWidth(dc, text.substr(pos, next - pos), tabs) > width) break;
      if (text[i] == ' ') lastSpace = i;
      i = next;
    }
    if (i >= text.size()) {
      push(pos, text.size());
      break;
    }
    size_t end;
    if (lastSpace != std::string_view::npos) {
      end = lastSpace;
    } else {
      end = i;
      while (end < text.size() && text[end] != ' ') end += CharLength(text, end);
      if (end == pos) end = pos + CharLength(text, pos);
    }
    push(pos, end);
    pos = end;
    while (pos < text.size() && text[pos] == ' ') ++pos;
  } while (pos < text.size());
  return out;
}

// Fills the rectangle with a colour through ExtTextOut, kept inside `clip` unless it is null.
void FillColour(HDC dc, RECT r, COLORREF colour, const RECT* clip) {
  if (clip != nullptr) {
    r.left = std::max(r.left, clip->left);
    r.top = std::max(r.top, clip->top);
    r.right = std::min(r.right, clip->right);
    r.bottom = std::min(r.bottom, clip->bottom);
  }
  if (r.right <= r.left || r.bottom <= r.top) return;
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void DrawLine(HDC dc, const Line& line, int x, int y, const RECT* clip, const TabStops* tabs, const TEXTMETRIC& tm) {
  const UINT options = clip != nullptr ? ETO_CLIPPED : 0;
  const std::string_view text = line.text;
  if (tabs == nullptr || text.find('\t') == std::string_view::npos) {
    ExtTextOut(dc, x, y, options, clip, text.data(), static_cast<UINT>(text.size()), nullptr);
  } else {
    int at = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\t') continue;
      const std::string_view part = text.substr(start, i - start);
      ExtTextOut(dc, x + at, y, options, clip, part.data(), static_cast<UINT>(part.size()), nullptr);
      at += Extent(dc, part);
      if (i < text.size()) {
        const int stop = tabs->Next(at);
        if (GetBkMode(dc) == OPAQUE) FillColour(dc, {x + at, y, x + stop, y + tm.tmHeight}, GetBkColor(dc), clip);
        at = stop;
      }
      start = i + 1;
    }
  }
  if (line.underline >= 0) {
    const auto u = static_cast<size_t>(line.underline);
    const int left = x + LineWidth(dc, text.substr(0, u), tabs);
    const int right = left + Extent(dc, text.substr(u, CharLength(text, u)));
    const int scale = std::max(1, static_cast<int>(tm.tmHeight / 16));
    FillColour(dc, {left, y + tm.tmAscent, right, y + tm.tmAscent + scale}, GetTextColor(dc), clip);
  }
}

}  // namespace

extern "C" {

WINUSERAPI int WINAPI DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  constexpr UINT kModelled = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                             DT_EXPANDTABS | DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX;
  if ((format & ~kModelled) != 0) STANDIN_UNMODELLED_LASTERROR(0);
  if (text == nullptr || rect == nullptr || count < -1) return Fail(ERROR_INVALID_PARAMETER, 0);
  TEXTMETRIC tm{};
  if (!GetTextMetrics(dc, &tm)) return 0;
  const std::string_view all(text, count == -1 ? std::strlen(text) : static_cast<size_t>(count));
  TabStops expand;
  expand.interval = 8 * tm.tmAveCharWidth;
  const TabStops* tabs = (format & DT_EXPANDTABS) ? &expand : nullptr;
  const bool single = (format & DT_SINGLELINE) != 0;

  // Lines at CR LF, CR or LF (a line break at the very end starts no further line), then words.
  std::vector<Line> lines;
  for (size_t start = 0; start < all.size();) {
    size_t end = single ? all.size() : all.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = all.size();
    const Line line = TakePrefixes(all.substr(start, end - start), (format & DT_NOPREFIX) != 0);
    if ((format & DT_WORDBREAK) && !single && !line.text.empty()) {
      for (Line& piece : Wrap(dc, line, rect->right - rect->left, tabs)) lines.push_back(std::move(piece));
    } else {
      lines.push_back(line);
    }
    if (end < all.size() && all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ++end;
    start = end + 1;
  }

  const int height = static_cast<int>(lines.size()) * tm.tmHeight;
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, LineWidth(dc, line.text, tabs));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  int y = rect->top;
  if (single && (format & DT_VCENTER)) y = rect->top + (rect->bottom - rect->top - tm.tmHeight) / 2;
  if (single && (format & DT_BOTTOM)) y = rect->bottom - tm.tmHeight;
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
  const int top = y;
  for (const Line& line : lines) {
    const int width = LineWidth(dc, line.text, tabs);
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - width) / 2;
    if (format & DT_RIGHT) x = rect->right - width;
    DrawLine(dc, line, x, y, clip, tabs, tm);
    y += tm.tmHeight;
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return top + height - rect->top;
  return height;
}

WINUSERAPI DWORD WINAPI GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabPositions,
                                            const INT* tabStopPositions) {
  TEXTMETRIC tm{};
  if (!GetTextMetrics(dc, &tm)) return 0;
  TabStops stops;
  stops.interval = 8 * AverageWidth(dc);
  if (tabPositions == 1 && tabStopPositions != nullptr) {
    stops.interval = tabStopPositions[0];
  } else if (tabPositions > 1 && tabStopPositions != nullptr) {
    stops.positions.assign(tabStopPositions, tabStopPositions + tabPositions);
  }
  const std::string_view line(text != nullptr ? text : "", text != nullptr ? static_cast<size_t>(std::max(count, 0)) : 0);
  return MAKELONG(LineWidth(dc, line, &stops), tm.tmHeight);
}

}  // extern "C"
