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
  void WriteTo(CDspLineWriter& out) const override;
  // The first SOURCE line is the file's path.
  void InsertSourceEntry(CDspSourceFileSourceEntry* entry, int index) override;
  // The first "# ADD CPP" and the first "# SUBTRACT CPP" line are remembered (BASE or not).
  void InsertCPPConfigEntry(CDspCPPConfigEntry* entry, int index) override;
  // Appends a SOURCE line as read (its path a block of the tree's text store), as
  // InsertSourceEntry would append its entry.
  void AppendSourceLine(const CDspTextBlock* path);
  // The block as the IDE writes it for a file without settings of its own: the usual begin and
  // end lines around an empty line and the SOURCE line. MakeUsual makes its entry (the path a
  // block of the tree's text store); WriteUsual writes it.
  static CDspTargetFile* MakeUsual(const CDspTextBlock* path);
  static void WriteUsual(CDspLineWriter& out, const CDspTextBlock* path);

  // The SOURCE path as read; empty without a SOURCE line.
  CString GetSourcePath() const;
  bool HasSourceEntry() const { return m_source != 0; }
  // True when the file has a SOURCE line whose path equals `path` (CString's equality), without
  // a copy: the lookups' hot path.
  bool HasSourcePath(const CString& path) const;
  CString GetBeginLine() const;
  CString GetEndLine() const;
  void SetEndLine(const CString& line);
  // The same for a line of `length` bytes (followed by a NUL); the usual one makes no string.
  void SetEndLine(LPCTSTR line, int length);

  static constexpr char kUsualBegin[] = "# Begin Source File";
  static constexpr char kUsualEnd[] = "# End Source File";
  static const LPCTSTR kBeginLine;  // kUsualBegin
  static const LPCTSTR kEndLine;    // kUsualEnd
  // A line that reads as the usual one (IsText's equality).
  static bool IsUsualBeginLine(const CString& line) { return IsDspLiteral(line, kUsualBegin); }
  static bool IsUsualEndLine(const CString& line) { return IsDspLiteral(line, kUsualEnd); }
  static bool IsUsualBeginLine(LPCTSTR line, int length) { return IsDspLiteral(line, length, kUsualBegin); }
  static bool IsUsualEndLine(LPCTSTR line, int length) { return IsDspLiteral(line, length, kUsualEnd); }
  bool GetAddCompilerEntry(CDspCPPConfigEntry*& entry) const;
  bool GetSubtractCompilerEntry(CDspCPPConfigEntry*& entry) const;

 protected:
  void Forget(const CDspFileEntry* entry) override;
  void Made(Slot line, CDspFileEntry* entry) override;

 private:
  // What few source files have: begin and end lines other than the usual ones, and compiler
  // lines of their own. A project holds thousands of source files, and a small entry is cheap to
  // make and to free.
  struct Lines {
    CString begin;
    CString end;
  };
  struct Extra : CDspHeapObject {
    std::unique_ptr<Lines> lines;
    CDspCPPConfigEntry* add = NULL;
    CDspCPPConfigEntry* subtract = NULL;
  };
  Extra& GetExtra();
  const Lines* GetLines() const { return m_extra ? m_extra->lines.get() : NULL; }
  void SetLines(const CString& begin, const CString& end);
  // The path of the remembered SOURCE line (not 0), entry or slot; `borrowed` holds a slot's.
  static const CDspText& PathOf(Slot source, CDspText& borrowed);

  // The remembered SOURCE line: its entry, or its slot while it is kept as read; 0 without one.
  Slot m_source;
  std::unique_ptr<Extra> m_extra;
};
