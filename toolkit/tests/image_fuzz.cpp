// Fuzz driver for the image loader. The first byte chooses what the rest is:
// a file as it stands, or changes to one of the good pictures the image tests
// read (a PNG and a BMP of each sort), so that plain random streams reach
// past the signature and the headers. A PNG's chunk checksums are made right
// again after the changes, so that changed data reaches the decoder instead
// of failing its checksum. Every picture that loads is drawn somewhere on a
// small screen.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit.h"

const int screenWidth = 64;
const int screenHeight = 48;
View* viewList[4];
const int viewListSlots = 4;

namespace {

using Bytes = std::string;

// The good pictures of toolkit/tests/images, in name order.
std::vector<Bytes> readSeeds() {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::directory_iterator(IMAGES_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".png" || extension == ".bmp") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<Bytes> seeds;
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (seeds.empty()) std::abort();
  return seeds;
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
  static const std::vector<Bytes> seeds = readSeeds();
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
