// Fuzz driver for the image loader. The first byte chooses what the rest is:
// a file as it stands, or changes to one of a few good pictures (a PNG of each
// sort, BMPs), so that plain random streams reach past the signature and the
// headers. A PNG's chunk checksums are made right again after the changes,
// so that changed data reaches the decoder instead of failing its checksum.
// Every picture that loads is drawn somewhere on a small screen.
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit.h"

const int screenWidth = 64;
const int screenHeight = 48;
View* viewList[4];
const int viewListSlots = 4;

namespace {

using Bytes = std::string;

Bytes writtenPng(png_uint_32 format, int width, int height, const void* pixels,
                 const void* colourMap = nullptr, int colours = 0) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(colours);
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, colourMap);
  Bytes out(size, '\0');
  if (png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, colourMap) == 0) {
    std::abort();  // the seeds are good pictures
  }
  out.resize(size);
  return out;
}

void put(Bytes* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) *out += static_cast<char>(value >> (8 * i));
}

// A 3 by 2 BMP of the given depth; 32 bits come with an alpha mask.
Bytes writtenBmp(int bits) {
  const uint32_t header = bits == 32 ? 108 : 40;
  const uint32_t palette = bits == 8 ? 4 * 4 : 0;
  const uint32_t rowBytes = (static_cast<uint32_t>(bits) * 3 + 31) / 32 * 4;
  const uint32_t offset = 14 + header + palette;
  Bytes out = "BM";
  put(&out, offset + 2 * rowBytes, 4);
  put(&out, 0, 4);
  put(&out, offset, 4);
  for (uint32_t field : {header, 3U, 2U}) put(&out, field, 4);
  put(&out, 1, 2);
  put(&out, static_cast<uint32_t>(bits), 2);
  for (uint32_t field : {bits == 32 ? 3U : 0U, 2 * rowBytes, 0U, 0U, bits == 8 ? 4U : 0U, 0U}) {
    put(&out, field, 4);
  }
  if (bits == 32) {
    for (uint32_t mask : {0x00FF0000U, 0x0000FF00U, 0x000000FFU, 0xFF000000U}) put(&out, mask, 4);
    out.append(header - 56, '\0');
  }
  for (uint32_t i = 0; i < palette / 4; ++i) put(&out, 0x00402010U * (i + 1), 4);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x)
      put(&out, 0x80C0A030U + static_cast<uint32_t>(x * 0x010101), bits / 8);
    out.append(rowBytes - 3 * static_cast<uint32_t>(bits / 8), '\0');
  }
  return out;
}

std::vector<Bytes> makeSeeds() {
  const uint8_t rgba[3 * 3 * 4] = {255, 0, 0, 255, 0,   255, 0,   128, 0,   0,   255, 0,
                                   9,   8, 7, 255, 1,   2,   3,   4,   200, 100, 50,  25,
                                   0,   0, 0, 0,   255, 255, 255, 255, 17,  34,  51,  68};
  const uint16_t greyAlpha[2 * 2 * 2] = {0, 65535, 65535, 0, 4660, 32768, 65535, 65535};
  const uint8_t indices[3 * 2] = {0, 1, 2, 2, 1, 0};
  const uint8_t colourMap[3 * 4] = {10, 20, 30, 255, 40, 50, 60, 0, 70, 80, 90, 128};
  return {writtenPng(PNG_FORMAT_RGBA, 3, 3, rgba),
          writtenPng(PNG_FORMAT_LINEAR_Y_ALPHA, 2, 2, greyAlpha),
          writtenPng(PNG_FORMAT_RGBA_COLORMAP, 3, 2, indices, colourMap, 3),
          writtenBmp(8),
          writtenBmp(24),
          writtenBmp(32)};
}

uint32_t crc32(const char* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  uint32_t crc = 0xFFFFFFFFU;
  for (size_t i = 0; i < size; ++i)
    crc = table[(crc ^ static_cast<uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFU;
}

uint32_t bigEndian(const Bytes& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint8_t>(bytes[at + 3]);
}

void fixChecksums(Bytes* png) {
  for (size_t at = 8; at + 12 <= png->size();) {
    const uint32_t length = bigEndian(*png, at);
    if (length > png->size() - at - 12) return;
    const uint32_t crc = crc32(png->data() + at + 4, length + 4);
    for (int i = 0; i < 4; ++i)
      (*png)[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

// A seed, then a few changes of three bytes each: where (two bytes, taken
// past the signature, which no change touches) and the new byte.
Bytes changedSeed(const uint8_t* data, size_t size) {
  static const std::vector<Bytes> seeds = makeSeeds();
  Bytes file = seeds[data[0] % seeds.size()];
  const bool png = file[0] != 'B';
  const size_t signature = png ? 8 : 2;
  const size_t changes = 1 + data[1] % 8;
  for (size_t i = 2, n = 0; n < changes && i + 3 <= size; i += 3, ++n) {
    file[signature + (data[i] | data[i + 1] << 8) % (file.size() - signature)] =
        static_cast<char>(data[i + 2]);
  }
  if (png) fixChecksums(&file);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (screen == nullptr) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    initGraphics();
  }
  if (size < 3) return 0;
  const Bytes file = data[0] % 2 == 0 ? Bytes(reinterpret_cast<const char*>(data + 1), size - 1)
                                      : changedSeed(data + 1, size - 1);
  Image* image = loadImageFromMemory(file.data(), file.size());
  if (image == nullptr) {
    if (imageError()[0] == '\0') std::abort();  // a refusal always says why
    return 0;
  }
  const int width = imageWidth(image);
  const int height = imageHeight(image);
  if (width < 1 || height < 1 || width > 4096 || height > 4096) std::abort();
  // Anywhere from well off the screen on one side to well off the other.
  drawImage(image, static_cast<int8_t>(data[0]) - width / 2,
            static_cast<int8_t>(data[1]) - height / 2);
  freeImage(image);
  return 0;
}

void viewDownEvent(View*, int, int) {}
void viewUpEvent(View*, int, int) {}
void viewMotionEvent(View*, int, int) {}
void buttonDownEvent(View*) {}
void buttonUpEvent(View*) {}
void sliderMoveEvent(View*) {}
void drawGraphicView(View*) {}
