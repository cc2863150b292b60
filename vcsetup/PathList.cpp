// Directory lists (PathList.h).
#include "stdafx.h"
#include "PathList.h"

#include <mbstring.h>

namespace
{

// Whether the last character of the text is the single-byte character c.
bool EndsWithCharacter(const CString& text, char c)
{
    if (text.IsEmpty())
        return false;
    const unsigned char* start = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
    const unsigned char* last = _mbsdec(start, start + text.GetLength());
    return last != NULL && last[0] == static_cast<unsigned char>(c) && last[1] == '\0';
}

}  // namespace

void TrimTrailingBackslash(CString& text)
{
    if (EndsWithCharacter(text, '\\'))
        text = text.Left(text.GetLength() - 1);
}

void EnsureTrailingSemicolon(CString& list)
{
    if (!list.IsEmpty() && !EndsWithCharacter(list, ';'))
        list += ';';
}

BOOL PathListContains(LPCTSTR list, LPCTSTR dir)
{
    CString wanted(dir);
    TrimTrailingBackslash(wanted);
    CString rest(list);
    for (;;)
    {
        const int separator = rest.Find(';');
        CString entry = separator < 0 ? rest : rest.Left(separator);
        TrimTrailingBackslash(entry);
        if (entry.CompareNoCase(wanted) == 0)
            return TRUE;
        if (separator < 0)
            return FALSE;
        rest = rest.Mid(separator + 1);
    }
}

void AppendToPathList(CString& list, LPCTSTR dir)
{
    if (PathListContains(list, dir))
        return;
    CString entry(dir);
    TrimTrailingBackslash(entry);
    EnsureTrailingSemicolon(list);
    list += entry;
}
