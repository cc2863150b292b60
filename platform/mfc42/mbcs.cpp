// The code page tables of the string classes, from kernel32's lead-byte answers.
#include "mbcs.h"

#include <cstring>
#include <memory>

namespace mfc42 {

struct CodePageCache {
  static const CodePage& Get(UINT id) {
    // Two code pages are modelled; a small per-thread list avoids any locking.
    thread_local std::unique_ptr<CodePage> pages[4];
    for (auto& page : pages)
      if (page && page->m_id == id) return *page;
    for (auto& page : pages)
      if (!page) return *(page = std::unique_ptr<CodePage>(new CodePage(id)));
    pages[0].reset(new CodePage(id));
    return *pages[0];
  }
};

// Code page 1252 folds the Latin-1 letters besides ASCII, as the multi-byte run time's case
// tables for it do; a double-byte code page folds only ASCII (double-byte characters are kept).
CodePage::CodePage(UINT id) : m_id(id) {
  for (int b = 0; b < 256; ++b) {
    m_lead[b] = IsDBCSLeadByteEx(id, static_cast<BYTE>(b)) != FALSE;
    m_doubleByte = m_doubleByte || m_lead[b];
    m_upper[b] = m_lower[b] = static_cast<unsigned char>(b);
  }
  for (int b = 'a'; b <= 'z'; ++b) {
    m_upper[b] = static_cast<unsigned char>(b - 32);
    m_lower[b - 32] = static_cast<unsigned char>(b);
  }
  if (id == 1252) {
    for (int b = 0xE0; b <= 0xFE; ++b) {
      if (b == 0xF7) continue;  // the division sign has no capital
      m_upper[b] = static_cast<unsigned char>(b - 32);
      m_lower[b - 32] = static_cast<unsigned char>(b);
    }
    const unsigned char pairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    for (const auto& pair : pairs) {
      m_upper[pair[0]] = pair[1];
      m_lower[pair[1]] = pair[0];
    }
  }
}

const CodePage& CodePage::Current() { return CodePageCache::Get(GetACP()); }

bool SetHasChar(const CodePage& cp, const char* set, const char* c, size_t length) {
  if (set == nullptr) return false;
  const char* end = set + std::strlen(set);
  for (const char* p = set; p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (n == length && std::memcmp(p, c, n) == 0) return true;
    p += n;
  }
  return false;
}

size_t AlignToChar(const CodePage& cp, const char* begin, const char* end, size_t from) {
  if (!cp.IsDoubleByte()) return from;
  const char* p = begin;
  while (p < end && static_cast<size_t>(p - begin) < from) p += cp.CharLength(p, end);
  return static_cast<size_t>(p - begin);
}

void CopyTruncated(char* dst, const char* src, size_t max) {
  if (dst == nullptr || max == 0) return;
  if (src == nullptr) src = "";
  const CodePage& cp = CodePage::Current();
  const char* end = src + std::strlen(src);
  size_t n = 0;
  for (const char* p = src; p < end;) {
    const size_t len = cp.CharLength(p, end);
    if (n + len > max - 1) break;
    n += len;
    p += len;
  }
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

}  // namespace mfc42
