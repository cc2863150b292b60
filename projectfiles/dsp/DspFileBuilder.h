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

  void ReadTopLevelLine(CDspFile& file, CString& line);
  void ReadConfigSet(CDspConfigSet& set, const CString& ifLine);
  void ReadTarget(CDspTarget& target);
  void ReadGroup(CDspTargetFolder& folder);
  void ReadSourceFile(CDspTargetFile& file);
  void ReadSection(CDspSection& section);
  // The entry of a line of a configuration (or a source file's compiler line); a setting line
  // that ends in a lone backslash takes its continuation lines with it. A verbatim line is
  // moved into its entry.
  CDspFileEntry* MakeConfigLineEntry(CString& line);
  void ReadContinuation(std::vector<CString>& tokens, std::vector<struct CDspLineBreak>& breaks);
  // The name and id of a "# Section <project> : {<id>}" header.
  bool IsSectionHeader(const CString& line, CString& name, CString& id) const;

  CString m_path;
  CStdioFile m_file;
  CString m_projectName;
  bool m_hasPushedBack;
  CString m_pushedBack;
};
