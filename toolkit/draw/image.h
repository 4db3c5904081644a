// The image record and what the decoders share. Pixels are kept as
// 0xAARRGGBB words, row by row from the top, alpha 255 opaque.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit.h"

struct Image {
  int32_t width;
  int32_t height;
  uint32_t* pixels;
};

// Allocates an image of that size, or gives null with the reason set when it
// is larger than IMAGE_SIZE_LIMIT either way or memory runs out.
Image* newImage(uint32_t width, uint32_t height);
// Records why the last image could not be read and returns null.
Image* refuseImage(const char* reason);

// Each reads a whole file already in memory; null with the reason set when it
// is not a readable picture of its kind.
bool looksLikePng(const uint8_t* data, size_t size);
Image* decodePng(const uint8_t* data, size_t size);
bool looksLikeBmp(const uint8_t* data, size_t size);
Image* decodeBmp(const uint8_t* data, size_t size);
