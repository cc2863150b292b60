// The installation id: a REG_DWORD "InstallId" that the product's installer writes below
// HKEY_LOCAL_MACHINE (the machine's id) and that the set-up programs copy below
// HKEY_CURRENT_USER (the id of the installation last configured for this user). The per-user
// key belongs to the product's preferences: it is opened, never created.
#pragma once

#include <afx.h>

// FALSE when the key or a REG_DWORD value is missing.
BOOL ReadMachineInstallId(DWORD& id);
BOOL ReadUserInstallId(DWORD& id);
// Writes the user's id; nothing when the per-user key is missing.
void RecordUserInstallId(DWORD id);
