// The host's macros (host_macros.h).
#include "host_macros.h"

#include <objbase.h>
#include <windows.h>

#include <cctype>

namespace mfcapwz {
namespace {

bool IsCNameChar(unsigned char c) { return std::isalnum(c) != 0 || c == '_'; }

// Every character a C name cannot hold becomes one "_" (a double-byte character too).
std::string SafeName(const std::string& upper) {
  std::string safe;
  for (size_t i = 0; i < upper.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(upper[i]);
    if (IsDBCSLeadByte(c) && i + 1 < upper.size()) {
      ++i;
      safe.push_back('_');
    } else {
      safe.push_back(IsCNameChar(c) && c < 0x80 ? static_cast<char>(c) : '_');
    }
  }
  return safe;
}

std::string GuidText(const GUID& guid) {
  OLECHAR wide[CHARS_IN_GUID];
  StringFromGUID2(guid, wide, CHARS_IN_GUID);
  std::string text;
  for (const OLECHAR* p = wide; *p != 0; ++p) text.push_back(static_cast<char>(*p));
  return text;
}

}  // namespace

void SetHostMacros(CMapStringToString& dictionary, const std::string& name, const std::string& folder) {
  CString root(name.c_str());
  CString upperFirst = root;
  if (!upperFirst.IsEmpty() && !IsDBCSLeadByte(static_cast<BYTE>(upperFirst[0])))
    upperFirst.SetAt(0, static_cast<char>(std::toupper(static_cast<unsigned char>(upperFirst[0]))));
  CString upper = root;
  upper.MakeUpper();
  dictionary.SetAt("root", root);
  dictionary.SetAt("Root", upperFirst);
  dictionary.SetAt("ROOT", upper);
  dictionary.SetAt("SAFE_ROOT", SafeName(static_cast<LPCTSTR>(upper)).c_str());
  std::string full = folder;
  if (full.empty() || full.back() != '\\') full.push_back('\\');
  dictionary.SetAt("FULL_DIR_PATH", full.c_str());

  GUID libid{};
  CoCreateGuid(&libid);
  const std::string braced = GuidText(libid);
  dictionary.SetAt("LIBID", braced.c_str());
  dictionary.SetAt("LIBID_ODL", braced.substr(1, braced.size() - 2).c_str());

  SYSTEMTIME now{};
  GetLocalTime(&now);
  CString text;
  text.Format("%d", now.wYear);
  dictionary.SetAt("YEAR", text);
  text.Format("%d/%d/%d", now.wMonth, now.wDay, now.wYear);
  dictionary.SetAt("DATE", text);
}

}  // namespace mfcapwz
