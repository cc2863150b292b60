// Bitmaps: made with bits or compatible with a DC, made from a packed DIB (what LoadBitmap reads
// from a module's resources), and read back as a DIB.
#include <algorithm>
#include <cstring>

#include "gdi32_internal.h"
#include "gdi_state.h"

using namespace gdi32;

namespace {

constexpr long long kMaxPixels = 1LL << 26;  // 64 Mi pixels: larger requests fail for memory

// A device-dependent bitmap's row: padded to 16 bits. A DIB's: padded to 32 bits.
size_t DdbStride(int width, int bits) { return static_cast<size_t>((width * bits + 15) / 16) * 2; }
size_t DibStride(int width, int bits) { return static_cast<size_t>((width * bits + 31) / 32) * 4; }

HBITMAP AddBitmapLocked(std::shared_ptr<Surface> surface) {
  return static_cast<HBITMAP>(AddLocked(Kind::kBitmap, BitmapObject{std::move(surface), nullptr}));
}

// Checks the size; null (with the error set) when no bitmap of that size can be made.
std::shared_ptr<Surface> NewBitmapSurface(int width, int height, bool mono) {
  if (width < 0 || height < 0) return Fail<std::shared_ptr<Surface>>(ERROR_INVALID_PARAMETER, nullptr);
  if (static_cast<long long>(width) * height > kMaxPixels)
    return Fail<std::shared_ptr<Surface>>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
  return std::make_shared<Surface>(width, height, mono);
}

// Fills a new bitmap from device-dependent bits: monochrome rows most significant bit first (1 =
// white), colour rows of blue, green, red and an unused byte.
void FillFromDdb(Surface& s, const BYTE* bits) {
  const size_t stride = DdbStride(s.width, s.mono ? 1 : 32);
  for (int y = 0; y < s.height; ++y) {
    const BYTE* row = bits + stride * static_cast<size_t>(y);
    for (int x = 0; x < s.width; ++x) {
      if (s.mono) {
        s.At(x, y) = (row[x / 8] & (0x80 >> (x % 8))) ? kWhite : kBlack;
      } else {
        const BYTE* p = row + 4 * x;
        s.At(x, y) = RGB(p[2], p[1], p[0]);
      }
    }
  }
}

}  // namespace

namespace gdi32 {

HBITMAP CreateBitmapFromPackedDib(const void* dib, size_t size) {
  const auto* bytes = static_cast<const BYTE*>(dib);
  BITMAPINFOHEADER h{};
  if (dib == nullptr || size < sizeof h) return Fail<HBITMAP>(ERROR_INVALID_DATA, nullptr);
  std::memcpy(&h, bytes, sizeof h);
  const int bits = h.biBitCount;
  if (h.biSize < sizeof h || h.biSize > size || h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
    return Fail<HBITMAP>(ERROR_INVALID_DATA, nullptr);
  if (h.biCompression != BI_RGB || bits == 16) STANDIN_UNMODELLED_LASTERROR(nullptr);
  const int width = h.biWidth;
  const bool topDown = h.biHeight < 0;
  const long long height = topDown ? -static_cast<long long>(h.biHeight) : h.biHeight;
  if (static_cast<long long>(width) * height > kMaxPixels) return Fail<HBITMAP>(ERROR_INVALID_DATA, nullptr);
  const size_t colours = bits <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : (1u << bits)) : h.biClrUsed;
  if (bits <= 8 && colours > (1u << bits)) return Fail<HBITMAP>(ERROR_INVALID_DATA, nullptr);
  const size_t tableAt = h.biSize, bitsAt = tableAt + 4 * colours;
  const size_t stride = DibStride(width, bits);
  if (bitsAt > size || (size - bitsAt) / stride < static_cast<size_t>(height))
    return Fail<HBITMAP>(ERROR_INVALID_DATA, nullptr);

  const auto paletteColour = [&](size_t index) -> COLORREF {
    if (index >= colours) return kBlack;  // an index past the table: black, as the platform draws it
    const BYTE* q = bytes + tableAt + 4 * index;
    return RGB(q[2], q[1], q[0]);
  };
  auto surface = std::make_shared<Surface>(width, static_cast<int>(height), bits == 1);
  for (int y = 0; y < surface->height; ++y) {
    const int dibRow = topDown ? y : surface->height - 1 - y;
    const BYTE* row = bytes + bitsAt + stride * static_cast<size_t>(dibRow);
    for (int x = 0; x < width; ++x) {
      COLORREF c;
      switch (bits) {
        case 1: c = paletteColour((row[x / 8] >> (7 - x % 8)) & 1); break;
        case 4: c = paletteColour((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); break;
        case 8: c = paletteColour(row[x]); break;
        case 24: c = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
        default: c = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
      }
      surface->At(x, y) = surface->mono ? ToMono(c) : c;
    }
  }
  std::lock_guard<std::mutex> g(Lock());
  return AddBitmapLocked(std::move(surface));
}

}  // namespace gdi32

extern "C" {

// One plane of 1 or 32 bits per pixel; other depths are not modelled.
WINGDIAPI HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) STANDIN_UNMODELLED_LASTERROR(nullptr);
  if (width == 0 || height == 0) {
    std::lock_guard<std::mutex> g(Lock());
    EnsureStockLocked();
    return S().defaultBitmap;
  }
  auto surface = NewBitmapSurface(width, height, bitsPerPixel == 1);
  if (!surface) return nullptr;
  if (bits != nullptr) FillFromDdb(*surface, static_cast<const BYTE*>(bits));
  std::lock_guard<std::mutex> g(Lock());
  return AddBitmapLocked(std::move(surface));
}

WINGDIAPI HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* bitmap) {
  if (bitmap == nullptr) return Fail<HBITMAP>(ERROR_INVALID_PARAMETER, nullptr);
  return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

WINGDIAPI HBITMAP WINAPI CreateCompatibleBitmap(HDC handle, int width, int height) {
  bool mono;
  {
    std::lock_guard<std::mutex> g(Lock());
    DeviceContext* dc = DcLocked(handle);
    if (dc == nullptr) return Fail<HBITMAP>(ERROR_INVALID_HANDLE, nullptr);
    mono = dc->memory && dc->surface && dc->surface->mono;
    if (width == 0 || height == 0) {
      EnsureStockLocked();
      return S().defaultBitmap;
    }
  }
  auto surface = NewBitmapSurface(width, height, mono);
  if (!surface) return nullptr;
  std::lock_guard<std::mutex> g(Lock());
  return AddBitmapLocked(std::move(surface));
}

// DIB_PAL_COLORS and compressed or 4-, 8- and 16-bit results are not modelled.
WINGDIAPI int WINAPI GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
                               UINT usage) {
  if (info == nullptr || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return Fail(ERROR_INVALID_PARAMETER, 0);
  std::lock_guard<std::mutex> g(Lock());
  Object* object = FindLocked(bitmap, Kind::kBitmap);
  if (DcLocked(dc) == nullptr || object == nullptr) return Fail(ERROR_INVALID_HANDLE, 0);
  const Surface& s = *std::get<BitmapObject>(object->data).surface;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (bits == nullptr && h.biBitCount == 0) {
    const WORD depth = s.mono ? 1 : 32;
    h = BITMAPINFOHEADER{h.biSize, s.width, s.height, 1, depth, BI_RGB,
                         static_cast<DWORD>(DibStride(s.width, depth) * static_cast<size_t>(s.height)), 0, 0, 0, 0};
    return 1;
  }
  if (usage != DIB_RGB_COLORS || h.biCompression != BI_RGB ||
      (h.biBitCount != 1 && h.biBitCount != 24 && h.biBitCount != 32) || bits == nullptr)
    STANDIN_UNMODELLED_LASTERROR(0);
  if (h.biWidth != s.width) STANDIN_UNMODELLED_LASTERROR(0);  // no scaling of rows
  const int depth = h.biBitCount;
  const bool topDown = h.biHeight < 0;
  const size_t stride = DibStride(s.width, depth);
  if (depth == 1) {
    info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    (&info->bmiColors[0])[1] = RGBQUAD{255, 255, 255, 0};
  }
  const UINT height = static_cast<UINT>(s.height);
  const UINT first = std::min(start, height), last = std::min(start + std::min(lines, height), height);
  auto* out = static_cast<BYTE*>(bits);
  for (UINT line = first; line < last; ++line) {
    const int y = topDown ? static_cast<int>(line) : s.height - 1 - static_cast<int>(line);
    BYTE* row = out + stride * (line - first);
    std::memset(row, 0, stride);
    for (int x = 0; x < s.width; ++x) {
      const COLORREF c = s.At(x, y);
      if (depth == 1) {
        if (ToMono(c) == kWhite) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      } else {
        BYTE* p = row + (depth / 8) * x;
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
      }
    }
  }
  return static_cast<int>(last - first);
}

}  // extern "C"
