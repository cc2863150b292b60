// Reads a project file (.dsp) line by line into the entry tree. It understands what the editors
// change: the target type, the configurations with their Use_MFC, compiler and linker lines, the
// target's groups and source files, and the project's "# Section" blocks. Every other line is
// kept verbatim.
#pragma once

#include "stdafx.h"

#include <memory>
#include <string>
#include <vector>

#include "dsp/DspLine.h"
#include "dsp/DspLineReader.h"

class CDspConfigSet;
class CDspFile;
class CDspFileEntry;
class CDspFileEntryContainer;
class CDspSection;
class CDspTarget;
class CDspTargetFile;
class CDspTargetFolder;
class CDspTextBlock;
class CDspTextStore;

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
  bool ReadLine(CDspLine& line);
  // The next line of a block: end-of-file is a CFileException.
  void ReadBlockLine(CDspLine& line);

  // The block readers read into `line`, the line at hand; on entry it holds the block's opening
  // line.
  void ReadTopLevelLine(CDspFile& file, CDspLine& line);
  void ReadConfigSet(CDspConfigSet& set, CDspLine& line);
  void ReadTarget(CDspTarget& target, CDspLine& line);
  void ReadGroup(CDspTargetFolder& folder, CDspLine& line);
  void ReadSourceFile(CDspTargetFile& file, CDspLine& line);
  // A source file block whose begin line is the usual one, into `container`: kept as read when
  // it is the block as the IDE writes it for a file without settings of its own.
  void ReadUsualSourceFile(CDspFileEntryContainer& container, CDspLine& line);
  // One line of a source file block; true when it ends the block.
  bool AddSourceFileLine(CDspTargetFile& file, const CDspLine& line);
  void ReadSection(CDspSection& section, CDspLine& line);
  // Puts a line of a configuration (or a source file's compiler line) into `container`; a
  // setting line that ends in a lone backslash takes its continuation lines with it.
  void AddConfigLine(CDspFileEntryContainer& container, const CDspLine& line);
  // The entry of a "# PROP" line; NULL for a verbatim line.
  CDspFileEntry* MakePropLineEntry(const CDspLine& line);
  // Keeps the argument tokens at hand (m_tokens, of one physical line) as the compiler line's one
  // text, when its settings write back to that text; NULL when they would not.
  const CDspTextBlock* KeptArguments();
  void ReadContinuation(std::vector<CString>& tokens, std::vector<struct CDspLineBreak>& breaks);
  void AppendVerbatim(CDspFileEntryContainer& container, const CDspLine& line);
  // The name and id of a "# Section <project> : {<id>}" header.
  bool IsSectionHeader(const CString& line, CString& name, CString& id) const;

  CString m_path;
  CStdioFile m_file;
  std::unique_ptr<CDspLineReader> m_reader;
  CDspTextStore* m_texts;           // the tree's
  std::vector<CDspToken> m_tokens;  // the arguments of the setting line at hand
  std::string m_joined;             // the same joined by blanks, when they stand otherwise
  bool m_sourcelessFile;            // a source file block without a SOURCE line was read
  CString m_projectName;
};
