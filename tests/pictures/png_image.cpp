#include "png_image.h"

#include <png.h>

#include <cstddef>

static constexpr size_t CHANNELS = 3;
// Far beyond any screen here; a damaged file cannot make the reader allocate more.
static constexpr png_uint_32 LARGEST_SIDE = 8192;

static std::string failure(const std::string& path, const png_image& png) {
  return path + ": " + png.message;
}

std::string writePng(const std::string& path, const Image& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    return path + ": the picture has no pixels or not width by height of them";
  }
  std::vector<uint8_t> rgb;
  rgb.reserve(image.pixels.size() * CHANNELS);
  for (const uint32_t pixel : image.pixels) {
    rgb.push_back(static_cast<uint8_t>(pixel >> 16));
    rgb.push_back(static_cast<uint8_t>(pixel >> 8));
    rgb.push_back(static_cast<uint8_t>(pixel));
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
    return failure(path, png);
  }
  return "";
}

std::string readPng(const std::string& path, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return failure(path, png);
  if (png.width > LARGEST_SIDE || png.height > LARGEST_SIDE) {
    png_image_free(&png);
    return path + ": the picture is larger than " + std::to_string(LARGEST_SIDE) + " pixels";
  }
  png.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png));
  if (png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr) == 0) {
    const std::string error = failure(path, png);
    png_image_free(&png);
    return error;
  }
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.pixels.resize(static_cast<size_t>(png.width) * png.height);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = (uint32_t{rgb[i * CHANNELS]} << 16) | (uint32_t{rgb[i * CHANNELS + 1]} << 8) |
                      rgb[i * CHANNELS + 2];
  }
  return "";
}
