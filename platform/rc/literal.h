// The meaning of a string literal of the script, by where it is used.
#pragma once

#include <string>

#include "lexer.h"

namespace rc {

// String table text: "" is a quote; \n \t \r \a \\ \" \0-\377 (octal) and \xhh give that byte,
// so an escape is a byte of the script's code page. Any other escape is refused.
std::string DecodeText(const Token& literal);
// The same, converted from the literal's code page to UTF-16 (refused when not valid there).
std::u16string DecodeTextToUtf16(const Token& literal);
// A file name, in the host's UTF-8: "" is a quote and \\ a backslash; a lone backslash stays a
// path separator, so both "res\\file.bmp" and "res\file.bmp" name res/file.bmp.
std::string DecodeFileName(const Token& literal);

}  // namespace rc
