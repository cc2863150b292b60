// The one-line entries of a project file: the target type, a verbatim line, a source file's
// SOURCE line and a group's default filter.
#pragma once

#include <utility>

#include "dsp/DspFileEntry.h"

// "# TARGTYPE ..." : the kind comes from the code at the end of the line, which is kept as read.
class CDspTargetType : public CDspFileEntry {
 public:
  explicit CDspTargetType(CString line);
  ~CDspTargetType() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  int GetKind() const { return m_kind; }
  const CString& GetLine() const { return m_line; }

  // The kind of a target-type line: the hexadecimal code in its last six characters (trailing
  // blanks are not part of them), looked up in the target-type table.
  static int KindOfLine(const CString& line);

 private:
  int m_kind;
  CString m_line;
};

// A line the model does not need to understand, written back as read.
class CDspFileUnknownEntry : public CDspFileEntry {
 public:
  explicit CDspFileUnknownEntry(const CString& line);
  explicit CDspFileUnknownEntry(CDspText line);
  ~CDspFileUnknownEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  CString GetLine() const { return m_line.ToString(); }
  const CDspText& GetText() const { return m_line; }

 private:
  CDspText m_line;
};

// "SOURCE=<path>" of a source file block.
class CDspSourceFileSourceEntry : public CDspFileEntry {
 public:
  explicit CDspSourceFileSourceEntry(const CString& path);
  explicit CDspSourceFileSourceEntry(CDspText path);
  ~CDspSourceFileSourceEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  CString GetPath() const { return m_path.ToString(); }
  const CDspText& GetPathText() const { return m_path; }

  // The line of a source path: "SOURCE=" and the path.
  template <typename Text>
  static void WriteLine(CDspLineWriter& out, const Text& path) {
    out.Put("SOURCE=");
    out.PutLine(path);
  }

 private:
  CDspText m_path;
};

// "# PROP Default_Filter "<filter>"" of a group.
class CDspTargetDefaultFilter : public CDspFileEntry {
 public:
  explicit CDspTargetDefaultFilter(CString filter);
  ~CDspTargetDefaultFilter() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  const CString& GetFilter() const { return m_filter; }

 private:
  CString m_filter;
};
