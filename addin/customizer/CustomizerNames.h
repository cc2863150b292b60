// The names the customizer gives the project's files and folders, shared by the component
// selection and the conversion of 1.0 projects.
#pragma once

#include "stdafx.h"

namespace customizer {

inline const LPCTSTR kIncludesFileName = "TqIncludes.h";  // in the project directory
inline const LPCTSTR kProductFolder = "Sablewing";        // top level of the project tree
inline const LPCTSTR kComponentFolder = "Include";         // below the product folder
inline const LPCTSTR kHeaderFilter = "*.h";
// Numbered backups of the project and workspace files.
inline const LPCTSTR kBackupFolder = "Sablewing_Backup";
inline const LPCTSTR kBackupTag = "_sablewing_";
inline const int kMaxBackups = 10;

}  // namespace customizer
