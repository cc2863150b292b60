// The answers file of the msdev program: the commands to run and what the scripted user answers
// (sandbox/user.h) while they run. One statement a line; blank lines and text from a '#' outside
// double quotes are left out.
//
//   run <command>                   runs an add-in's command, as a click on its button
//   <kind>: <action>, ..., <end>    the user's answer to the next modal of that kind ("Dialog",
//                                   "MessageBox", "BrowseForFolder"), in the order they come
//
// Answers before the first `run` are given while the workspace opens; the others while the
// `run` above them runs. An answer's end says how the modal ends:
//
//   press <id>         the button of that id (1 OK, 2 Cancel, 6 Yes, 7 No, ...)
//   leave              the user leaves the modal alone: the program ends it (as the add-in's
//                      thread answers Developer Studio's questions)
//
// and its actions, in order, are what the user does before (dialogs only, by control id):
//
//   check "<text>" in tree <id>     clicks the check mark of the tree item showing that text
//   click <id>                      clicks a button
//   tick <id> | untick <id>         sets a check box
//   select "<text>" in <id>         picks the item of a list or combo box
//   type "<text>" in <id>           types into an edit
//   enter "<text>"                  the text a folder browser is given (its chosen folder)
//
// A dialog's picture is saved as the user leaves it, after the actions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace msdev_program {

struct UserAction {
  enum Kind { kCheckTreeItem, kClick, kTick, kUntick, kSelect, kType };
  Kind kind = kClick;
  int id = 0;
  std::string text;
};

struct UserAnswer {
  int line = 0;      // in the answers file
  std::string kind;  // the modal kind it answers
  bool leave = false;
  int result = 0;    // the button pressed, unless leave
  std::string text;  // enter
  std::vector<UserAction> actions;
};

// One `run` (command "" for the opening of the workspace) and the answers given meanwhile.
struct Stage {
  int line = 0;
  std::string command;
  std::vector<UserAnswer> answers;
};

// Reads an answers file's text. False with "line <n>: <what>" in *error when a line is malformed.
bool ParseAnswers(std::string_view text, std::vector<Stage>& stages, std::string* error);

}  // namespace msdev_program
