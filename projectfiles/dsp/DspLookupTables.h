// The fixed tables of the project-file model. Every lookup compares byte for byte and case-
// sensitively; a kind of 5 or more means "not from the table": the entry then keeps and writes
// its own text.
#pragma once

#include "stdafx.h"

// Kinds of the "# TARGTYPE" line, from the hexadecimal code at its end.
enum DspTargetTypeKind {
  dspTargetApplication = 0,     // 0x101
  dspTargetDynamicLibrary = 1,  // 0x102
  dspTargetConsole = 2,         // 0x103
  dspTargetStaticLibrary = 3,   // 0x104
  dspTargetGeneric = 4,         // 0x106
  dspTargetUtility = 5,         // 0x10a
  dspTargetUnknown = 7,
  dspTargetNone = -1  // the project has no "# TARGTYPE" line
};

// Kinds of a "# PROP Use_MFC" value: "0", "1", "2", "5", "6", anything else kept as text.
enum DspUseMFCKind { dspUseMFCOther = 6 };

// Kinds of a compiler switch: the four debug-information switches, anything else kept as text.
enum DspCompilerSwitchKind { dspSwitchZd = 0, dspSwitchZ7 = 1, dspSwitchZi = 2, dspSwitchZI = 3, dspSwitchOther = 5 };

// Kinds of a "# Section" entry, by its key; anything else is a raw line.
enum DspSectionKeyKind {
  dspSectionClass = 0,
  dspSectionHeaderFile = 1,
  dspSectionImplFile = 2,
  dspSectionDefaultSinkHeaderFile = 3,
  dspSectionDefaultSinkClass = 4,
  dspSectionRawLine = 6
};

int LookupTargetTypeCode(unsigned int code);
int LookupUseMFCValue(const CString& value);
LPCTSTR GetUseMFCText(int kind);  // NULL for a kind not from the table
int LookupDebugInfoSwitch(const CString& switchText);
LPCTSTR GetDebugInfoSwitchText(int kind);  // NULL for a kind not from the table
int LookupSectionKey(const CString& key);
LPCTSTR GetSectionKeyText(int kind);  // NULL for a kind not from the table
