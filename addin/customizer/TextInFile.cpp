#include "customizer/TextInFile.h"

#include "TqFile.h"
#include "editors/ReplaceFile.h"
#include "editors/TextFile.h"

bool InsertText(CString& contents, const CString& text, const CString& marker, bool before) {
  if (contents.IsEmpty() || contents.Find(text) >= 0) return false;
  int position = contents.Find(marker);
  if (position < 0)
    position = contents.GetLength();
  else if (!before)
    position += marker.GetLength();
  contents = contents.Left(position) + text + contents.Mid(position);
  return true;
}

bool ReplaceText(CString& contents, const CString& text, const CString& replacement) {
  const int position = contents.IsEmpty() ? -1 : contents.Find(text);
  if (position < 0) return false;
  contents = contents.Left(position) + replacement + contents.Mid(position + text.GetLength());
  return true;
}

bool RemoveText(CString& contents, const CString& text) { return ReplaceText(contents, text, ""); }

void RewriteTextFile(const CString& path, const CString& contents) {
  CReplacementSet files;
  StageTextFile(files, path, contents);
  files.ReplaceAll();
}

void StageTextFile(CReplacementSet& files, const CString& path, const CString& contents) {
  files.Stage(path, [&contents](CStdioFile& file) { WriteText(file, contents); });
}

void InsertTextInFile(const CString& path, const CString& text, const CString& marker, bool before) {
  CString contents;
  if (ReadWholeTextFile(path, contents) && InsertText(contents, text, marker, before)) RewriteTextFile(path, contents);
}

void RemoveTextFromFile(const CString& path, const CString& text) {
  CString contents;
  if (ReadWholeTextFile(path, contents) && RemoveText(contents, text)) RewriteTextFile(path, contents);
}
