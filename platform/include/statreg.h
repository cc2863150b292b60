// ATL's registrar: registration scripts (.rgs text, as REGISTRY resources hold them) run against
// the registry. CComModule::UpdateRegistryFromResource runs a module's scripts; CRegObject runs
// a script given as text.
//
// The language. Tokens are separated by blanks or line breaks; a name or value in single quotes
// may hold anything ('' is one quote). A script is a list of root keys (HKCR, HKCU, HKLM, HKU or
// their HKEY_ names), each with a block "{ ... }" of entries:
//
//   [ForceRemove | NoRemove] <name> [= s '<text>' | = d <number>] [{ <entries> }]
//   val <name> = s '<text>' | d <number>        (a named value of the key it stands in)
//
// "= s" sets the key's default value; d takes a decimal or 0x number of 32 bits. %NAME% is
// replaced by the text of the replacement NAME (any case; %MODULE% is the module's full path),
// %% by a percent sign; a replacement is made inside its token, so a path with blanks or quotes
// stays whole. Registering creates each key (ForceRemove: first deleting it with everything
// below it) and sets its values. Unregistering deletes each ForceRemove key with everything
// below it, and each plain key once the script's keys below it are gone and no other key is left
// under it; a NoRemove key stays, losing only the script's keys and values below it. A key or
// value that is not there is no failure.
//
// The whole script is parsed before any key is touched: a script that does not parse (an
// unknown root, a block not closed, a value type other than s or d, a replacement not given, a
// name holding a backslash, "Delete") writes nothing and fails with DISP_E_EXCEPTION; the error
// "<script> line <n>: <what is wrong>" is the thread's error info (GetErrorInfo) and goes to the
// debugger output.
#pragma once

#include "atlbase.h"

class STANDIN_API CRegObject {
 public:
  CRegObject();
  ~CRegObject();
  CRegObject(const CRegObject&) = delete;
  CRegObject& operator=(const CRegObject&) = delete;

  // %lpszKey% stands for lpszItem from now on (a key given again takes the new text).
  HRESULT AddReplacement(LPCOLESTR lpszKey, LPCOLESTR lpszItem);
  HRESULT ClearReplacements();
  // Runs the script text (UTF-16, handed to the registry in the process code page).
  HRESULT StringRegister(LPCOLESTR bstrData);
  HRESULT StringUnregister(LPCOLESTR bstrData);

 private:
  struct Data;
  Data* m_data;
};
