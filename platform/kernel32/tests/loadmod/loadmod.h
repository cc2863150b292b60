// What the loader tests share with their test modules: the recorder's entry points, through which
// a module's DllMain reports each call (the recorder outlives the modules it records), and the
// resource ids of LoadModSubject.dll.
#pragma once

#include <windows.h>

#include "resource.h"

#define LOADMOD_RECORDER "LoadModRecorder.dll"

// LoadModRecord(instance, reason, reserved): one DllMain call.
typedef void(WINAPI* LoadModRecordProc)(HINSTANCE instance, DWORD reason, LPVOID reserved);
// LoadModEventCount(): how many calls are recorded.
typedef DWORD(WINAPI* LoadModEventCountProc)();
// LoadModEventAt(index, instance, reason, reservedWasNull): FALSE when index is out of range.
typedef BOOL(WINAPI* LoadModEventAtProc)(DWORD index, HINSTANCE* instance, DWORD* reason, BOOL* reservedWasNull);
// LoadModClearEvents(): forgets every recorded call.
typedef void(WINAPI* LoadModClearEventsProc)();

// LoadModBump(): counts up a static of the module and returns the new value (1 after each load).
typedef int(WINAPI* LoadModBumpProc)();
