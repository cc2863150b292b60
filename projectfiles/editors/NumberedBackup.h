// Numbered backups of a file the editors rewrite: name, tag, a three-digit number and the
// extension, in a backup folder beside the file, at most a given count of them.
#pragma once

#include "stdafx.h"

// Copies `path` to the first free name <name><tag>001<ext> ... up to `maxBackups`; when every
// number is taken, the backup with the oldest modification time is overwritten (on equal times
// the lowest number). With a non-empty `subfolder` the backups go into the file's directory
// followed by that folder, created with its missing parents. Reports the backup's path in
// `backupPath` when given. Failures: CFileException badPath for a folder that cannot be made,
// generic (with the system error and the file's path) for a copy that fails or a maximum below 1.
void MakeNumberedBackup(const CString& path, int maxBackups, const CString& subfolder, const CString& nameTag,
                        CString* backupPath);
