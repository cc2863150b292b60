// UTF-8 <-> UTF-16 for the parser boundary (libxml2 speaks UTF-8, the DOM speaks BSTR).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace msxml {

// Converts well-formed UTF-8 (what the parser hands over) into `out`, which has room for
// utf8.size() units; returns the number of units written.
size_t Utf8ToUtf16(std::string_view utf8, char16_t* out);
// Appends `text` as UTF-8. An unpaired surrogate becomes the byte 0xFF, which no UTF-8 reader
// accepts, so a string that is not Unicode is refused by the parser instead of being altered.
void AppendUtf8(std::u16string_view text, std::string& out);

}  // namespace msxml
