// A text stream over one string: typed values are appended with printf formats and read back
// from a read position with scanf formats or as white-space separated tokens. A token never ends
// between a lead byte and its trail byte.
#pragma once

#include "stdafx.h"

namespace TQ {

class CTqStringStream {
 public:
  CTqStringStream();
  CTqStringStream(const CString& text);
  CTqStringStream(LPCTSTR text);
  CTqStringStream(LPCTSTR text, int count);
  CTqStringStream(const CTqStringStream& other);
  CTqStringStream& operator=(const CTqStringStream& other);

  CTqStringStream& operator<<(char value);
  CTqStringStream& operator<<(unsigned char value);
  CTqStringStream& operator<<(int value);
  CTqStringStream& operator<<(unsigned int value);
  CTqStringStream& operator<<(short value);
  CTqStringStream& operator<<(unsigned short value);
  CTqStringStream& operator<<(long value);
  CTqStringStream& operator<<(unsigned long value);
  CTqStringStream& operator<<(float value);
  CTqStringStream& operator<<(double value);
  CTqStringStream& operator<<(const CString& text);

  CTqStringStream& operator>>(CString& token);
  CTqStringStream& operator>>(char& value);
  CTqStringStream& operator>>(unsigned char& value);
  CTqStringStream& operator>>(int& value);
  CTqStringStream& operator>>(unsigned int& value);
  CTqStringStream& operator>>(short& value);
  CTqStringStream& operator>>(unsigned short& value);
  CTqStringStream& operator>>(long& value);
  CTqStringStream& operator>>(unsigned long& value);
  CTqStringStream& operator>>(float& value);
  CTqStringStream& operator>>(double& value);

  void Trim();
  LPCTSTR FindFirstSpace() const;
  LPCTSTR FindFirstNonSpace() const;
  void Rewind();
  bool AtEnd() const;

  const CString& GetString() const { return m_text; }

 private:
  enum FormatIndex { fmtChar, fmtUChar, fmtInt, fmtUInt, fmtShort, fmtUShort, fmtLong, fmtULong, fmtFloat, fmtDouble };

  template <typename T>
  CTqStringStream& Insert(FormatIndex index, T value);
  // Scans a T and keeps the value as a Width (LONG for long), wrapping past that width.
  template <typename T, typename Width = T>
  CTqStringStream& Extract(FormatIndex index, T& value);

  CString m_text;
  int m_position;
};

}  // namespace TQ
