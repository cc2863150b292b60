// The editor of one "# Section" block of a project.
#pragma once

#include "dsp/DspSection.h"

class CDspSectionEditor {
 public:
  explicit CDspSectionEditor(CDspSection& section);
  virtual ~CDspSectionEditor();

  // Kinds 0 to 4 are the section keys ("2:5:Class:" ...); any other kind is taken as a raw line
  // whose text is the value. Appends an entry unless one of that kind with an equal value is
  // there; an entry of the same kind with another value stays.
  void SetEntry(int kind, const CString& value);

  CDspSection& GetSection() const { return m_section; }

 private:
  CDspSection& m_section;
};
