// The type library description: the text a module's TYPELIB resource holds here, in place of the
// platform's binary type library. Plain C++, shared by oleaut32 (LoadTypeLibEx) and the build's
// `typelib` tool, which checks a module's description and writes the resource from it.
//
// One statement a line; blank lines and lines starting with '#' are left out; indentation is
// free. Names are C identifiers; identifiers are written braced, {xxxxxxxx-xxxx-xxxx-xxxx-
// xxxxxxxxxxxx}, in either case.
//
//   library <Name> {LIBID} <major>.<minor>     first, once
//   helpstring "<text>"                          at most once (no double quote inside)
//   importlib <file>                             the libraries it imports, as many as needed
//   dispinterface <Name> {IID}                   a dispatch interface,
//   dual <Name> {IID}                            or a dual one; then its methods:
//     method <Name>                              in their order (DISPIDs from 1)
//   coclass <Name> {CLSID}                       a class; then its interfaces:
//     interface <Name>                           declared above, or imported (importlib)
//
// Names and identifiers are unique in a library, method names in an interface (without regard to
// case, as Automation matches them).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace typelib {

struct Interface {
  enum Kind { kDispatch, kDual };
  Kind kind = kDispatch;
  std::string name;
  std::string iid;  // braced, upper case
  std::vector<std::string> methods;
};

struct CoClass {
  std::string name;
  std::string clsid;  // braced, upper case
  std::vector<std::string> interfaces;
};

struct Library {
  std::string name;
  std::string libid;  // braced, upper case
  unsigned major = 0;
  unsigned minor = 0;
  std::string helpString;
  std::vector<std::string> imports;
  std::vector<Interface> interfaces;
  std::vector<CoClass> coclasses;
};

// Reads a description. False with "line <n>: <what>" in *error when it is malformed.
bool Parse(std::string_view text, Library& library, std::string* error);
// The description in its plain form: the statements above in order, members indented by two,
// identifiers in upper case, no comments. Parse reads it back to the same library.
std::string Write(const Library& library);

}  // namespace typelib
