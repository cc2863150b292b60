// The one way a rewritten file reaches the disk: the new text goes to a file beside the target
// (on the same drive, so the last step is a rename and not a copy), which replaces the target only
// when every write, the flush and the close succeeded.
#pragma once

#include "stdafx.h"

#include <functional>

// Opens "<path>.~new" in text mode, lets `write` fill it, flushes, closes and renames it over
// `path`: over the file under the name it has on disk, whose hidden, system and archive attributes
// the new file takes. On any failure the target stays as it was, the partial file is removed and
// the CFileException (named after `path`) reaches the caller.
void WriteFileReplacing(const CString& path, const std::function<void(CStdioFile& file)>& write);
