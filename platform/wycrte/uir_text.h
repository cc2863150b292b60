// The user-interface resource files of the engine stand-in: a text format of our own (see
// docs/STANDINS.md). The parse is a pure function of the file's bytes.
//
//   WycUIR 1              the first line that is not empty or a comment, exactly
//   ; comment             lines starting with ';' (after blanks) and empty lines are skipped
//   Panel [callback]      starts the next panel (panels count from 1 in file order)
//   Control [callback]    a control of that panel (ids count from 2)
//   MenuBar [callback]    starts the next menu bar (menu bars count from 1)
//   Item [callback]       an item of that menu bar (ids count from 2)
//
// A callback is a C identifier; without one the object has no callback (length 0). Lines end in
// LF or CR LF. A file whose first line is not the header, or with a line before the first block
// that is not empty or a comment, is malformed as a whole; any other line that does not fit (an
// unknown keyword, a Control in a menu bar or an Item in a panel, a callback that is no identifier,
// more than one word after the keyword) makes the block it stands in malformed.
#pragma once

#include <string>
#include <vector>

namespace wycrte {

struct UirObject {
  std::string callback;                 // "" when it has none
  std::vector<std::string> children;    // callbacks of controls or items, ids 2, 3, ...
  bool malformed = false;
};

struct UirFile {
  bool malformed = false;               // the whole file: every load answers "malformed"
  std::vector<UirObject> panels;
  std::vector<UirObject> menuBars;
};

UirFile ParseUir(const std::string& bytes);

}  // namespace wycrte
