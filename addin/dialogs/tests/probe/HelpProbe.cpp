// HelpProbe.dll: the help viewer's binding as a module of its own.
#include "HtmlHelpCall.h"

extern "C" __attribute__((visibility("default"))) HWND ProbeCallHtmlHelp(HWND owner, LPCSTR path, UINT command,
                                                                          DWORD_PTR data) {
  return CallHtmlHelp(owner, path, command, data);
}
