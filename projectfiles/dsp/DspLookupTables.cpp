#include "dsp/DspLookupTables.h"

#include "dsp/DspLine.h"

namespace {

const unsigned int kTargetTypeCodes[] = {0x101, 0x102, 0x103, 0x104, 0x106, 0x10a};
const LPCTSTR kUseMFCTexts[] = {"0", "1", "2", "5", "6"};
const LPCTSTR kDebugInfoSwitches[] = {"/Zd", "/Z7", "/Zi", "/ZI"};
const LPCTSTR kSectionKeys[] = {
    "2:5:Class:", "2:10:HeaderFile:", "2:8:ImplFile:", "2:21:DefaultSinkHeaderFile:", "2:16:DefaultSinkClass:"};

template <size_t N>
int Lookup(const LPCTSTR (&table)[N], const CString& text, int notFound) {
  for (size_t i = 0; i < N; ++i)
    if (IsText(text, table[i])) return static_cast<int>(i);
  return notFound;
}

template <size_t N>
LPCTSTR TextOf(const LPCTSTR (&table)[N], int kind) {
  return kind >= 0 && kind < static_cast<int>(N) ? table[kind] : NULL;
}

}  // namespace

int LookupTargetTypeCode(unsigned int code) {
  for (size_t i = 0; i < _countof(kTargetTypeCodes); ++i)
    if (kTargetTypeCodes[i] == code) return static_cast<int>(i);
  return dspTargetUnknown;
}

int LookupUseMFCValue(const CString& value) { return Lookup(kUseMFCTexts, value, dspUseMFCOther); }
LPCTSTR GetUseMFCText(int kind) { return TextOf(kUseMFCTexts, kind); }

int LookupDebugInfoSwitch(const CString& switchText) { return Lookup(kDebugInfoSwitches, switchText, dspSwitchOther); }
LPCTSTR GetDebugInfoSwitchText(int kind) { return TextOf(kDebugInfoSwitches, kind); }

int LookupSectionKey(const CString& key) { return Lookup(kSectionKeys, key, dspSectionRawLine); }
LPCTSTR GetSectionKeyText(int kind) { return TextOf(kSectionKeys, kind); }
