// The Tools menu's entries (ToolsMenu.h).
#include "stdafx.h"
#include "ToolsMenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "RegistryLists.h"

namespace
{

const TCHAR TOOLS_KEY[] = _T("SOFTWARE\\Microsoft\\DevStudio\\6.0\\Tools");
const TCHAR NUM_TOOLS[] = _T("NumTools");
// The removal's record, a sub-key of the Tools key (see RemoveToolsMenuEntry).
const TCHAR REMOVAL_KEY[] = _T("Sablewing Removal");
const TCHAR REMOVAL_POSITION[] = _T("Position");
const TCHAR REMOVAL_COUNT[] = _T("Count");
// The longest value name the registry holds, with its NUL.
const DWORD MAX_VALUE_NAME = 16384;

CString Numbered(LPCTSTR field, DWORD n)
{
    CString name;
    name.Format(_T("%s#%lu"), field, n);
    return name;
}

// One value of a key, with its type and data.
struct StoredValue
{
    CString name;
    DWORD type;
    std::vector<BYTE> data;
};
typedef std::vector<StoredValue> Values;

// The entry a value belongs to: the number after its last "#", written as Numbered writes it
// (decimal, no leading zero); -1 for a value of no entry. The field is the text before the "#".
LONGLONG EntryNumber(const CString& name, CString* field = NULL)
{
    const int hash = name.ReverseFind('#');
    if (hash < 0)
        return -1;
    const CString digits = name.Mid(hash + 1);
    if (digits.IsEmpty() || digits.GetLength() > 10 || (digits.GetLength() > 1 && digits[0] == '0'))
        return -1;
    LONGLONG number = 0;
    for (int i = 0; i < digits.GetLength(); ++i)
    {
        if (digits[i] < '0' || digits[i] > '9')
            return -1;
        number = number * 10 + (digits[i] - '0');
    }
    if (number > 0xFFFFFFFF)
        return -1;
    if (field != NULL)
        *field = name.Left(hash);
    return number;
}

// Every value of the key, in the registry's order; FALSE when they cannot be read.
BOOL ReadValues(HKEY key, Values& values)
{
    std::vector<TCHAR> name(MAX_VALUE_NAME);
    for (DWORD index = 0;; ++index)
    {
        DWORD length = MAX_VALUE_NAME;
        DWORD type = 0;
        DWORD size = 0;
        const LONG result = RegEnumValue(key, index, &name[0], &length, NULL, &type, NULL, &size);
        if (result == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (result != ERROR_SUCCESS)
            return FALSE;
        StoredValue value;
        value.name = CString(&name[0], static_cast<int>(length));
        value.data.resize(size + 1);
        if (RegQueryValueEx(key, value.name, NULL, &value.type, &value.data[0], &size) != ERROR_SUCCESS)
            return FALSE;
        value.data.resize(size);
        values.push_back(value);
    }
}

BOOL SetValue(HKEY key, const CString& name, DWORD type, const std::vector<BYTE>& data)
{
    static const BYTE none = 0;
    return RegSetValueEx(key, name, 0, type, data.empty() ? &none : &data[0], static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
}

BOOL SetString(HKEY key, const CString& name, LPCTSTR text)
{
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(lstrlen(text) + 1)) == ERROR_SUCCESS;
}

BOOL SetDword(HKEY key, LPCTSTR name, DWORD value)
{
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

// A DWORD value of exactly four bytes.
BOOL QueryDword(HKEY key, LPCTSTR name, DWORD& value)
{
    DWORD type = 0;
    DWORD size = sizeof value;
    return RegQueryValueEx(key, name, NULL, &type, reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof value;
}

// Opens the Tools key (never creating it) and reads the number of entries.
BOOL OpenTools(HKEY& key, DWORD& count)
{
    if (RegOpenKeyEx(HKEY_CURRENT_USER, TOOLS_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    if (!QueryDword(key, NUM_TOOLS, count))
    {
        RegCloseKey(key);
        return FALSE;
    }
    return TRUE;
}

// The first of the `count` entries whose menu name (its data up to a NUL, whatever its type) is
// `name`; -1 when there is none. Found among the values there are, so a count far beyond them
// costs nothing.
LONGLONG FindEntry(const Values& values, DWORD count, LPCTSTR name)
{
    LONGLONG found = -1;
    for (size_t i = 0; i < values.size(); ++i)
    {
        CString field;
        const LONGLONG n = EntryNumber(values[i].name, &field);
        if (n < 0 || n >= count || (found >= 0 && n >= found) || field.CompareNoCase(_T("MenuName")) != 0)
            continue;
        const std::vector<BYTE>& data = values[i].data;
        const std::string text(data.begin(), std::find(data.begin(), data.end(), 0));
        if (text == name)
            found = n;
    }
    return found;
}

// The removal: the entries from `position` to the last as they were, and the count.
struct Removal
{
    DWORD position;
    DWORD count;
    Values entries;
};

// Makes entry `to` hold exactly the values `from` holds in the record (each renamed to `to`):
// values of `to` that `from` lacks go. `current` is the key's values before.
BOOL SetEntry(HKEY key, const Values& current, const Removal& removal, LONGLONG from, DWORD to)
{
    std::vector<CString> fields;
    for (size_t i = 0; i < removal.entries.size(); ++i)
    {
        CString field;
        if (EntryNumber(removal.entries[i].name, &field) != from)
            continue;
        if (!SetValue(key, Numbered(field, to), removal.entries[i].type, removal.entries[i].data))
            return FALSE;
        fields.push_back(field);
    }
    for (size_t i = 0; i < current.size(); ++i)
    {
        CString field;
        if (EntryNumber(current[i].name, &field) != to)
            continue;
        bool kept = false;
        for (size_t f = 0; f < fields.size() && !kept; ++f)
            kept = fields[f].CompareNoCase(field) == 0;
        if (!kept && RegDeleteValue(key, current[i].name) != ERROR_SUCCESS)
            return FALSE;
    }
    return TRUE;
}

// The highest entry number among the values, or -1.
LONGLONG LastEntry(const Values& values)
{
    LONGLONG last = -1;
    for (size_t i = 0; i < values.size(); ++i)
        last = std::max(last, EntryNumber(values[i].name));
    return last;
}

// Finishes a removal from its record, whatever of it was done: every later entry moved down by
// one (while the count is still the old one), the count, the last entry's values gone; then the
// record itself.
BOOL FinishRemoval(HKEY key, DWORD count, const Removal& removal)
{
    if (count == removal.count)
    {
        Values current;
        if (!ReadValues(key, current))
            return FALSE;
        // Entries past the last one that holds a value are empty: moving them changes nothing.
        const LONGLONG last = std::min<LONGLONG>(LastEntry(removal.entries), static_cast<LONGLONG>(removal.count) - 2);
        for (LONGLONG k = removal.position; k <= last; ++k)
            if (!SetEntry(key, current, removal, k + 1, static_cast<DWORD>(k)))
                return FALSE;
        if (!SetDword(key, NUM_TOOLS, removal.count - 1))
            return FALSE;
    }
    // Removing the last entry changes only the count; otherwise its values have moved down.
    if (removal.position + 1 < removal.count)
    {
        Values current;
        if (!ReadValues(key, current))
            return FALSE;
        for (size_t i = 0; i < current.size(); ++i)
            if (EntryNumber(current[i].name) == removal.count - 1 && RegDeleteValue(key, current[i].name) != ERROR_SUCCESS)
                return FALSE;
    }
    return RegDeleteKey(key, REMOVAL_KEY) == ERROR_SUCCESS;
}

// Puts the entries back as the record holds them, with the count, and drops the record: a
// removal that could not finish leaves the menu as it was.
BOOL PutBack(HKEY key, const Removal& removal)
{
    Values current;
    if (!ReadValues(key, current))
        return FALSE;
    const LONGLONG last = std::min<LONGLONG>(LastEntry(removal.entries), static_cast<LONGLONG>(removal.count) - 1);
    for (LONGLONG k = removal.position; k <= last; ++k)
        if (!SetEntry(key, current, removal, k, static_cast<DWORD>(k)))
            return FALSE;
    return SetDword(key, NUM_TOOLS, removal.count) && RegDeleteKey(key, REMOVAL_KEY) == ERROR_SUCCESS;
}

// Writes the record of a removal: the entries' values first, the position, and the count last,
// so a record without its count was never finished and stands for nothing.
BOOL WriteRecord(HKEY key, const Removal& removal)
{
    HKEY record = NULL;
    if (RegCreateKeyEx(key, REMOVAL_KEY, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &record, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    BOOL written = TRUE;
    for (size_t i = 0; written && i < removal.entries.size(); ++i)
        written = SetValue(record, removal.entries[i].name, removal.entries[i].type, removal.entries[i].data);
    written = written && SetDword(record, REMOVAL_POSITION, removal.position) &&
              SetDword(record, REMOVAL_COUNT, removal.count);
    RegCloseKey(record);
    if (!written)
        RegDeleteKey(key, REMOVAL_KEY);
    return written;
}

// The record a removal left when it was cut short: 1 with it, 0 when there is none (a record
// that was never finished, or that does not fit the count, is dropped), -1 when it cannot be read
// or dropped.
int ReadRecord(HKEY key, DWORD count, Removal& removal)
{
    HKEY record = NULL;
    const LONG opened = RegOpenKeyEx(key, REMOVAL_KEY, 0, KEY_READ, &record);
    if (opened == ERROR_FILE_NOT_FOUND)
        return 0;
    if (opened != ERROR_SUCCESS)
        return -1;
    const BOOL read = ReadValues(record, removal.entries);
    const BOOL whole = QueryDword(record, REMOVAL_POSITION, removal.position) &&
                       QueryDword(record, REMOVAL_COUNT, removal.count) && removal.position < removal.count &&
                       (count == removal.count || count + 1 == removal.count);
    RegCloseKey(record);
    if (!read)
        return -1;
    if (whole)
    {
        Values entries;
        for (size_t i = 0; i < removal.entries.size(); ++i)
            if (EntryNumber(removal.entries[i].name) >= 0)
                entries.push_back(removal.entries[i]);
        removal.entries.swap(entries);
        return 1;
    }
    return RegDeleteKey(key, REMOVAL_KEY) == ERROR_SUCCESS ? 0 : -1;
}

}  // namespace

BOOL AddToolsMenuEntry(LPCTSTR name, LPCTSTR pathName, LPCTSTR defaultArguments, LPCTSTR initialDirectory)
{
    HKEY key = NULL;
    DWORD count = 0;
    if (!OpenTools(key, count))
        return FALSE;
    Values values;
    if (!ReadValues(key, values))
    {
        RegCloseKey(key);
        return FALSE;
    }
    if (FindEntry(values, count, name) >= 0)
    {
        RegCloseKey(key);
        return TRUE;
    }
    // A count that cannot grow by one would wrap to 0 and empty the menu.
    const BOOL written = count != 0xFFFFFFFF && SetString(key, Numbered(_T("MenuName"), count), name) &&
                         SetString(key, Numbered(_T("PathName"), count), pathName) &&
                         SetString(key, Numbered(_T("DefaultArguments"), count), defaultArguments) &&
                         SetString(key, Numbered(_T("InitialDirectory"), count), initialDirectory) &&
                         SetDword(key, Numbered(_T("OutputRedirect"), count), 0) &&
                         SetDword(key, Numbered(_T("UseSearchPath"), count), 0) &&
                         SetDword(key, Numbered(_T("ReloadNoPrompt"), count), 0) &&
                         SetDword(key, Numbered(_T("CloseWindow"), count), 0) &&
                         SetDword(key, Numbered(_T("AskArgument"), count), 0) &&
                         SetDword(key, Numbered(_T("VisibleOnMenu"), count), 1) &&
                         SetDword(key, Numbered(_T("GUITool"), count), 1) && SetDword(key, NUM_TOOLS, count + 1);
    RegCloseKey(key);
    return written;
}

// The entries from the removed one to the last are first copied, as they are, with the position
// and the count, to a record (a sub-key of the Tools key); then every later entry moves down by
// one, the count shrinks and the record goes. The registry cannot change several values in one
// step: a failure on the way puts the entries back from the record, and a removal cut short
// (the program ended there) is finished from the record by the next removal, which takes it
// first. So no entry is ever lost, and one is shown twice only between a crash and the next run.
BOOL RemoveToolsMenuEntry(LPCTSTR name)
{
    HKEY key = NULL;
    DWORD count = 0;
    if (!OpenTools(key, count))
        return FALSE;
    Removal pending;
    const int recorded = ReadRecord(key, count, pending);
    BOOL done = recorded >= 0;
    if (recorded > 0)
    {
        done = FinishRemoval(key, count, pending) && QueryDword(key, NUM_TOOLS, count);
    }
    Values values;
    done = done && ReadValues(key, values);
    const LONGLONG found = done ? FindEntry(values, count, name) : -1;
    if (found >= 0)
    {
        Removal removal;
        removal.position = static_cast<DWORD>(found);
        removal.count = count;
        for (size_t i = 0; i < values.size(); ++i)
        {
            const LONGLONG n = EntryNumber(values[i].name);
            if (n >= found && n < count)
                removal.entries.push_back(values[i]);
        }
        done = WriteRecord(key, removal);
        if (done && !FinishRemoval(key, count, removal))
        {
            PutBack(key, removal);
            done = FALSE;
        }
    }
    RegCloseKey(key);
    return done;
}
