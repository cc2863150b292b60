#include "res_file.h"

#include <cstdint>
#include <string>

#include "diagnostics.h"

namespace rc {
namespace {

constexpr uint16_t kIdMarker = 0xFFFF;

class Reader {
 public:
  Reader(std::string_view bytes, size_t pos, size_t end) : bytes_(bytes), pos_(pos), end_(end) {}

  size_t Pos() const { return pos_; }
  uint16_t Word() {
    const uint32_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t Dword() {
    const uint32_t low = Word();
    return low | static_cast<uint32_t>(Word()) << 16;
  }
  void AlignToDword() {
    while (pos_ % 4 != 0) Byte();
  }
  ResourceId Id(const char* what) {
    const uint16_t first = Word();
    if (first == kIdMarker) return {Word(), {}};
    std::string name;
    for (uint16_t unit = first; unit != 0; unit = Word()) {
      if (unit >= 0x80) throw Error(Malformed(std::string("a resource ") + what + " beyond ASCII is not supported"));
      name.push_back(static_cast<char>(unit));
    }
    return {0, name};
  }
  std::string Malformed(const std::string& what) const {
    return "malformed .res file at offset " + std::to_string(pos_) + ": " + what;
  }

 private:
  uint32_t Byte() {
    if (pos_ >= end_) throw Error(Malformed("the entry ends early"));
    return static_cast<unsigned char>(bytes_[pos_++]);
  }

  std::string_view bytes_;
  size_t pos_;
  size_t end_;
};

ResourceId NumberedType(ResourceId type) {
  if (type.name == "DLGINIT") return {kDlgInitType, {}};
  if (type.name == "TOOLBAR") return {kToolbarType, {}};
  return type;
}

}  // namespace

std::vector<Resource> ReadResFile(std::string_view bytes) {
  std::vector<Resource> resources;
  size_t pos = 0;
  bool first = true;
  while (pos < bytes.size()) {
    Reader sizes(bytes, pos, bytes.size());
    const uint32_t dataSize = sizes.Dword();
    const uint32_t headerSize = sizes.Dword();
    if (headerSize > bytes.size() - pos || dataSize > bytes.size() - pos - headerSize)
      throw Error(sizes.Malformed("the entry's sizes run past the end of the file"));
    Reader header(bytes, sizes.Pos(), pos + headerSize);
    Resource r;
    r.type = header.Id("type");
    r.name = header.Id("name");
    header.AlignToDword();
    header.Dword();  // data version
    header.Word();   // memory flags: the platform ignores them
    r.language = header.Word();
    header.Dword();  // version
    header.Dword();  // characteristics
    const size_t dataStart = pos + headerSize;
    pos = (dataStart + dataSize + 3) & ~size_t{3};
    // The file starts with an empty entry (type and name 0) that marks it as a 32-bit .res.
    if (first && dataSize == 0 && r.type == ResourceId{} && r.name == ResourceId{}) {
      first = false;
      continue;
    }
    first = false;
    r.type = NumberedType(r.type);
    for (const Resource& earlier : resources) {
      if (earlier.type == r.type && earlier.name == r.name)
        throw Error("duplicate resource " + r.name.Describe() + " of type " + r.type.Describe() +
                    " (one resource per type and name: languages are not kept apart)");
    }
    r.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(dataStart),
                  bytes.begin() + static_cast<std::ptrdiff_t>(dataStart + dataSize));
    resources.push_back(std::move(r));
  }
  return resources;
}

}  // namespace rc
