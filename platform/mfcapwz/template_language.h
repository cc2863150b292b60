// The template language of the AppWizard host library (customaw.h): macros, conditional blocks
// and comment lines, expanded with a dictionary; and the NEWPROJ.INF list of the files a project
// is generated from. Pure functions of their text: no module, no file.
#pragma once

#include <afxcoll.h>

#include <string>
#include <string_view>
#include <vector>

namespace mfcapwz {

// Whether the dictionary holds the macro, whatever its value.
inline bool InDictionary(const CMapStringToString& dictionary, LPCTSTR name) {
  CString value;
  return dictionary.Lookup(name, value) != FALSE;
}

// Why a template was refused: the line (from 1) and what is wrong there.
struct TemplateError {
  int line = 0;
  std::string what;
};

// Expands `text` with the dictionary into `out` (lines end in "\n"; a CR before a line's LF is
// dropped; the last line keeps its lack of a line break). `sourceLines`, when given, gets each
// output line's line in `text`. False with *error, `out` and `sourceLines` untouched, when the
// language refuses the text.
STANDIN_API bool ExpandTemplate(std::string_view text, const CMapStringToString& dictionary, std::string& out,
                    TemplateError& error, std::vector<int>* sourceLines = nullptr);

// One line of NEWPROJ.INF: "template<TAB>file", the template's name led by "=" (copied as it is,
// not processed) and ":" (the file is one of the project's resource files), in either order.
struct NewProjectFile {
  std::string templateName;
  std::string file;  // relative to the project's folder, with backslashes
  bool copy = false;
  bool resource = false;
  int line = 0;      // in the NEWPROJ.INF template
};

// The files NEWPROJ.INF's expanded text lists (blank lines skipped); `sourceLines` as
// ExpandTemplate gave them. False with *error naming the template's line when a line has no tab,
// no template or no file, or a file that is not inside the project's folder or is listed twice.
STANDIN_API bool ParseNewProjectList(std::string_view expanded, const std::vector<int>& sourceLines,
                         std::vector<NewProjectFile>& files, TemplateError& error);

}  // namespace mfcapwz
