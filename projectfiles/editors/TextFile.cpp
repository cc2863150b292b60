#include "editors/TextFile.h"

#include <cstring>
#include <memory>

#include "dsp/DspExceptions.h"

void RefuseNul(const char* data, size_t length, const CString& path) {
  if (length > 0 && std::memchr(data, '\0', length) != NULL) throw new TQ::CNulCharacterException(path);
}

BOOL ReadTextLine(CStdioFile& file, CString& line) {
  if (!file.ReadString(line)) return FALSE;
  RefuseNul(static_cast<LPCTSTR>(line), static_cast<size_t>(line.GetLength()), file.GetFilePath());
  return TRUE;
}

void WriteText(CStdioFile& file, const CString& text) {
  RefuseNul(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()), CString());
  file.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength()));
}

bool OpenTextFileIfPresent(CStdioFile& file, const CString& path) {
  std::unique_ptr<CFileException> error(new CFileException);
  if (file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, error.get())) return true;
  if (error->m_lOsError == ERROR_FILE_NOT_FOUND || error->m_lOsError == ERROR_PATH_NOT_FOUND) return false;
  throw error.release();
}

bool ReadWholeTextFile(const CString& path, CString& text) {
  text.Empty();
  CStdioFile file;
  if (!OpenTextFileIfPresent(file, path)) return false;
  try {
    CString line;
    while (ReadTextLine(file, line)) text += line + "\n";
    file.Close();
  } catch (...) {
    file.Abort();
    text.Empty();
    throw;
  }
  return true;
}
