// The C instrument drivers installed on the machine, one CComponent record each. A driver is a
// header in one of the three driver directories that has an import library or a C source and a
// function panel file; the depot runs the enumerator while it loads the catalogue.
#pragma once

#include "stdafx.h"

#include <string>
#include <unordered_map>

#include "Component.h"

class CInformationDepot;

class CInstrumentDriverEnumerator {
 public:
  // The depot supplies the directories and must outlive the enumerator.
  explicit CInstrumentDriverEnumerator(CInformationDepot* depot);
  virtual ~CInstrumentDriverEnumerator();

  CInstrumentDriverEnumerator(const CInstrumentDriverEnumerator&) = delete;
  CInstrumentDriverEnumerator& operator=(const CInstrumentDriverEnumerator&) = delete;

  // The first driver, searching the VXIplug&play include directory, then the product's and the
  // Wyc instrument directories; true when one was found (the lookups then describe it).
  virtual bool FindFirst();
  // The driver after the current one, in the current directory and then in the following ones.
  virtual bool FindNext();
  // Forgets the current driver's name, description and files and clears the Wyc flag; the
  // position of the enumeration and the VXIplug&play flag stay.
  virtual void Reset();

  // Lookups for the current driver. Each searches only while its result is empty, and each
  // answers empty when no directory holds the file.
  // The C source as the project names it: below $(SABLEWING_CPP_VXIPNP_PATH) for the framework's
  // per-driver folder, the full path otherwise.
  virtual CString GetSourceFile();
  // The header's file name as found on disk; also sets the include path and the flags.
  CString GetHeaderFile();
  // Whether the framework's include directory holds the C++ wrapper header NAME_Sablewing_cpp.h,
  // which then replaces the header.
  bool GetWrapperHeader();
  // NAME.lib, else NAME_32.lib, in the framework's lib\Msc directory: the file name alone.
  CString GetLibraryFile();
  // NAME.fp: its full path.
  CString GetFunctionPanelFile();
  // The one-line description from the function panel file; empty when it cannot be read.
  CString ReadDescription();
  // The current name is a driver: not one of the framework's own headers, with a library or a
  // source, and with a function panel file.
  bool IsDriverHeader();
  // Starts the header search in one directory and accepts its first driver; false when the
  // directory holds none or cannot be searched.
  bool SearchDirectory(const CString& directory);

  // Fills `component` with the record of the current driver.
  void CreateComponent(CComponent& component);

 private:
  // The names in one of the directories every driver looks in, as they lie on disk. Names are
  // kept as their bytes: what matters is equality, not an order.
  struct FolderNames {
    std::unordered_map<std::string, bool> exact;          // name -> is a directory
    std::unordered_map<std::string, std::string> folded;  // upper-case name -> the first name with it
  };

  enum DirectoryKind {
    headerDirectory0,
    headerDirectory1,
    headerDirectory2,
    frameworkDirectory,
    libraryDirectory,
    iviClassDirectory,
    directoryKinds
  };
  const CString& Directory(DirectoryKind kind);
  CString HeaderDirectory(int index);
  bool ContinueSearch();
  void ReadDetails();
  // Looks for the file `name` in one of the shared directories (the three header directories,
  // the framework's library directory and the Wyc IVI class directory): each is listed once per
  // enumeration, since every driver looks in it, and a directory of a thousand drivers would
  // otherwise be searched thousands of times. The name is matched as a search matches it: the
  // exact name, else the first that differs only in case.
  bool FindInSharedFolder(const CString& directory, const CString& name, CString& nameOnDisk, CString& fullPath);

  CString m_driverName;
  CString m_description;
  CString m_headerFile;
  CString m_headerIncludePath;
  CString m_libraryFile;
  CInformationDepot* m_depot;
  CString m_sourceFile;
  bool m_wycInstrRequired;
  bool m_inVXIPNP;
  CFileFind m_headerSearch;
  CString m_functionPanelFile;
  int m_directoryIndex;
  // The open header search has no file after the current one.
  bool m_exhausted;
  std::unordered_map<std::string, FolderNames> m_sharedFolders;
  CString m_directories[directoryKinds];
  bool m_directoriesTaken = false;
};
