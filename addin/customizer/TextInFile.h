// Inserting and removing a block of text in a source file (the include block of a precompiled
// header). The file is read whole in text mode and, when it changes, written again whole: beside
// the file first, then put in its place, so a failed write leaves the file as it was.
#pragma once

#include "stdafx.h"

class CReplacementSet;

// A file that is absent is left alone; one that exists and cannot be read throws, and nothing is
// written (see editors/TextFile.h).
//
// Inserts `text` at the start of the first `marker` (before) or at its end (after), or at the end
// of the file when there is no marker. Nothing happens when the file is empty or already holds the
// text.
void InsertTextInFile(const CString& path, const CString& text, const CString& marker, bool before);
// Deletes the first occurrence of `text`; nothing when the file is empty or does not hold it.
void RemoveTextFromFile(const CString& path, const CString& text);

// The same edits on a file's text held in memory; true when the text changed.
bool InsertText(CString& contents, const CString& text, const CString& marker, bool before);
bool RemoveText(CString& contents, const CString& text);
// Puts `replacement` in the place of the first occurrence of `text`.
bool ReplaceText(CString& contents, const CString& text, const CString& replacement);
// Writes `contents` over the file, beside then renamed.
void RewriteTextFile(const CString& path, const CString& contents);
// Stages `contents` as the new text of the file in a set that is replaced as one unit.
void StageTextFile(CReplacementSet& files, const CString& path, const CString& contents);
