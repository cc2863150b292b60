#include "dsp/DspLineReader.h"

#include <cstring>

#include "dsp/DspExceptions.h"

namespace {

const size_t kPiece = 64 * 1024;

}  // namespace

CDspLineReader::CDspLineReader(CStdioFile& file)
    : m_file(file),
      m_buffer(new char[kPiece + 1]),
      m_capacity(kPiece),
      m_start(0),
      m_end(0),
      m_nul(0),
      m_atEnd(false),
      m_again(false),
      m_last{"", 0} {}

CDspLineReader::~CDspLineReader() {}

// The unread bytes move to the front (a line longer than the buffer doubles it), and the next
// piece follows them.
bool CDspLineReader::Fill() {
  if (m_atEnd) return false;
  const size_t unread = m_end - m_start;
  if (m_start > 0) {
    std::memmove(m_buffer.get(), m_buffer.get() + m_start, unread);
    m_nul -= m_start;
    m_start = 0;
    m_end = unread;
  }
  if (m_end == m_capacity) {
    std::unique_ptr<char[]> grown(new char[2 * m_capacity + 1]);
    std::memcpy(grown.get(), m_buffer.get(), m_end);
    m_buffer = std::move(grown);
    m_capacity *= 2;
  }
  const UINT read = m_file.Read(m_buffer.get() + m_end, static_cast<UINT>(m_capacity - m_end));
  if (read == 0) {
    m_atEnd = true;
    return false;
  }
  // A NUL is looked for once per piece; the line that holds it is refused when it is reached.
  if (m_nul == m_end) {
    const void* nul = std::memchr(m_buffer.get() + m_end, '\0', read);
    m_nul = nul != NULL ? static_cast<size_t>(static_cast<const char*>(nul) - m_buffer.get()) : m_end + read;
  }
  m_end += read;
  return true;
}

bool CDspLineReader::Next(CDspLine& line) {
  if (m_again) {
    m_again = false;
    line = m_last;
    return true;
  }
  size_t scanned = m_start;
  const void* found;
  // No line end among the unread bytes: read on, or take the last line without one.
  while ((found = std::memchr(m_buffer.get() + scanned, '\n', m_end - scanned)) == NULL) {
    const size_t unread = m_end - m_start;
    if (!Fill()) break;
    scanned = m_start + unread;
  }
  char* buffer = m_buffer.get();
  if (found == NULL && m_start == m_end) return false;
  const size_t stop = found != NULL ? static_cast<size_t>(static_cast<const char*>(found) - buffer) : m_end;
  if (m_nul < stop) throw new TQ::CNulCharacterException(m_file.GetFilePath());
  buffer[stop] = '\0';
  // Made once and copied twice: reading `line` back would wait for its two halves to be stored.
  const CDspLine made = {buffer + m_start, static_cast<int>(stop - m_start)};
  m_start = found != NULL ? stop + 1 : stop;
  m_last = made;
  line = made;
  return true;
}
