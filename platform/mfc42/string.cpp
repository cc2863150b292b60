// CString: construction, assignment, concatenation, comparison, extraction and the buffer.
#include <afx.h>

#include <algorithm>
#include <cstring>

#include "mbcs.h"

namespace {

// Character-by-character comparison of two NUL-terminated texts, as the multi-byte run time
// orders them (a double-byte character is lead * 256 + trail); `fold` maps single bytes first.
int CompareTexts(LPCTSTR a, LPCTSTR b, bool fold) {
  const mfc42::CodePage& cp = mfc42::CodePage::Current();
  const char* endA = a + std::strlen(a);
  const char* endB = b + std::strlen(b);
  while (a < endA && b < endB) {
    const size_t lenA = cp.CharLength(a, endA), lenB = cp.CharLength(b, endB);
    unsigned x = cp.CharValue(a, lenA), y = cp.CharValue(b, lenB);
    if (fold) {
      if (lenA == 1) x = static_cast<unsigned char>(cp.ToLower(*a));
      if (lenB == 1) y = static_cast<unsigned char>(cp.ToLower(*b));
    }
    if (x != y) return x < y ? -1 : 1;
    a += lenA;
    b += lenB;
  }
  if (a < endA) return 1;
  if (b < endB) return -1;
  return 0;
}

}  // namespace

CString::CString(TCHAR ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

void CString::Empty() {
  m_str.clear();
  m_str.shrink_to_fit();
}

TCHAR CString::GetAt(int nIndex) const {
  ASSERT(nIndex >= 0 && nIndex < GetLength());
  if (nIndex < 0 || nIndex >= GetLength()) return '\0';
  return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  ASSERT(nIndex >= 0 && nIndex < GetLength());
  if (nIndex < 0 || nIndex >= GetLength()) return;
  m_str[static_cast<size_t>(nIndex)] = ch;
}

const CString& CString::operator=(TCHAR ch) {
  m_str.assign(1, ch);
  return *this;
}

const CString& CString::operator=(LPCSTR lpsz) {
  // lpsz may point into this string's own text; assign copes with that.
  if (lpsz == NULL) m_str.clear();
  else m_str.assign(lpsz);
  return *this;
}

const CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCSTR>(psz); }

const CString& CString::operator+=(const CString& string) {
  m_str += string.m_str;
  return *this;
}

const CString& CString::operator+=(TCHAR ch) {
  m_str += ch;
  return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz) {
  if (lpsz != NULL) m_str.append(lpsz);  // may point into this string: append copes with that
  return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2) {
  CString s(string1);
  s += string2;
  return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch) {
  CString s(string);
  s += ch;
  return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string) {
  CString s(ch);
  s += string;
  return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz) {
  CString s(string);
  s += lpsz;
  return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string) {
  CString s(lpsz);
  s += string;
  return s;
}

int CString::Compare(LPCTSTR lpsz) const { return CompareTexts(*this, lpsz ? lpsz : "", false); }
int CString::CompareNoCase(LPCTSTR lpsz) const { return CompareTexts(*this, lpsz ? lpsz : "", true); }
int CString::Collate(LPCTSTR lpsz) const { return Compare(lpsz); }
int CString::CollateNoCase(LPCTSTR lpsz) const { return CompareNoCase(lpsz); }

// Two texts compare equal character by character exactly when their bytes up to the first NUL are
// equal (a double-byte character never equals a single byte), so equality needs no code page.
bool AFXAPI operator==(const CString& s1, const CString& s2) { return std::strcmp(s1, s2) == 0; }
bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return std::strcmp(s1, s2 ? s2 : "") == 0; }
bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return std::strcmp(s1 ? s1 : "", s2) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return !(s1 == s2); }
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// Mid, Left and Right clamp their arguments to the string instead of failing.
CString CString::Mid(int nFirst, int nCount) const {
  const int length = GetLength();
  nFirst = std::clamp(nFirst, 0, length);
  nCount = std::clamp(nCount, 0, length - nFirst);
  return CString(m_str.data() + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  nCount = std::clamp(nCount, 0, GetLength());
  return Mid(GetLength() - nCount, nCount);
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  ASSERT(nMinBufLength >= 0);
  if (nMinBufLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufLength));
  return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  ASSERT(nNewLength >= 0);
  m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength == -1) nNewLength = static_cast<int>(strnlen(m_str.data(), m_str.size()));
  ASSERT(nNewLength >= 0 && nNewLength <= GetLength());
  m_str.resize(static_cast<size_t>(std::clamp(nNewLength, 0, GetLength())));
}

void CString::FreeExtra() { m_str.shrink_to_fit(); }

LPTSTR CString::LockBuffer() { return m_str.data(); }

void CString::UnlockBuffer() {}
