// CString searches, trimming, replacing and case mapping. Every one steps by character in the
// process code page, so the trail byte of a double-byte character (which may equal '\\', ' ' or
// any other single-byte character) is never matched, trimmed, replaced or case-mapped alone.
#include <afx.h>

#include <algorithm>
#include <cstring>

#include "mbcs.h"

namespace {

bool IsWhite(const char* c, size_t length) {
  return length == 1 && (*c == ' ' || (*c >= '\t' && *c <= '\r'));
}

// Whether the character at [c, c + length) is the single-byte character ch.
bool IsChar(const char* c, size_t length, TCHAR ch) { return length == 1 && *c == ch; }

template <class Match>
size_t SpanWhile(const std::string& s, Match match) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = s.data();
  const char* end = begin + s.size();
  const char* p = begin;
  while (p < end) {
    const size_t n = cp.CharLength(p, end);
    if (!match(p, n)) break;
    p += n;
  }
  return static_cast<size_t>(p - begin);
}

// Start of the run of matching characters that ends the string (the string's length if none).
template <class Match>
size_t TrailingRunStart(const std::string& s, Match match) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = s.data();
  const char* end = begin + s.size();
  if (!cp.IsDoubleByte()) {
    const char* p = end;
    while (p > begin && match(p - 1, 1)) --p;
    return static_cast<size_t>(p - begin);
  }
  const char* run = nullptr;
  for (const char* p = begin; p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (match(p, n)) {
      if (run == nullptr) run = p;
    } else {
      run = nullptr;
    }
    p += n;
  }
  return run ? static_cast<size_t>(run - begin) : s.size();
}

// Index of the first character at or after `from` for which match() holds, or npos.
template <class Match>
size_t FindChar(const std::string& s, size_t from, Match match) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = s.data();
  const char* end = begin + s.size();
  for (const char* p = begin + mfc42::AlignToChar(cp, begin, end, from); p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (match(p, n)) return static_cast<size_t>(p - begin);
    p += n;
  }
  return std::string::npos;
}

// Index of the first occurrence of `sub` starting on a character boundary at or after `from`.
// The byte search finds candidates; in a double-byte code page a candidate counts only where a
// character starts, which a walk from the last known boundary decides.
size_t FindText(const std::string& s, size_t from, const char* sub, size_t subLength) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = s.data();
  const char* end = begin + s.size();
  size_t boundary = mfc42::AlignToChar(cp, begin, end, from);
  if (!cp.IsDoubleByte()) return s.find(sub, boundary, subLength);
  for (size_t candidate = s.find(sub, boundary, subLength); candidate != std::string::npos;
       candidate = s.find(sub, boundary, subLength)) {
    while (boundary < candidate) boundary += cp.CharLength(begin + boundary, end);
    if (boundary == candidate) return candidate;
  }
  return std::string::npos;
}

// Index of the first single-byte character ch at or after `from`, or npos.
size_t FindSingle(const std::string& s, size_t from, TCHAR ch) { return FindText(s, from, &ch, 1); }

}  // namespace

void CString::TrimRight() { m_str.resize(TrailingRunStart(m_str, IsWhite)); }

void CString::TrimRight(TCHAR chTarget) {
  m_str.resize(TrailingRunStart(m_str, [&](const char* c, size_t n) { return IsChar(c, n, chTarget); }));
}

void CString::TrimRight(LPCTSTR lpszTargets) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  m_str.resize(TrailingRunStart(m_str, [&](const char* c, size_t n) { return mfc42::SetHasChar(cp, lpszTargets, c, n); }));
}

void CString::TrimLeft() { m_str.erase(0, SpanWhile(m_str, IsWhite)); }

void CString::TrimLeft(TCHAR chTarget) {
  m_str.erase(0, SpanWhile(m_str, [&](const char* c, size_t n) { return IsChar(c, n, chTarget); }));
}

void CString::TrimLeft(LPCTSTR lpszTargets) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  m_str.erase(0, SpanWhile(m_str, [&](const char* c, size_t n) { return mfc42::SetHasChar(cp, lpszTargets, c, n); }));
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  return Left(static_cast<int>(
      SpanWhile(m_str, [&](const char* c, size_t n) { return mfc42::SetHasChar(cp, lpszCharSet, c, n); })));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  return Left(static_cast<int>(
      SpanWhile(m_str, [&](const char* c, size_t n) { return !mfc42::SetHasChar(cp, lpszCharSet, c, n); })));
}

static int IndexOrMinusOne(size_t index) { return index == std::string::npos ? -1 : static_cast<int>(index); }

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  if (nStart >= GetLength()) return -1;
  return IndexOrMinusOne(FindSingle(m_str, static_cast<size_t>(nStart), ch));
}

int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

// An empty substring is found at the start position.
int CString::Find(LPCTSTR lpszSub, int nStart) const {
  if (lpszSub == NULL) return -1;
  if (nStart < 0) nStart = 0;
  if (nStart > GetLength()) return -1;
  const size_t subLength = std::strlen(lpszSub);
  if (subLength == 0)
    return static_cast<int>(mfc42::AlignToChar(mfc42::CodePage::Current(), m_str.data(),
                                               m_str.data() + m_str.size(), static_cast<size_t>(nStart)));
  return IndexOrMinusOne(FindText(m_str, static_cast<size_t>(nStart), lpszSub, subLength));
}

int CString::ReverseFind(TCHAR ch) const {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  if (!cp.IsDoubleByte()) return IndexOrMinusOne(m_str.rfind(ch));
  const char* begin = m_str.data();
  const char* end = begin + m_str.size();
  int found = -1;
  for (const char* p = begin; p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (IsChar(p, n, ch)) found = static_cast<int>(p - begin);
    p += n;
  }
  return found;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  return IndexOrMinusOne(
      FindChar(m_str, 0, [&](const char* c, size_t n) { return mfc42::SetHasChar(cp, lpszCharSet, c, n); }));
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int count = 0;
  if (chOld == chNew) return 0;
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  char* begin = m_str.data();
  const char* end = begin + m_str.size();
  for (char* p = begin; p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (IsChar(p, n, chOld)) {
      *p = chNew;
      ++count;
    }
    p += n;
  }
  return count;
}

// Replaces every occurrence of lpszOld (found on character boundaries, left to right, without
// overlapping) with lpszNew (NULL: nothing). An empty lpszOld replaces nothing.
int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
  const size_t oldLength = lpszOld != NULL ? std::strlen(lpszOld) : 0;
  if (oldLength == 0) return 0;
  const std::string replacement = lpszNew != NULL ? lpszNew : "";
  const std::string pattern = lpszOld;  // either argument may point into this string
  int count = 0;
  std::string result;
  size_t from = 0;
  for (;;) {
    const size_t at = FindText(m_str, from, pattern.data(), oldLength);
    if (at == std::string::npos) break;
    result.append(m_str, from, at - from);
    result += replacement;
    from = at + oldLength;
    ++count;
  }
  if (count == 0) return 0;
  result.append(m_str, from, std::string::npos);
  m_str.swap(result);
  return count;
}

int CString::Remove(TCHAR chRemove) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = m_str.data();
  const char* end = begin + m_str.size();
  std::string result;
  result.reserve(m_str.size());
  int count = 0;
  for (const char* p = begin; p < end;) {
    const size_t n = cp.CharLength(p, end);
    if (IsChar(p, n, chRemove)) ++count;
    else result.append(p, n);
    p += n;
  }
  m_str.swap(result);
  return count;
}

int CString::Insert(int nIndex, TCHAR ch) { return Insert(nIndex, CString(ch)); }

// The index is clamped to the string; returns the new length.
int CString::Insert(int nIndex, LPCTSTR pstr) {
  nIndex = std::max(0, std::min(nIndex, GetLength()));
  if (pstr != NULL) m_str.insert(static_cast<size_t>(nIndex), std::string(pstr));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  if (nIndex < 0) nIndex = 0;
  if (nCount > 0 && nIndex < GetLength())
    m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(std::min(nCount, GetLength() - nIndex)));
  return GetLength();
}

void CString::MakeUpper() {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  char* p = m_str.data();
  const char* end = p + m_str.size();
  while (p < end) {
    const size_t n = cp.CharLength(p, end);
    if (n == 1) *p = cp.ToUpper(*p);
    p += n;
  }
}

void CString::MakeLower() {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  char* p = m_str.data();
  const char* end = p + m_str.size();
  while (p < end) {
    const size_t n = cp.CharLength(p, end);
    if (n == 1) *p = cp.ToLower(*p);
    p += n;
  }
}

// Reverses the order of the characters; each double-byte character keeps its lead-trail order.
void CString::MakeReverse() {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* begin = m_str.data();
  const char* end = begin + m_str.size();
  std::string result(m_str.size(), '\0');
  size_t out = m_str.size();
  for (const char* p = begin; p < end;) {
    const size_t n = cp.CharLength(p, end);
    out -= n;
    std::memcpy(result.data() + out, p, n);
    p += n;
  }
  m_str.swap(result);
}
