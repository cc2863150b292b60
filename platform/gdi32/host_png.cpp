// Host code: pictures as PNG files through libpng's simplified interface.
#include <png.h>

#include <filesystem>
#include <system_error>

#include "sandbox/gdi.h"

namespace sandbox {
namespace {

bool Failed(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

}  // namespace

bool SavePicture(const Picture& picture, const std::string& hostFile, std::string* error) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height))
    return Failed(error, "the picture is empty or its pixels do not match its size");
  std::vector<png_byte> rgb;
  rgb.reserve(picture.pixels.size() * 3);
  for (uint32_t c : picture.pixels) {
    rgb.push_back(static_cast<png_byte>(c & 0xFF));
    rgb.push_back(static_cast<png_byte>((c >> 8) & 0xFF));
    rgb.push_back(static_cast<png_byte>((c >> 16) & 0xFF));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  const std::string beside = hostFile + ".~new";
  if (!png_image_write_to_file(&image, beside.c_str(), 0, rgb.data(), 0, nullptr)) {
    const std::string why = std::string("cannot write ") + beside + ": " + image.message;
    png_image_free(&image);
    std::error_code ignored;
    std::filesystem::remove(beside, ignored);
    return Failed(error, why);
  }
  std::error_code renamed;
  std::filesystem::rename(beside, hostFile, renamed);
  if (renamed) {
    std::error_code ignored;
    std::filesystem::remove(beside, ignored);
    return Failed(error, "cannot replace " + hostFile + ": " + renamed.message());
  }
  return true;
}

std::optional<Picture> LoadPicture(const std::string& hostFile, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, hostFile.c_str())) {
    Failed(error, "cannot read " + hostFile + ": " + image.message);
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    Failed(error, "cannot read " + hostFile + ": " + image.message);
    png_image_free(&image);
    return std::nullopt;
  }
  Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  picture.pixels.reserve(rgb.size() / 3);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    picture.pixels.push_back(rgb[i] | (static_cast<uint32_t>(rgb[i + 1]) << 8) | (static_cast<uint32_t>(rgb[i + 2]) << 16));
  return picture;
}

}  // namespace sandbox
