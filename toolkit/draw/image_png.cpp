// PNG through libpng's simplified interface, which reads every colour type
// and bit depth into 8-bit colour with straight (not premultiplied) alpha and
// keeps its errors to itself.
#include <png.h>

#include <bit>
#include <cstdio>
#include <cstring>

#include "image.h"

static constexpr uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The words of Image are 0xAARRGGBB: in memory B, G, R, A on a little-endian
// machine and A, R, G, B on a big-endian one.
static constexpr png_uint_32 WORD_FORMAT =
    std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

bool looksLikePng(const uint8_t* data, size_t size) {
  return size >= sizeof PNG_SIGNATURE &&
         std::memcmp(data, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
}

static Image* refusePng(png_image* png) {
  char reason[128];
  std::snprintf(reason, sizeof reason, "corrupt PNG: %s", png->message);
  png_image_free(png);
  return refuseImage(reason);
}

Image* decodePng(const uint8_t* data, size_t size) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&png, data, size) == 0) return refusePng(&png);
  // The size is known from the header alone: nothing is decoded beyond it.
  Image* image = newImage(png.width, png.height);
  if (image == nullptr) {
    png_image_free(&png);
    return nullptr;
  }
  png.format = WORD_FORMAT;
  // A 16-bit file that names no colour space would otherwise be taken as
  // linear light and brightened; its values are the same sRGB as 8-bit ones.
  png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  if (png_image_finish_read(&png, nullptr, image->pixels, 0, nullptr) == 0) {
    freeImage(image);
    return refusePng(&png);
  }
  return image;
}
