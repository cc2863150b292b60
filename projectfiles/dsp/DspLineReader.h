// The lines of a project file as the reader takes them: read from the file in large pieces (in
// the file's text mode: CR LF as "\n", a lone CR kept, nothing after a Ctrl-Z) and cut at each
// "\n", which is dropped, as CStdioFile::ReadString gives them, without a string per line.
#pragma once

#include "stdafx.h"

#include <memory>

// A line where it stands in the reader's buffer: `length` bytes followed by a NUL; valid until
// the reader's next Next.
struct CDspLine {
  LPCTSTR text;
  int length;

  bool IsEmpty() const { return length == 0; }
  TCHAR First() const { return text[0]; }  // '\0' for an empty line
  CString ToString() const { return CString(text, length); }
};

class CDspLineReader {
 public:
  // Reads `file`, open for reading in text mode, from where it stands.
  explicit CDspLineReader(CStdioFile& file);
  ~CDspLineReader();

  // The next line; false at the end of the file (nothing left to read). A line holding a NUL is
  // refused (TQ::CNulCharacterException naming the file), as ReadTextLine refuses it.
  bool Next(CDspLine& line);
  // The line Next gave last comes again on the next call (once).
  void Again() { m_again = true; }

  CDspLineReader(const CDspLineReader&) = delete;
  CDspLineReader& operator=(const CDspLineReader&) = delete;

 private:
  // Reads the next piece behind the unread bytes; false when there was none.
  bool Fill();

  CStdioFile& m_file;
  std::unique_ptr<char[]> m_buffer;
  size_t m_capacity;  // of m_buffer, less the byte kept for the NUL after the last line
  size_t m_start;     // the first unread byte
  size_t m_end;       // the end of the bytes read
  size_t m_nul;       // the first NUL at or after m_start, or m_end when there is none
  bool m_atEnd;
  bool m_again;
  CDspLine m_last;
};
