// LoadModSubject.dll (and, built with LOADMOD_FAIL_ATTACH, LoadModFailInit.dll): reports every
// DllMain call to the recorder, keeps state that a real unload must reset, carries a resource,
// and imports from the C library and kernel32, whose names GetProcAddress must not give out as
// its own.
#include <cstdlib>
#include <cstring>

#include "loadmod.h"

namespace {

int g_bumps = 0;

void Report(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  // GetModuleHandle, not LoadLibrary: DllMain must not load modules.
  HMODULE recorder = GetModuleHandle(LOADMOD_RECORDER);
  if (recorder == nullptr) return;
  auto record = reinterpret_cast<LoadModRecordProc>(reinterpret_cast<void (*)()>(GetProcAddress(recorder, "LoadModRecord")));
  if (record != nullptr) record(instance, reason, reserved);
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  Report(instance, reason, reserved);
#ifdef LOADMOD_FAIL_ATTACH
  if (reason == DLL_PROCESS_ATTACH) return FALSE;
#endif
  return TRUE;
}

__declspec(dllexport) int WINAPI LoadModBump() { return ++g_bumps; }

// A copy of the text from the C library's heap, given back with LoadModRelease.
__declspec(dllexport) char* WINAPI LoadModDuplicate(const char* text) {
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

__declspec(dllexport) void WINAPI LoadModRelease(char* copy) { std::free(copy); }

// Visible, but not in the exports list: the version script keeps it inside the module.
__declspec(dllexport) int WINAPI LoadModUnlisted() { return 7; }

}  // extern "C"
