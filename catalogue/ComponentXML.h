// The reader of one component description file: the catalogue's XML format, read through the
// platform's XML DOM into a CComponent record.
#pragma once

#include "stdafx.h"

#include "Component.h"

class CComponentXML {
 public:
  // Keeps the path and enters COM on the calling thread for the object's lifetime; a thread that
  // is already in a single-threaded apartment is fine. Throws TQ::CTqOleException when COM cannot
  // be entered.
  explicit CComponentXML(const CString& filePath);
  virtual ~CComponentXML();

  // Copying takes its own COM initialisation; it comes with the writer. Until then a copy would
  // give back an initialisation it never took.
  CComponentXML(const CComponentXML&) = delete;
  CComponentXML& operator=(const CComponentXML&) = delete;

  // Loads the file and assigns every field the format carries: the three flags, the five texts,
  // the twelve lists, the sections and the sources (absent parts as false, empty, empty lists).
  // Selected, WycInstrRequried, InVXIPNP, HasImportLibrary and the two link lists stay as they
  // are. Every failure is a COleException thrown by pointer: E_FAIL for a missing, unreadable or
  // malformed file (nothing assigned then), the DOM's own result for any later DOM failure, and
  // TQ::CTqOleException when no DOM document can be created.
  void Read(CComponent& component);

 private:
  CString m_filePath;
};
