// The rules every reader and writer of the project's text files follows (the project and workspace
// files, the includes header, precompiled headers).
//
// A text file holds no NUL character: CStdioFile::WriteString stops at one, so a line holding a
// NUL would come back cut short, and the file with it. A reader that meets one refuses the file
// (TQ::CNulCharacterException naming it) and a writer refuses such text before it writes it.
#pragma once

#include "stdafx.h"

// Reads the next line as CStdioFile::ReadString does; a line holding a NUL is refused.
BOOL ReadTextLine(CStdioFile& file, CString& line);
// Writes every byte of `text`; text holding a NUL is refused and nothing of it is written.
void WriteText(CStdioFile& file, const CString& text);
// Refuses [data, data + length) when it holds a NUL; `path` names the file (may be empty).
void RefuseNul(const char* data, size_t length, const CString& path);

// Opens `path` for reading in text mode with shareDenyNone. False when there is no such file (nor
// folder on the way): only a file that is really absent counts as absent. Any other failure of the
// open (a sharing violation, a denied access) is its CFileException.
bool OpenTextFileIfPresent(CStdioFile& file, const CString& path);
// The whole file, each line followed by "\n"; false, with `text` empty, when the file is absent.
// Every other failure is thrown.
bool ReadWholeTextFile(const CString& path, CString& text);
