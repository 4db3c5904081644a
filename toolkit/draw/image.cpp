// Loading, drawing and freeing images; the file formats have decoders of
// their own (image_png.cpp, image_bmp.cpp).
#include "image.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "surface.h"

// Room for the largest picture as an uncompressed 32-bit BMP, headers
// included: a file past it is refused unread.
static constexpr long IMAGE_FILE_LIMIT = 4L * IMAGE_SIZE_LIMIT * IMAGE_SIZE_LIMIT + (1L << 20);

static char lastReason[128] = "";

Image* refuseImage(const char* reason) {
  std::snprintf(lastReason, sizeof lastReason, "%s", reason);
  return nullptr;
}

const char* imageError() { return lastReason; }

Image* newImage(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0) return refuseImage("the picture has no pixels");
  if (width > IMAGE_SIZE_LIMIT || height > IMAGE_SIZE_LIMIT) {
    return refuseImage("the picture is larger than 4096 by 4096");
  }
  auto* image = new (std::nothrow) Image{};
  auto* pixels = new (std::nothrow) uint32_t[size_t{width} * height];
  if (image == nullptr || pixels == nullptr) {
    delete image;
    delete[] pixels;
    return refuseImage("out of memory");
  }
  image->width = static_cast<int32_t>(width);
  image->height = static_cast<int32_t>(height);
  image->pixels = pixels;
  return image;
}

void freeImage(Image* image) {
  if (image == nullptr) return;
  delete[] image->pixels;
  delete image;
}

int imageWidth(const Image* image) { return image != nullptr ? image->width : 0; }
int imageHeight(const Image* image) { return image != nullptr ? image->height : 0; }

Image* loadImageFromMemory(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (bytes == nullptr || size == 0) return refuseImage("the file is empty");
  if (looksLikePng(bytes, size)) return decodePng(bytes, size);
  if (looksLikeBmp(bytes, size)) return decodeBmp(bytes, size);
  return refuseImage("neither a PNG nor a BMP file");
}

// The reason for a file that cannot be opened or read, from errno.
static Image* refuseFile() {
  return refuseImage(errno == ENOENT ? "no such file" : std::strerror(errno));
}

Image* loadImage(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return refuseFile();
  struct stat status {};
  if (fstat(fileno(file), &status) != 0) {
    std::fclose(file);
    return refuseFile();
  }
  if (!S_ISREG(status.st_mode)) {
    std::fclose(file);
    return refuseImage("not a regular file");
  }
  if (status.st_size > IMAGE_FILE_LIMIT) {
    std::fclose(file);
    return refuseImage("the file is too large for a picture of at most 4096 by 4096");
  }
  const auto size = static_cast<size_t>(status.st_size);
  auto* contents = new (std::nothrow) uint8_t[std::max<size_t>(size, 1)];
  if (contents == nullptr) {
    std::fclose(file);
    return refuseImage("out of memory");
  }
  const size_t read = std::fread(contents, 1, size, file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  Image* image =
      failed ? refuseImage("the file cannot be read") : loadImageFromMemory(contents, read);
  delete[] contents;
  return image;
}

// Exact at both ends: alpha 255 gives the picture's colour, alpha 0 the
// screen's, and between them each channel is rounded to the nearest.
static uint32_t blend(uint32_t picture, uint32_t shown) {
  const uint32_t alpha = picture >> 24;
  if (alpha == 255) return picture & 0xFFFFFF;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t front = (picture >> shift) & 0xFF;
    const uint32_t back = (shown >> shift) & 0xFF;
    result |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
  }
  return result;
}

void drawImage(const Image* image, int x, int y) {
  if (image == nullptr) return;
  enterGraphics();
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + image->width, screen->w);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + image->height, screen->h);
  const int64_t stride = screen->pitch / 4;
  for (int64_t row = top; row < bottom; ++row) {
    const uint32_t* source = image->pixels + (row - y) * image->width + (left - x);
    uint32_t* target = static_cast<uint32_t*>(screen->pixels) + row * stride + left;
    for (int64_t column = left; column < right; ++column, ++source, ++target) {
      if ((*source >> 24) != 0) *target = blend(*source, *target);
    }
  }
  exitGraphics();
}
