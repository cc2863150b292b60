// Collects the strings of every STRINGTABLE block and lays them out as the platform does:
// bundles of 16 strings, bundle n holding ids (n-1)*16 .. (n-1)*16+15 and being the RT_STRING
// resource with id n; each string is a 16-bit length followed by that many UTF-16 units, an absent
// string is length 0.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "script.h"

namespace rc {

class StringTableBuilder {
 public:
  // Refuses a second string with the same id, naming where the first one is.
  void Add(uint16_t id, std::u16string text, const Location& where);
  std::vector<Resource> Bundles() const;

 private:
  struct Entry {
    std::u16string text;
    Location where;
  };
  std::map<uint16_t, Entry> strings_;
};

}  // namespace rc
