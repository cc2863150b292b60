#include "string_table.h"

namespace rc {

void StringTableBuilder::Add(uint16_t id, std::u16string text, const Location& where) {
  if (text.size() > 0xFFFF) throw Error(where, "string " + std::to_string(id) + " is longer than 65535 characters");
  auto [it, inserted] = strings_.try_emplace(id, Entry{std::move(text), where});
  if (!inserted)
    throw Error(where, "duplicate string id " + std::to_string(id) + " (first defined at " + it->second.where.file +
                           ":" + std::to_string(it->second.where.line) + ")");
}

std::vector<Resource> StringTableBuilder::Bundles() const {
  std::vector<Resource> bundles;
  for (auto it = strings_.begin(); it != strings_.end();) {
    const unsigned bundle = it->first / 16;
    Resource r;
    r.type.number = kStringType;
    r.name.number = static_cast<uint16_t>(bundle + 1);
    r.where = it->second.where;
    for (unsigned slot = 0; slot < 16; ++slot) {
      const std::u16string* text = nullptr;
      if (it != strings_.end() && it->first == bundle * 16 + slot) text = &(it++)->second.text;
      const size_t length = text ? text->size() : 0;
      r.data.push_back(static_cast<uint8_t>(length & 0xFF));
      r.data.push_back(static_cast<uint8_t>(length >> 8));
      if (text)
        for (char16_t c : *text) {
          r.data.push_back(static_cast<uint8_t>(c & 0xFF));
          r.data.push_back(static_cast<uint8_t>(c >> 8));
        }
    }
    bundles.push_back(std::move(r));
  }
  return bundles;
}

}  // namespace rc
