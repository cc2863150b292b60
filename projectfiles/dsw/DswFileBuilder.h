// Reads a workspace file (.dsw) into a CDswFile. Only the Global section's Package=<3> block is
// understood; every other line is kept as read.
#pragma once

#include <memory>

#include "dsw/DswFile.h"

class CDswFileBuilder {
 public:
  explicit CDswFileBuilder(const CString& path);
  virtual ~CDswFileBuilder();

  // Empties the file, then fills it from the path and validates it. Failures: the CFileException
  // of a failed open, "Read file failed." for a file that ends right after "Global:" or inside a
  // Package=<3> block, "Invalid DSW configuration." without a Global section or its Package=<3>.
  // The file on disk is only read; it is closed on every exit.
  void Build(CDswFile& file);

 private:
  std::unique_ptr<CDswGlobalSection> ReadGlobalSection(const CString& globalLine);
  std::unique_ptr<CDswControlGUIDPackage> ReadControlGUIDPackage();
  void ReadLineOrThrow(CString& line);

  CString m_path;
  CStdioFile m_file;
};
