// Uncompressed BMP: 24 and 32 bits a pixel, or 8 with a palette, rows
// bottom-up or top-down. Every field is checked against the file before it is
// used, so a short or lying file is refused, never read beyond.
#include <cstdint>

#include "image.h"

static constexpr size_t FILE_HEADER_SIZE = 14;
// The oldest header with a 32-bit size, BITMAPINFOHEADER; the later ones only
// add fields after it.
static constexpr uint32_t INFO_HEADER_SIZE = 40;
// From this header size on, the alpha mask follows the three colour masks.
static constexpr uint32_t ALPHA_MASK_HEADER_SIZE = 56;
static constexpr uint32_t COMPRESSION_NONE = 0;
static constexpr uint32_t COMPRESSION_BIT_FIELDS = 3;
static constexpr uint32_t RED_MASK = 0x00FF0000;
static constexpr uint32_t GREEN_MASK = 0x0000FF00;
static constexpr uint32_t BLUE_MASK = 0x000000FF;
static constexpr uint32_t ALPHA_MASK = 0xFF000000;
static constexpr uint32_t OPAQUE = 0xFF000000;
static constexpr uint32_t LARGEST_PALETTE = 256;

static uint32_t readLittle32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

static uint16_t readLittle16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool looksLikeBmp(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

// What the headers say, checked against the file.
struct BmpLayout {
  uint32_t width;
  uint32_t height;
  bool topDown;
  uint32_t bits;
  bool alpha;              // 32 bits with an alpha mask
  const uint8_t* palette;  // 8 bits: entries of blue, green, red, unused
  uint32_t paletteSize;
  const uint8_t* rows;  // the first row in the file
  size_t rowBytes;
};

static const char* readMasks(const uint8_t* header, uint32_t headerSize, size_t room,
                             BmpLayout* layout) {
  // Without a header that holds them, the three masks follow the header.
  if (room < INFO_HEADER_SIZE + 12) return "truncated BMP";
  if (readLittle32(header + 40) != RED_MASK || readLittle32(header + 44) != GREEN_MASK ||
      readLittle32(header + 48) != BLUE_MASK) {
    return "unsupported BMP bit fields";
  }
  if (headerSize >= ALPHA_MASK_HEADER_SIZE) {
    const uint32_t alphaMask = readLittle32(header + 52);
    if (alphaMask != 0 && alphaMask != ALPHA_MASK) return "unsupported BMP bit fields";
    layout->alpha = alphaMask == ALPHA_MASK;
  }
  return nullptr;
}

static const char* readLayout(const uint8_t* data, size_t size, BmpLayout* layout) {
  if (size < FILE_HEADER_SIZE + INFO_HEADER_SIZE) return "truncated BMP";
  const uint8_t* header = data + FILE_HEADER_SIZE;
  const uint32_t headerSize = readLittle32(header);
  if (headerSize < INFO_HEADER_SIZE) return "unsupported BMP header";
  if (headerSize > size - FILE_HEADER_SIZE) return "truncated BMP";
  const auto width = static_cast<int32_t>(readLittle32(header + 4));
  const auto height = static_cast<int32_t>(readLittle32(header + 8));
  layout->bits = readLittle16(header + 14);
  const uint32_t compression = readLittle32(header + 16);
  if (readLittle16(header + 12) != 1) return "corrupt BMP: planes other than 1";
  if (width <= 0 || height == 0 || height == INT32_MIN) return "corrupt BMP: no pixels";
  layout->width = static_cast<uint32_t>(width);
  layout->topDown = height < 0;
  layout->height = static_cast<uint32_t>(height < 0 ? -int64_t{height} : height);
  if (layout->width > IMAGE_SIZE_LIMIT || layout->height > IMAGE_SIZE_LIMIT) {
    return "the picture is larger than 4096 by 4096";
  }
  if (layout->bits != 8 && layout->bits != 24 && layout->bits != 32) {
    return "unsupported BMP: only 8, 24 and 32 bits a pixel";
  }
  layout->alpha = false;
  if (compression == COMPRESSION_BIT_FIELDS && layout->bits == 32) {
    if (const char* fault = readMasks(header, headerSize, size - FILE_HEADER_SIZE, layout)) {
      return fault;
    }
  } else if (compression != COMPRESSION_NONE) {
    return "unsupported BMP: compressed";
  }
  if (layout->bits == 8) {
    const uint32_t used = readLittle32(header + 32);
    layout->paletteSize = used == 0 ? LARGEST_PALETTE : used;
    if (layout->paletteSize > LARGEST_PALETTE) return "corrupt BMP: palette too large";
    const size_t paletteStart = FILE_HEADER_SIZE + headerSize;
    if (paletteStart + 4 * size_t{layout->paletteSize} > size) return "truncated BMP";
    layout->palette = data + paletteStart;
  }
  const uint32_t offset = readLittle32(data + 10);
  layout->rowBytes = (size_t{layout->bits} * layout->width + 31) / 32 * 4;
  if (offset > size || layout->rowBytes * layout->height > size - offset) return "truncated BMP";
  layout->rows = data + offset;
  return nullptr;
}

static bool convertRow(const BmpLayout& layout, const uint8_t* source, uint32_t* target) {
  for (uint32_t x = 0; x < layout.width; ++x) {
    if (layout.bits == 8) {
      const uint8_t index = source[x];
      if (index >= layout.paletteSize) return false;
      target[x] = OPAQUE | (readLittle32(layout.palette + 4 * index) & 0xFFFFFF);
    } else if (layout.bits == 24) {
      const uint8_t* p = source + 3 * x;
      target[x] = OPAQUE | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    } else {
      const uint32_t word = readLittle32(source + 4 * x);
      target[x] = layout.alpha ? word : OPAQUE | (word & 0xFFFFFF);
    }
  }
  return true;
}

Image* decodeBmp(const uint8_t* data, size_t size) {
  BmpLayout layout{};
  if (const char* fault = readLayout(data, size, &layout)) return refuseImage(fault);
  Image* image = newImage(layout.width, layout.height);
  if (image == nullptr) return nullptr;
  for (uint32_t row = 0; row < layout.height; ++row) {
    const uint32_t shownRow = layout.topDown ? row : layout.height - 1 - row;
    if (!convertRow(layout, layout.rows + row * layout.rowBytes,
                    image->pixels + size_t{shownRow} * layout.width)) {
      freeImage(image);
      return refuseImage("corrupt BMP: a pixel beyond the palette");
    }
  }
  return image;
}
