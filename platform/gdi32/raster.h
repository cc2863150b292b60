// Ternary raster operations, computed bit by bit from the operation's code: bit number
// P*4 + S*2 + D of the code's index byte (bits 16..23) is the result for pattern bit P, source bit
// S and destination bit D.
#pragma once

#include <windef.h>

#include <cstdint>

namespace gdi32 {

inline uint8_t RopIndex(DWORD rop) { return static_cast<uint8_t>((rop >> 16) & 0xFF); }

// Whether the operation reads the source (its result differs for S = 0 and S = 1 somewhere),
// and the pattern.
inline bool RopUsesSource(DWORD rop) {
  const uint8_t i = RopIndex(rop);
  return ((i >> 2) & 0x33) != (i & 0x33);
}
inline bool RopUsesPattern(DWORD rop) {
  const uint8_t i = RopIndex(rop);
  return (i >> 4) != (i & 0x0F);
}

inline COLORREF Rop3(uint8_t index, COLORREF p, COLORREF s, COLORREF d) {
  switch (index) {  // the common ones directly
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    default: break;
  }
  COLORREF result = 0;
  for (unsigned bit = 0; bit < 8; ++bit) {
    if ((index >> bit) == 0) break;
    if (((index >> bit) & 1) == 0) continue;
    const COLORREF pm = (bit & 4) ? p : ~p;
    const COLORREF sm = (bit & 2) ? s : ~s;
    const COLORREF dm = (bit & 1) ? d : ~d;
    result |= pm & sm & dm;
  }
  return result & 0xFFFFFF;
}

}  // namespace gdi32
