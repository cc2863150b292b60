// The regsvr32 program (regsvr32.h).
#include "regsvr32.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr char kCaption[] = "RegSvr32";
constexpr char kUsage[] =
    "Usage: regsvr32 [/u] [/s] dllname\n"
    "/u - Unregister server\n"
    "/s - Silent; display no message boxes";

struct Options {
  bool unregister = false;
  bool silent = false;
  std::string module;
};

bool Parse(const std::vector<std::string>& arguments, Options& options) {
  bool ok = true;
  for (const std::string& argument : arguments) {
    if (!argument.empty() && (argument[0] == '/' || argument[0] == '-')) {
      if (lstrcmpi(argument.c_str() + 1, "u") == 0)
        options.unregister = true;
      else if (lstrcmpi(argument.c_str() + 1, "s") == 0)
        options.silent = true;
      else
        ok = false;
    } else if (options.module.empty() && !argument.empty()) {
      options.module = argument;
    } else {
      ok = false;
    }
  }
  return ok && !options.module.empty();
}

void Show(const Options& options, const std::string& text, UINT icon) {
  if (!options.silent) MessageBox(NULL, text.c_str(), kCaption, MB_OK | icon);
}

std::string SystemText(DWORD code) {
  char* buffer = nullptr;
  const DWORD n = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = n > 0 && buffer != nullptr ? std::string(buffer, n) : "error " + std::to_string(code);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// What the failing entry point left as the thread's error info, "" when nothing.
std::string ErrorInfoText() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return {};
  BSTR description = nullptr;
  std::string text;
  if (SUCCEEDED(info->GetDescription(&description)) && description != nullptr) {
    const int n = WideCharToMultiByte(CP_ACP, 0, description, -1, nullptr, 0, nullptr, nullptr);
    if (n > 1) {
      text.resize(static_cast<size_t>(n));
      WideCharToMultiByte(CP_ACP, 0, description, -1, text.data(), n, nullptr, nullptr);
      text.resize(static_cast<size_t>(n - 1));
    }
  }
  SysFreeString(description);
  info->Release();
  return text;
}

int Run(const Options& options) {
  const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
  const HMODULE module = LoadLibrary(options.module.c_str());
  if (module == NULL) {
    Show(options, "LoadLibrary(\"" + options.module + "\") failed - " + SystemText(GetLastError()), MB_ICONERROR);
    return kRegsvr32LoadFailed;
  }
  typedef HRESULT(STDAPICALLTYPE * EntryPoint)();
  const auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(GetProcAddress(module, entryName)));
  if (entry == nullptr) {
    Show(options, options.module + " was loaded, but the " + entryName + " entry point was not found.", MB_ICONERROR);
    FreeLibrary(module);
    return kRegsvr32NoEntryPoint;
  }
  SetErrorInfo(0, nullptr);
  const HRESULT hr = entry();
  int result = kRegsvr32Done;
  if (FAILED(hr)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08x", static_cast<unsigned>(hr));
    std::string text = std::string(entryName) + " in " + options.module + " failed.\nReturn code was: " + code;
    const std::string detail = ErrorInfoText();
    if (!detail.empty()) text += "\n" + detail;
    Show(options, text, MB_ICONERROR);
    result = kRegsvr32EntryPointFailed;
  } else {
    Show(options, std::string(entryName) + " in " + options.module + " succeeded.", MB_ICONINFORMATION);
  }
  FreeLibrary(module);
  return result;
}

}  // namespace

int Regsvr32(const std::vector<std::string>& arguments) {
  Options options;
  if (!Parse(arguments, options)) {
    Show(options, kUsage, MB_ICONEXCLAMATION);
    return kRegsvr32BadArguments;
  }
  const HRESULT ole = OleInitialize(NULL);
  if (FAILED(ole)) {
    Show(options, "OleInitialize failed (" + SystemText(static_cast<DWORD>(ole)) + ").", MB_ICONERROR);
    return kRegsvr32OleFailed;
  }
  const int result = Run(options);
  OleUninitialize();
  return result;
}
