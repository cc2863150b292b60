#include "TqStringStream.h"

#include <cstdio>
#include <cstring>

namespace TQ {
namespace {

const char* const kFormats[10] = {"%c", "%c", "%d", "%u", "%hd", "%hu", "%ld", "%lu", "%g", "%lg"};

// The multi-byte white-space test: bytes 0x80 and above are never white space.
bool IsWhite(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return b < 0x80 && (b == ' ' || (b >= '\t' && b <= '\r'));
}

}  // namespace

CTqStringStream::CTqStringStream() : m_position(0) {}
CTqStringStream::CTqStringStream(const CString& text) : m_text(text), m_position(0) {}
CTqStringStream::CTqStringStream(LPCTSTR text) : m_text(text), m_position(0) {}
CTqStringStream::CTqStringStream(LPCTSTR text, int count) : m_text(text, count), m_position(0) {}
CTqStringStream::CTqStringStream(const CTqStringStream& other)
    : m_text(other.m_text), m_position(other.m_position) {}

CTqStringStream& CTqStringStream::operator=(const CTqStringStream& other) {
  m_text = other.m_text;
  m_position = other.m_position;
  return *this;
}

// Formatted as the platform's run time formats it (three exponent digits, 32-bit long), and
// appended as the C string it makes: "%c" of a NUL appends nothing.
template <typename T>
CTqStringStream& CTqStringStream::Insert(FormatIndex index, T value) {
  CString formatted;
  formatted.Format(kFormats[index], value);
  m_text += static_cast<LPCTSTR>(formatted);
  return *this;
}

CTqStringStream& CTqStringStream::operator<<(char value) { return Insert(fmtChar, static_cast<int>(value)); }
CTqStringStream& CTqStringStream::operator<<(unsigned char value) {
  return Insert(fmtUChar, static_cast<int>(value));
}
CTqStringStream& CTqStringStream::operator<<(int value) { return Insert(fmtInt, value); }
CTqStringStream& CTqStringStream::operator<<(unsigned int value) { return Insert(fmtUInt, value); }
CTqStringStream& CTqStringStream::operator<<(short value) { return Insert(fmtShort, static_cast<int>(value)); }
CTqStringStream& CTqStringStream::operator<<(unsigned short value) {
  return Insert(fmtUShort, static_cast<unsigned int>(value));
}
// long and unsigned long are 32-bit values (LONG, ULONG): where the compiler's long is wider, only
// its low 32 bits are written.
CTqStringStream& CTqStringStream::operator<<(long value) { return Insert(fmtLong, static_cast<LONG>(value)); }
CTqStringStream& CTqStringStream::operator<<(unsigned long value) { return Insert(fmtULong, static_cast<ULONG>(value)); }
CTqStringStream& CTqStringStream::operator<<(float value) { return Insert(fmtFloat, static_cast<double>(value)); }
CTqStringStream& CTqStringStream::operator<<(double value) { return Insert(fmtDouble, value); }

CTqStringStream& CTqStringStream::operator<<(const CString& text) {
  m_text += text;
  return *this;
}

CTqStringStream& CTqStringStream::operator>>(CString& token) {
  LPCTSTR text = m_text;
  const int length = static_cast<int>(std::strlen(text));
  if (m_position >= length) return *this;
  while (m_position < length && IsWhite(text[m_position])) ++m_position;
  if (m_position >= length) return *this;
  const int start = m_position;
  while (m_position < length && !IsWhite(text[m_position])) {
    // A lead byte takes its trail byte with it, whatever that byte is.
    if (IsDBCSLeadByte(static_cast<BYTE>(text[m_position])) && m_position + 1 < length) ++m_position;
    ++m_position;
  }
  token = CString(text + start, m_position - start);
  return *this;
}

template <typename T, typename Width>
CTqStringStream& CTqStringStream::Extract(FormatIndex index, T& value) {
  const int length = m_text.GetLength();
  if (m_position >= length) return *this;
  char format[8];
  std::snprintf(format, sizeof format, "%s%%n", kFormats[index]);
  int consumed = 0;
  T scanned{};
  LPCTSTR text = m_text;
  if (std::sscanf(text + m_position, format, &scanned, &consumed) == 1) {
    value = static_cast<T>(static_cast<Width>(scanned));
    m_position += consumed;
  } else {
    m_position = length;
  }
  return *this;
}

CTqStringStream& CTqStringStream::operator>>(char& value) { return Extract(fmtChar, value); }
CTqStringStream& CTqStringStream::operator>>(unsigned char& value) { return Extract(fmtUChar, value); }
CTqStringStream& CTqStringStream::operator>>(int& value) { return Extract(fmtInt, value); }
CTqStringStream& CTqStringStream::operator>>(unsigned int& value) { return Extract(fmtUInt, value); }
CTqStringStream& CTqStringStream::operator>>(short& value) { return Extract(fmtShort, value); }
CTqStringStream& CTqStringStream::operator>>(unsigned short& value) { return Extract(fmtUShort, value); }
// Read as 32-bit values too: "-1" read as an unsigned long is 4294967295, and a number past 32
// bits wraps around.
CTqStringStream& CTqStringStream::operator>>(long& value) { return Extract<long, LONG>(fmtLong, value); }
CTqStringStream& CTqStringStream::operator>>(unsigned long& value) {
  return Extract<unsigned long, ULONG>(fmtULong, value);
}
CTqStringStream& CTqStringStream::operator>>(float& value) { return Extract(fmtFloat, value); }
CTqStringStream& CTqStringStream::operator>>(double& value) { return Extract(fmtDouble, value); }

void CTqStringStream::Trim() {
  m_text.TrimLeft();
  m_text.TrimRight();
}

// By character: the trail byte of a double-byte character may look like a blank.
LPCTSTR CTqStringStream::FindFirstSpace() const {
  for (LPCTSTR p = m_text; *p; p = CharNext(p))
    if (IsWhite(*p)) return p;
  return NULL;
}

LPCTSTR CTqStringStream::FindFirstNonSpace() const {
  for (LPCTSTR p = m_text; *p; ++p)
    if (!IsWhite(*p)) return p;
  return NULL;
}

void CTqStringStream::Rewind() { m_position = 0; }

bool CTqStringStream::AtEnd() const { return m_position >= m_text.GetLength(); }

}  // namespace TQ
