// A source file block of the target ("# Begin Source File" ... "# End Source File"): its SOURCE
// line, its per-file compiler lines and every other line verbatim.
#pragma once

#include <memory>

#include "dsp/DspFileEntry.h"
#include "dsp/DspLine.h"

class CDspTargetFile : public CDspFileEntry, public CDspFileEntryContainer {
 public:
  // A new block reads "# Begin Source File" ... "# End Source File"; one read from a file keeps
  // its own lines. (Three constructors rather than default arguments: a default CString argument
  // would be made, and freed, for every source file read.)
  CDspTargetFile();
  explicit CDspTargetFile(const CString& beginLine);
  CDspTargetFile(const CString& beginLine, const CString& endLine);
  ~CDspTargetFile() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void RemoveFrom(CDspFileEntryContainer& container) override;
  // Without a SOURCE line: "Invalid source entry."
  void Validate() override;
  void RemoveAll() override;
  // The first SOURCE line is the file's path.
  void InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index) override;
  // The first "# ADD CPP" and the first "# SUBTRACT CPP" line are remembered (BASE or not).
  void InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) override;

  // The SOURCE path as read; empty without a SOURCE line.
  CString GetSourcePath() const;
  bool HasSourceEntry() const { return m_source != NULL; }
  // The SOURCE path without a copy, for a file that has its source entry (the lookups' hot path).
  const CString& GetSourcePathText() const;
  CString GetBeginLine() const;
  CString GetEndLine() const;
  void SetEndLine(const CString& line);

  static constexpr char kUsualBegin[] = "# Begin Source File";
  static constexpr char kUsualEnd[] = "# End Source File";
  static const LPCTSTR kBeginLine;  // kUsualBegin
  static const LPCTSTR kEndLine;    // kUsualEnd
  // A line that reads as the usual one (IsText's equality).
  static bool IsUsualBeginLine(const CString& line) { return IsDspLiteral(line, kUsualBegin); }
  static bool IsUsualEndLine(const CString& line) { return IsDspLiteral(line, kUsualEnd); }
  bool GetAddCompilerEntry(CDspCPPConfigEntry*& entry) const;
  bool GetSubtractCompilerEntry(CDspCPPConfigEntry*& entry) const;

 protected:
  void Forget(const CDspFileEntry* entry) override;

 private:
  // Null while both lines are the usual texts: a project holds thousands of source files, and a
  // small entry is cheap to make and to free.
  struct Lines {
    CString begin;
    CString end;
  };
  std::unique_ptr<Lines> m_lines;
  CDspSourceFileSourceEntry* m_source;
  CDspCPPConfigEntry* m_add;
  CDspCPPConfigEntry* m_subtract;
};
