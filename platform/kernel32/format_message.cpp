// FormatMessage over the system message table. Each system text ends in CR LF, as the
// platform's message table entries do; a code without a text answers 0 with ERROR_MR_MID_NOT_FOUND.
#include <cstdarg>
#include <cstring>
#include <string>

#include "message_table.h"
#include "sandbox/internal.h"

namespace {

bool AcceptedLanguage(DWORD languageId) {
  // Neutral, user default, system default and US English all find the one table we carry.
  return languageId == 0 || languageId == 0x0400 || languageId == 0x0800 || languageId == 0x0409;
}

// %1..%99 inserts taken from an array of string pointers; %% %n %0 %. %! as documented.
bool ExpandInserts(const std::string& text, DWORD flags, void* arguments, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= text.size()) break;
    c = text[i];
    if (c == '0') return true;  // %0 ends the message without a line break
    if (c == 'n') {
      out += "\r\n";
    } else if (c >= '1' && c <= '9') {
      int n = c - '0';
      if (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') n = n * 10 + (text[++i] - '0');
      if (i + 1 < text.size() && text[i + 1] == '!') {  // only the default "!s!" format is modelled
        size_t end = text.find('!', i + 2);
        if (end == std::string::npos || text.compare(i + 1, end - i, "!s!") != 0) return false;
        i = end;
      }
      if (!(flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) || arguments == nullptr) return false;
      const char* arg = static_cast<const char* const*>(arguments)[n - 1];
      out += arg ? arg : "";
    } else {
      out += c;  // %% %. %! and any other character stand for themselves
    }
  }
  return true;
}

}  // namespace

extern "C" {

WINBASEAPI DWORD WINAPI FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                      LPSTR buffer, DWORD size, void* arguments) {
  std::string text;
  if (flags & FORMAT_MESSAGE_FROM_STRING) {
    if (source == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    text = static_cast<const char*>(source);
  } else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
    if (!AcceptedLanguage(languageId)) {
      SetLastError(15100);  // ERROR_MUI_FILE_NOT_FOUND: no table for that language
      return 0;
    }
    const char* found = kernel32::SystemMessageText(messageId);
    if (found == nullptr) {
      SetLastError(ERROR_MR_MID_NOT_FOUND);
      return 0;
    }
    text = std::string(found) + "\r\n";
  } else {
    STANDIN_UNMODELLED_LASTERROR(0);  // FORMAT_MESSAGE_FROM_HMODULE: no module message tables
  }

  std::string out;
  if (flags & FORMAT_MESSAGE_IGNORE_INSERTS) {
    out = text;
  } else if (!ExpandInserts(text, flags, arguments, out)) {
    STANDIN_UNMODELLED_LASTERROR(0);  // va_list arguments and printf-style insert formats
  }

  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    // `buffer` is really the address of a pointer that receives a LocalAlloc'ed block.
    auto* target = reinterpret_cast<char**>(buffer);
    if (target == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    const SIZE_T bytes = std::max<SIZE_T>(out.size() + 1, size);
    char* block = static_cast<char*>(LocalAlloc(LPTR, bytes));
    if (block == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::memcpy(block, out.c_str(), out.size() + 1);
    *target = block;
    return static_cast<DWORD>(out.size());
  }
  if (buffer == nullptr || out.size() + 1 > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<DWORD>(out.size());
}

}  // extern "C"
