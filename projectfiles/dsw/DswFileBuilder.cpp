#include "dsw/DswFileBuilder.h"

#include "dsp/DspExceptions.h"
#include "dsw/DswEntries.h"
#include "editors/TextFile.h"

namespace {

// Every line test ignores trailing white space, and only that.
CString WithoutTrailingSpace(const CString& line) {
  CString trimmed = line;
  trimmed.TrimRight();
  return trimmed;
}

bool IsGlobalLine(const CString& line) { return WithoutTrailingSpace(line) == "Global:"; }
bool IsControlPackageLine(const CString& line) { return WithoutTrailingSpace(line) == "Package=<3>"; }
bool IsBlockEndLine(const CString& line) { return WithoutTrailingSpace(line) == "}}}"; }

// The 80-character rule of '#' between a workspace's parts; any '#' line of half that length or
// more counts as one.
bool IsSeparatorLine(const CString& line) {
  const CString trimmed = WithoutTrailingSpace(line);
  return trimmed.GetLength() >= 40 && trimmed[0] == '#';
}

// Ownership passes to the container with the call; a refused entry is deleted by the container.
template <typename Entry>
void Append(std::unique_ptr<Entry> entry, CDswFileEntryContainer& container) {
  entry.release()->InsertInto(container, -1);
}

}  // namespace

CDswFileBuilder::CDswFileBuilder(const CString& path) : m_path(path) {}
CDswFileBuilder::~CDswFileBuilder() {}

void CDswFileBuilder::Build(CDswFile& file) {
  file.RemoveAll();
  CFileException* openError = new CFileException;
  if (!m_file.Open(m_path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText, openError)) throw openError;
  openError->Delete();
  try {
    CString line;
    while (ReadTextLine(m_file, line)) {
      if (IsGlobalLine(line))
        Append(ReadGlobalSection(line), file);
      else
        Append(std::make_unique<CDswFileUnknownEntry>(line), file);
    }
    file.Validate();
    m_file.Close();
  } catch (...) {
    m_file.Abort();
    throw;
  }
}

void CDswFileBuilder::ReadLineOrThrow(CString& line) {
  if (!ReadTextLine(m_file, line)) throw new TQ::CReadFileFailureException(TRUE);
}

std::unique_ptr<CDswGlobalSection> CDswFileBuilder::ReadGlobalSection(const CString& globalLine) {
  auto section = std::make_unique<CDswGlobalSection>();
  Append(std::make_unique<CDswFileUnknownEntry>(globalLine), *section);
  CString line;
  ReadLineOrThrow(line);
  for (;;) {
    if (IsSeparatorLine(line)) {
      Append(std::make_unique<CDswFileUnknownEntry>(line), *section);
      break;
    }
    if (IsControlPackageLine(line))
      Append(ReadControlGUIDPackage(), *section);
    else
      Append(std::make_unique<CDswFileUnknownEntry>(line), *section);
    // A workspace may end inside its Global section.
    if (!ReadTextLine(m_file, line)) break;
  }
  return section;
}

std::unique_ptr<CDswControlGUIDPackage> CDswFileBuilder::ReadControlGUIDPackage() {
  auto package = std::make_unique<CDswControlGUIDPackage>();
  CString line;
  ReadLineOrThrow(line);  // the block's opening line, rewritten as "{{{"
  ReadLineOrThrow(line);
  while (!IsBlockEndLine(line)) {
    CDswControlGUIDEntry::FromLine(line)->InsertInto(*package, -1);
    ReadLineOrThrow(line);
  }
  return package;
}
