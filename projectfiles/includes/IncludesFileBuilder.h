// Reads an includes header back into a CIncludesFile: every "#include" line anywhere in the file
// gives a header name and every "using namespace" line a namespace, whoever wrote them.
#pragma once

#include "includes/IncludesFile.h"

// What one line of the header gives, by the reader's rule: a line holding "#include" anywhere gives
// a header name (the line without every "#include" and every double quote, trimmed); else a line
// holding "using namespace" gives a namespace (without every "using namespace", double quote and
// ';', trimmed); any other line nothing.
enum IncludesLineKind { includesOther, includesHeader, includesNamespace };
IncludesLineKind ReadIncludesLine(const CString& line, CString& name);

class CIncludesFileBuilder {
 public:
  explicit CIncludesFileBuilder(const CString& path);
  virtual ~CIncludesFileBuilder();

  // Appends what it finds; the lists are not cleared first. A missing file is no error and
  // changes nothing; a file that exists but cannot be opened throws its CFileException, and one
  // holding a NUL character TQ::CNulCharacterException.
  void Build(CIncludesFile& file);

 private:
  CString m_path;
};
