// Reads a project file (.dsp) line by line into the entry tree. It understands what the editors
// change: the target type, the configurations with their Use_MFC, compiler and linker lines, the
// target's groups and source files, and the project's "# Section" blocks. Every other line is
// kept verbatim.
#pragma once

#include "stdafx.h"

#include <vector>

#include "dsp/DspLine.h"

class CDspConfigSet;
class CDspFile;
class CDspFileEntry;
class CDspFileEntryContainer;
class CDspSection;
class CDspTarget;
class CDspTargetFile;
class CDspTargetFolder;

class CDspFileBuilder {
 public:
  explicit CDspFileBuilder(const CString& path);
  virtual ~CDspFileBuilder();

  // Empties `file` and fills it from the path, then validates it. Failures: the CFileException of
  // a failed open, or end-of-file inside a block; TQ::CInvalidProjectFormatException for a first
  // line without a quoted name or a second Use_MFC line; the validation messages. The file is
  // closed on every exit and the tree keeps what was read.
  void Build(CDspFile& file);

 private:
  bool ReadLine(CString& line);
  // The next line of a block: end-of-file is a CFileException.
  void ReadBlockLine(CString& line);
  void PushBack(const CString& line);

  // The block readers read into `line`, the caller's buffer, so that one buffer serves the whole
  // file; on entry it holds the block's opening line.
  void ReadTopLevelLine(CDspFile& file, CString& line);
  void ReadConfigSet(CDspConfigSet& set, CString& line);
  void ReadTarget(CDspTarget& target, CString& line);
  void ReadGroup(CDspTargetFolder& folder, CString& line);
  void ReadSourceFile(CDspTargetFile& file, CString& line);
  void ReadSection(CDspSection& section, CString& line);
  // The entry of a line of a configuration (or a source file's compiler line); a setting line
  // that ends in a lone backslash takes its continuation lines with it.
  CDspFileEntry* MakeConfigLineEntry(const CString& line);
  // The same for a "# PROP" line.
  CDspFileEntry* MakePropLineEntry(const CString& line);
  void ReadContinuation(std::vector<CString>& tokens, std::vector<struct CDspLineBreak>& breaks);
  // The name and id of a "# Section <project> : {<id>}" header.
  bool IsSectionHeader(const CString& line, CString& name, CString& id) const;

  CString m_path;
  CStdioFile m_file;
  std::vector<CDspToken> m_tokens;  // the arguments of the setting line at hand
  CString m_projectName;
  bool m_hasPushedBack;
  CString m_pushedBack;
};
