// regsvr32: registers or unregisters an in-process COM server, as the platform's program does.
//
//   regsvr32 [/u] [/s] <dll>
//
// Initialises OLE, loads the module through the loader, calls its DllRegisterServer (with /u
// DllUnregisterServer), frees it. Unless /s, the outcome is shown in a message box captioned
// "RegSvr32" (what the module's failure left as error info is shown too). Switches may be written
// with '-' and in any case. Exit codes: 0 done; 1 the arguments are wrong (no module, two modules
// or an unknown switch); 2 OLE could not be initialised; 3 the module does not load; 4 it has no
// such entry point; 5 the entry point failed.
#pragma once

#include <string>
#include <vector>

enum Regsvr32Result {
  kRegsvr32Done = 0,
  kRegsvr32BadArguments = 1,
  kRegsvr32OleFailed = 2,
  kRegsvr32LoadFailed = 3,
  kRegsvr32NoEntryPoint = 4,
  kRegsvr32EntryPointFailed = 5,
};

// The program, given its arguments (argv[1] on).
int Regsvr32(const std::vector<std::string>& arguments);
