// The setting lines of a configuration or source file: "# PROP [BASE] Use_MFC", "# ADD|SUBTRACT
// [BASE] CPP" and "# ADD|SUBTRACT [BASE] LINK32". They are rebuilt from their tokens on writing.
#pragma once

#include <utility>

#include "dsp/DspFileEntry.h"
#include "dsp/DspLine.h"

// Where a setting line that continues with a trailing backslash went on to its next physical
// line: before token `before`, with the next line's leading white space. Kept so that such a line
// writes back as read; adding or removing settings keeps the breaks where they still fit.
struct CDspLineBreak {
  int before;
  CString indent;
};

class CDspLineBreaks {
 public:
  void Add(int before, const CString& indent) { m_breaks.push_back({before, indent}); }
  bool IsEmpty() const { return m_breaks.empty(); }
  // Token `index` is gone; `count` tokens are left.
  void OnRemoved(int index, int count);
  // `other`'s tokens were appended after the first `offset` tokens.
  void Append(const CDspLineBreaks& other, int offset);
  // Puts what stands before token `index`: one blank, or the breaks that stand there.
  // `quotesOnLine` counts the quotes written on the current physical line; the token to come holds
  // `tokenQuotes` of them and begins with `tokenStart`. A quote after an unmatched one would group
  // with it when the line is read again, so such a token goes on a continuation line of its own
  // (the reader splits each physical line by itself); a token that begins with '#' or '!' cannot
  // (the reader would take that line for a line of its own), and is refused.
  void WriteBefore(CDspLineWriter& line, int index, size_t& cursor, int& quotesOnLine, int tokenQuotes,
                   char tokenStart) const;

 private:
  std::vector<CDspLineBreak> m_breaks;  // in token order
};

// One compiler switch with its argument. Kinds 0 to 3 are the debug-information switches of the
// table, whose text is not stored; kind 5 keeps its switch text. Settings come from the tree's
// heap, as entries do.
class CDspCPPCompilerSetting : public CDspHeapObject {
 public:
  CDspCPPCompilerSetting(CString switchText, CString value);
  virtual ~CDspCPPCompilerSetting();

  virtual int GetKind() const;
  // The stored switch text: empty for the table's debug-information switches.
  virtual CString GetSwitch() const;
  virtual CString GetValue() const;
  // The switch (the table text for kinds 0 to 3), then one blank and the value when there is one.
  virtual void GetText(CString& text) const;
  virtual void Set(int kind, const CString& value);

  // The stored texts, without copies (the writer's).
  const CString& GetSwitchText() const { return m_switch; }
  const CString& GetValueText() const { return m_value; }

 private:
  int m_kind;
  CString m_switch;
  CString m_value;
};

// The common part of the three setting lines: the BASE flag and the operation.
class CDspConfigEntry : public CDspFileEntry {
 public:
  enum Operation { opProp = 0, opAdd = 1, opSubtract = 2 };

  CDspConfigEntry(bool base, int operation);
  ~CDspConfigEntry() override;

  bool IsBase() const { return m_base; }
  int GetOperation() const { return m_operation; }
  // "PROP", "ADD", "SUBTRACT"; empty for any other operation.
  CString GetOperationText() const;

 protected:
  // "# <operation>[ BASE] <tool>" without a line end.
  void WriteHead(CDspLineWriter& line, LPCTSTR tool) const;

 private:
  bool m_base;
  int m_operation;
};

// "# PROP [BASE] Use_MFC <value>"
class CDspMFCConfigEntry : public CDspConfigEntry {
 public:
  CDspMFCConfigEntry(bool base, const CString& value);
  ~CDspMFCConfigEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  int GetKind() const { return m_kind; }
  // The table text, or the value as read for a value not in the table.
  CString GetValueText() const;

 private:
  int m_kind;
  CString m_value;
};

// "# ADD|SUBTRACT [BASE] CPP <settings>"
//
// A line as the reader reads it keeps its arguments as one text, written as it stands, until its
// settings are asked for: then they are made from it, once (const members make them too). The
// reader keeps a line so only where writing its settings gives the same text.
class CDspCPPConfigEntry : public CDspConfigEntry {
 public:
  CDspCPPConfigEntry(bool base, int operation);
  // A line whose settings are the argument tokens of `arguments`, which holds them joined by
  // single blanks (as the settings are written); `arguments` lives as long as the entry.
  CDspCPPConfigEntry(bool base, int operation, const CDspTextBlock* arguments);
  ~CDspCPPConfigEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;
  void InsertIntoTargetFile(CDspTargetFile& file, int index);

  int GetSettingCount() const { return static_cast<int>(Settings().list.size()); }
  // TQ::CTqIndexException outside 0..count-1.
  const CDspCPPCompilerSetting* GetSetting(int index) const;
  CDspCPPCompilerSetting* GetSetting(int index);
  // Takes ownership.
  void AddSetting(CDspCPPCompilerSetting* setting);
  void RemoveSetting(int index);
  // Moves every setting of `other` to the end of this line, leaving `other` empty.
  void TakeSettings(CDspCPPConfigEntry& other);

  // Settings from the argument tokens of a compiler line: "/D" and "/I" take the next token as
  // their value; every other token is a switch of its own.
  void AddArguments(std::vector<CString> tokens, const std::vector<CDspLineBreak>& breaks);

 private:
  struct SettingList : CDspHeapObject {
    std::vector<std::unique_ptr<CDspCPPCompilerSetting>, CDspEntryAllocator<std::unique_ptr<CDspCPPCompilerSetting>>>
        list;
    CDspLineBreaks breaks;
  };
  // The settings, made from the kept arguments on first use.
  SettingList& Settings() const;

  // The arguments as read while there are no settings; empty once they are made.
  mutable CDspText m_arguments;
  mutable std::unique_ptr<SettingList> m_settings;
};

// "# ADD|SUBTRACT [BASE] LINK32 <arguments>"
class CDspLink32ConfigEntry : public CDspConfigEntry {
 public:
  CDspLink32ConfigEntry(bool base, int operation);
  ~CDspLink32ConfigEntry() override;

  void Write(CStdioFile& file) const override;
  void InsertInto(CDspFileEntryContainer& container, int index) override;
  void WriteTo(CDspLineWriter& out) const override;

  int GetArgumentCount() const { return static_cast<int>(m_arguments.size()); }
  // TQ::CTqIndexException outside 0..count-1.
  const CString& GetArgument(int index) const;
  void AddArgument(const CString& argument);
  void RemoveArgument(int index);
  // Moves every argument of `other` to the end of this line, leaving `other` empty.
  void TakeArguments(CDspLink32ConfigEntry& other);

  void AddArguments(std::vector<CString> tokens, const std::vector<CDspLineBreak>& breaks);

 private:
  std::vector<CString> m_arguments;
  CDspLineBreaks m_breaks;
};
