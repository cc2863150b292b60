#include "includes/IncludesFileBuilder.h"

#include "TqFile.h"

CIncludesFileBuilder::CIncludesFileBuilder(const CString& path) : m_path(path) {}
CIncludesFileBuilder::~CIncludesFileBuilder() {}

void CIncludesFileBuilder::Build(CIncludesFile& file) {
  if (!TQ::FileExists(m_path)) return;
  CStdioFile input;
  CFileException* openError = new CFileException;
  if (!input.Open(m_path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, openError)) throw openError;
  openError->Delete();
  try {
    CString line;
    while (input.ReadString(line)) {
      if (line.Find("#include") >= 0) {
        line.Replace("#include", "");
        line.Remove('"');
        line.TrimLeft();
        line.TrimRight();
        file.AddHeader(line);
      } else if (line.Find("using namespace") >= 0) {
        line.Replace("using namespace", "");
        line.Remove('"');
        line.Remove(';');
        line.TrimLeft();
        line.TrimRight();
        file.AddNamespace(line);
      }
    }
    input.Close();
  } catch (...) {
    input.Abort();
    throw;
  }
}
