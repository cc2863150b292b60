#include "customizer/TextInFile.h"

#include "TqFile.h"
#include "editors/ReplaceFile.h"

namespace {

void Rewrite(const CString& path, const CString& text) {
  WriteFileReplacing(path, [&text](CStdioFile& file) { file.WriteString(text); });
}

}  // namespace

void InsertTextInFile(const CString& path, const CString& text, const CString& marker, bool before) {
  CString contents;
  TQ::ReadTextFile(path, contents);
  if (contents.IsEmpty() || contents.Find(text) >= 0) return;
  int position = contents.Find(marker);
  if (position < 0)
    position = contents.GetLength();
  else if (!before)
    position += marker.GetLength();
  Rewrite(path, contents.Left(position) + text + contents.Mid(position));
}

void RemoveTextFromFile(const CString& path, const CString& text) {
  CString contents;
  TQ::ReadTextFile(path, contents);
  const int position = contents.IsEmpty() ? -1 : contents.Find(text);
  if (position < 0) return;
  Rewrite(path, contents.Left(position) + contents.Mid(position + text.GetLength()));
}
