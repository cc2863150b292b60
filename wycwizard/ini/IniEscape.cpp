// Escapes of the text setters and the unescaping getters.
#include "stdafx.h"

#include "ini/IniFileData.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

char* IniEscape(const char* text) {
  // Four characters at most for each one ("\x1f").
  char* escaped = static_cast<char*>(malloc(strlen(text) * 4 + 1));
  if (escaped == NULL) return NULL;
  char* out = escaped;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
    switch (*p) {
      case '\t':
        *out++ = '\\';
        *out++ = 't';
        break;
      case '\n':
        *out++ = '\\';
        *out++ = 'n';
        break;
      case '"':
      case '\\':
        *out++ = '\\';
        *out++ = static_cast<char>(*p);
        break;
      default:
        if (iscntrl(*p)) out += sprintf(out, "\\x%02x", *p);
        else *out++ = static_cast<char>(*p);
        break;
    }
  }
  *out = '\0';
  return escaped;
}

size_t IniUnescape(const char* text, char* out) {
  char* start = out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '\\') {
      *out++ = *p;
      continue;
    }
    // A backslash that ends the text stands for nothing.
    const char next = *++p;
    if (next == '\0') break;
    if (next == 'n') {
      *out++ = '\n';
    } else if (next == 't') {
      *out++ = '\t';
    } else if (next == 'x' && HexValue(p[1]) >= 0 && HexValue(p[2]) >= 0) {
      *out++ = static_cast<char>(HexValue(p[1]) << 4 | HexValue(p[2]));
      p += 2;
    } else {
      *out++ = next;  // "\x" without two hex digits gives "x"
    }
  }
  *out = '\0';
  return static_cast<size_t>(out - start);
}
