// String-table ids of the bridge to Developer Studio and the project customizer. Every module that
// carries them includes CustomizerStrings.rc (and the catalogue's strings, which hold the product
// name 5008) in its resource script, so these ids must stay free in those modules. A module that
// reports caught failures with FailureText includes FailureStrings.rc as well.
#pragma once

#define IDS_NO_PROJECT_LOADED 5010
#define IDS_UNKNOWN_ERROR 5013
// The texts of CFileException's causes 1 (generic) to 14 (endOfFile), in the causes' order
// (FailureStrings.rc).
#define IDS_FILE_CAUSE_FIRST 5020
#define IDS_FILE_CAUSE_LAST 5033
#define IDS_PROJECT_READ_ONLY 5035
#define IDS_FATAL_ERROR 5038
#define IDS_NO_PRECOMPILED_HEADER 5039
// Our own messages, numbered above the ones the add-in has always had.
#define IDS_SAVE_ALL_FAILED 5060
