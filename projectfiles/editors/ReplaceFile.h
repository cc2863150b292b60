// The one way rewritten files reach the disk. Each new text goes to a file beside its target (on
// the same drive, so that the last step is a rename and not a copy), written whole and flushed to
// the disk; only then does it take the target's place. The files one operation rewrites are one
// unit (CReplacementSet): every new text is staged before any target is replaced, so that a failure
// leaves them all as they were, or, when the failure comes while replacing, puts back what was
// replaced already.
#pragma once

#include "stdafx.h"

#include <functional>
#include <string>
#include <vector>

class CReplacementSet {
 public:
  CReplacementSet();
  // Removes whatever is still staged: a set that is not replaced changes nothing.
  ~CReplacementSet();

  // Stages the new text of `path`: the target's name on disk, its attributes and its bytes are
  // taken (an absent target is no error); with `makeBackup` its numbered backup is made (see
  // MakeNumberedBackup; its path reported in `backupPath`); then "<path>.~new" is written in text
  // mode by `write`, flushed to the disk and closed. A target staged twice takes
  // the later text. Any failure is thrown (the CFileException named after `path`, or what `write`
  // threw) with nothing of this file left staged; the files staged before stay staged.
  void Stage(const CString& path, const std::function<void(CStdioFile& file)>& write, bool makeBackup = false,
             CString* backupPath = NULL, int maxBackups = 10, LPCTSTR backupSubfolder = "", LPCTSTR nameTag = "");

  // Replaces the targets in the order they were staged, each under the name it has on disk and
  // with its hidden, system and archive attributes. When one fails: the targets already replaced
  // get their old bytes back (a target that did not exist goes again) and the rest stays untouched.
  // Nothing replaced yet: the failure's own CFileException. Otherwise TQ::CFilesPutBackException,
  // whose message says what failed and whether every replaced file was put back (or which not).
  void ReplaceAll();

  CReplacementSet(const CReplacementSet&) = delete;
  CReplacementSet& operator=(const CReplacementSet&) = delete;

 private:
  struct Staged {
    CString target;       // as the caller named it
    CString onDisk;       // the name it has on disk (the caller's name when it does not exist)
    CString replacement;  // the staged new text
    DWORD attributes;     // the kept attributes of the target
    bool existed;
    std::string original;  // the target's bytes, to put it back
  };

  void PutBack(const Staged& staged, std::vector<CString>& notPutBack);
  void RemoveStaged();

  std::vector<Staged> m_staged;
};

// One file as a set of one: Stage, then ReplaceAll. On any failure the target stays as it was and
// nothing is left beside it; the CFileException (named after `path`) reaches the caller.
void WriteFileReplacing(const CString& path, const std::function<void(CStdioFile& file)>& write);
