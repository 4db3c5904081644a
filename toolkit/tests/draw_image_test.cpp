// Images: every kind of PNG and BMP drawn exactly over a known screen,
// clipping at each edge, and the files that must be refused with a reason.
#include <png.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "rig.h"

namespace {

namespace fs = std::filesystem;

struct Rgba {
  uint8_t r, g, b, a;
};

constexpr int PICTURE_W = 4;
constexpr int PICTURE_H = 2;
using Picture = std::vector<Rgba>;

// Row by row. Colour kinds are written from the first, grey kinds from the
// second (its red channel); kinds without alpha drop the alpha.
const Picture COLOUR = {{255, 0, 0, 255},        {0, 255, 0, 255},       {0x12, 0x34, 0x56, 255},
                        {255, 255, 255, 0},      {255, 0, 0, 128},       {0, 0, 0, 255},
                        {0xAB, 0xCD, 0xEF, 255}, {0x80, 0x80, 0x80, 255}};
const Picture GREY = {{0, 0, 0, 255},          {255, 255, 255, 255},   {0x5A, 0x5A, 0x5A, 255},
                      {0x33, 0x33, 0x33, 0},   {255, 255, 255, 128},   {0x10, 0x10, 0x10, 255},
                      {0x80, 0x80, 0x80, 255}, {0x7F, 0x7F, 0x7F, 255}};

// What each picture leaves on a blue screen: the transparent pixel shows the
// blue, and alpha 128 mixes (255 * 128 + 127) / 255 = 128 with
// (255 * 127 + 127) / 255 = 127 of blue.
constexpr uint32_t GROUND = 0x0000FF;
const std::vector<uint32_t> COLOUR_OPAQUE = {0xFF0000, 0x00FF00, 0x123456, 0xFFFFFF,
                                             0xFF0000, 0x000000, 0xABCDEF, 0x808080};
const std::vector<uint32_t> COLOUR_BLENDED = {0xFF0000, 0x00FF00, 0x123456, 0x0000FF,
                                              0x80007F, 0x000000, 0xABCDEF, 0x808080};
const std::vector<uint32_t> GREY_OPAQUE = {0x000000, 0xFFFFFF, 0x5A5A5A, 0x333333,
                                           0xFFFFFF, 0x101010, 0x808080, 0x7F7F7F};
const std::vector<uint32_t> GREY_BLENDED = {0x000000, 0xFFFFFF, 0x5A5A5A, 0x0000FF,
                                            0x8080FF, 0x101010, 0x808080, 0x7F7F7F};

using Bytes = std::string;

void put16(Bytes* out, int value) {
  *out += {static_cast<char>(value), static_cast<char>(value >> 8)};
}
void put32(Bytes* out, uint32_t value) {
  put16(out, static_cast<int>(value & 0xFFFF));
  put16(out, static_cast<int>(value >> 16));
}

// A PNG of the picture in the colour type and depth, through libpng's own
// writer; 16-bit samples are v * 257, which stand for exactly v.
Bytes pngOf(const Picture& picture, int width, int height, int colourType, int depth,
            bool transparency) {
  const bool grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
  const bool palette = colourType == PNG_COLOR_TYPE_PALETTE;
  const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  const int channels = palette ? 1 : (grey ? 1 : 3) + (alpha ? 1 : 0);
  const int sampleBytes = depth == 16 ? 2 : 1;
  std::vector<png_color> colours;
  std::vector<png_byte> alphas;
  std::vector<png_byte> samples;
  for (const Rgba& p : picture) {
    if (palette) {
      samples.push_back(static_cast<png_byte>(colours.size()));
      colours.push_back({p.r, p.g, p.b});
      alphas.push_back(p.a);
      continue;
    }
    std::vector<uint8_t> values =
        grey ? std::vector<uint8_t>{p.r} : std::vector<uint8_t>{p.r, p.g, p.b};
    if (alpha) values.push_back(p.a);
    for (uint8_t v : values) {
      if (sampleBytes == 2) samples.push_back(v);
      samples.push_back(v);
    }
  }
  std::vector<png_bytep> rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back(samples.data() + static_cast<size_t>(y) * width * channels * sampleBytes);
  }
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng cannot write the test picture";
    return Bytes();
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, size_t length) {
        static_cast<Bytes*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), length);
      },
      nullptr);
  png_set_IHDR(png, info, width, height, depth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (palette) {
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    if (transparency)
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
  }
  png_write_info(png, info);
  if (depth < 8) png_set_packing(png);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A BMP: 8 bits with a palette of the picture's colours, 24 bits, or 32 bits,
// with its alpha named in a version 4 header when `alphaMask` is set.
Bytes bmpOf(const Picture& picture, int bits, bool topDown, bool alphaMask) {
  const uint32_t headerSize = alphaMask ? 108 : 40;
  const uint32_t paletteBytes = bits == 8 ? 4 * PICTURE_W * PICTURE_H : 0;
  const uint32_t rowBytes = (bits * PICTURE_W + 31) / 32 * 4;
  const uint32_t offset = 14 + headerSize + paletteBytes;
  Bytes out = "BM";
  put32(&out, offset + rowBytes * PICTURE_H);
  put32(&out, 0);
  put32(&out, offset);
  put32(&out, headerSize);
  put32(&out, PICTURE_W);
  put32(&out, static_cast<uint32_t>(topDown ? -PICTURE_H : PICTURE_H));
  put16(&out, 1);
  put16(&out, bits);
  put32(&out, alphaMask ? 3 : 0);
  put32(&out, rowBytes * PICTURE_H);
  put32(&out, 2835);
  put32(&out, 2835);
  put32(&out, bits == 8 ? PICTURE_W * PICTURE_H : 0);
  put32(&out, 0);
  if (alphaMask) {
    for (uint32_t mask : {0x00FF0000U, 0x0000FF00U, 0x000000FFU, 0xFF000000U}) put32(&out, mask);
    out.append(headerSize - 56, '\0');
  }
  if (bits == 8) {
    for (const Rgba& p : picture)
      out += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r), 0};
  }
  for (int row = 0; row < PICTURE_H; ++row) {
    const int y = topDown ? row : PICTURE_H - 1 - row;
    const size_t start = out.size();
    for (int x = 0; x < PICTURE_W; ++x) {
      const Rgba& p = picture[static_cast<size_t>(y) * PICTURE_W + x];
      if (bits == 8) {
        out += static_cast<char>(y * PICTURE_W + x);
        continue;
      }
      out += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r)};
      // Without an alpha mask the fourth byte means nothing: 0 must not hide the pixel.
      if (bits == 32) out += static_cast<char>(alphaMask ? p.a : 0);
    }
    out.append(start + rowBytes - out.size(), '\0');
  }
  return out;
}

class Images : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    folder = fs::temp_directory_path() / ("kiosktk-images-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override {
    fs::remove_all(folder);
    ScreenTest::TearDown();
  }
  std::string fileOf(const Bytes& bytes, const std::string& name) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  fs::path folder;
};

struct Kind {
  const char* name;
  Bytes (*file)();
  const std::vector<uint32_t>* drawn;
};

template <int TYPE, int DEPTH, bool TRNS = false>
Bytes colourPng() {
  return pngOf(COLOUR, PICTURE_W, PICTURE_H, TYPE, DEPTH, TRNS);
}
template <int TYPE, int DEPTH>
Bytes greyPng() {
  return pngOf(GREY, PICTURE_W, PICTURE_H, TYPE, DEPTH, false);
}
template <int BITS, bool TOP_DOWN, bool ALPHA>
Bytes colourBmp() {
  return bmpOf(COLOUR, BITS, TOP_DOWN, ALPHA);
}

const Kind KINDS[] = {
    {"Grey8", greyPng<PNG_COLOR_TYPE_GRAY, 8>, &GREY_OPAQUE},
    {"Grey16", greyPng<PNG_COLOR_TYPE_GRAY, 16>, &GREY_OPAQUE},
    {"GreyAlpha8", greyPng<PNG_COLOR_TYPE_GRAY_ALPHA, 8>, &GREY_BLENDED},
    {"GreyAlpha16", greyPng<PNG_COLOR_TYPE_GRAY_ALPHA, 16>, &GREY_BLENDED},
    {"Palette8", colourPng<PNG_COLOR_TYPE_PALETTE, 8>, &COLOUR_OPAQUE},
    {"Palette8Transparency", colourPng<PNG_COLOR_TYPE_PALETTE, 8, true>, &COLOUR_BLENDED},
    {"Palette4Transparency", colourPng<PNG_COLOR_TYPE_PALETTE, 4, true>, &COLOUR_BLENDED},
    {"Rgb8", colourPng<PNG_COLOR_TYPE_RGB, 8>, &COLOUR_OPAQUE},
    {"Rgb16", colourPng<PNG_COLOR_TYPE_RGB, 16>, &COLOUR_OPAQUE},
    {"Rgba8", colourPng<PNG_COLOR_TYPE_RGBA, 8>, &COLOUR_BLENDED},
    {"Rgba16", colourPng<PNG_COLOR_TYPE_RGBA, 16>, &COLOUR_BLENDED},
    {"Bmp8BottomUp", colourBmp<8, false, false>, &COLOUR_OPAQUE},
    {"Bmp24BottomUp", colourBmp<24, false, false>, &COLOUR_OPAQUE},
    {"Bmp24TopDown", colourBmp<24, true, false>, &COLOUR_OPAQUE},
    {"Bmp32WithoutAlpha", colourBmp<32, false, false>, &COLOUR_OPAQUE},
    {"Bmp32AlphaTopDown", colourBmp<32, true, true>, &COLOUR_BLENDED},
};

TEST_F(Images, EveryKindIsDrawnExactly) {
  constexpr int X = 10, Y = 20;
  for (const Kind& kind : KINDS) {
    SCOPED_TRACE(kind.name);
    clearScreen(GROUND);
    Image* image = loadImage(fileOf(kind.file(), kind.name).c_str());
    ASSERT_NE(image, nullptr) << imageError();
    EXPECT_EQ(imageWidth(image), PICTURE_W);
    EXPECT_EQ(imageHeight(image), PICTURE_H);
    resetFlipCount();
    drawImage(image, X, Y);
    EXPECT_EQ(flipCount(), 1);
    std::vector<uint32_t> drawn;
    for (int y = 0; y < PICTURE_H; ++y) {
      for (int x = 0; x < PICTURE_W; ++x)
        drawn.push_back(static_cast<uint32_t>(getPixel(X + x, Y + y)));
    }
    EXPECT_EQ(drawn, *kind.drawn);
    std::set<Point> outside = pointsNot(GROUND);
    for (const Point& p : rectanglePoints(X, Y, X + PICTURE_W - 1, Y + PICTURE_H - 1))
      outside.erase(p);
    EXPECT_EQ(outside.size(), 0U) << describe(outside);
    freeImage(image);
  }
}

TEST_F(Images, DrawingIsClippedAtEveryEdge) {
  Image* image = loadImageFromMemory(colourBmp<24, true, false>().data(), 0);
  EXPECT_EQ(image, nullptr);
  const Bytes file = colourBmp<24, true, false>();
  image = loadImageFromMemory(file.data(), file.size());
  ASSERT_NE(image, nullptr) << imageError();
  const int w = screen->w, h = screen->h;
  const Point corners[] = {{-1, -1},     {w - 3, -1},  {-2, h - 1},  {w - 1, h - 2},
                           {-4, 0},      {w, 0},       {0, -2},      {0, h},
                           {INT_MIN, 5}, {INT_MAX, 5}, {5, INT_MIN}, {INT_MAX, INT_MAX}};
  for (const auto& [x, y] : corners) {
    SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
    clearScreen(GROUND);
    drawImage(image, x, y);
    std::set<Point> expected;
    for (int row = 0; row < PICTURE_H; ++row) {
      for (int column = 0; column < PICTURE_W; ++column) {
        const int64_t sx = int64_t{x} + column, sy = int64_t{y} + row;
        if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
        expected.insert({static_cast<int>(sx), static_cast<int>(sy)});
        EXPECT_EQ(static_cast<uint32_t>(getPixel(static_cast<int>(sx), static_cast<int>(sy))),
                  COLOUR_OPAQUE[static_cast<size_t>(row) * PICTURE_W + column]);
      }
    }
    EXPECT_EQ(describe(pointsNot(GROUND)), describe(expected));
  }
  freeImage(image);
  clearScreen(GROUND);
  resetFlipCount();
  drawImage(nullptr, 0, 0);
  freeImage(nullptr);
  EXPECT_EQ(pointsNot(GROUND).size(), 0U);
  EXPECT_EQ(flipCount(), 0);
}

// The bytes of a file with one 32-bit field changed.
Bytes withField(Bytes bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

TEST_F(Images, BadFilesAreRefusedWithAReason) {
  const Bytes png = colourPng<PNG_COLOR_TYPE_RGBA, 8>();
  Bytes flipped = png;
  flipped[png.size() - 20] ^= 0x40;  // inside the image data, whose checksum then fails
  const Bytes bmp = colourBmp<24, false, false>();
  const Bytes palette = colourBmp<8, false, false>();
  const struct {
    const char* name;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"Empty", "", "the file is empty"},
      {"Text", "hello, world", "neither a PNG nor a BMP file"},
      {"PngTruncated", png.substr(0, png.size() / 2), "corrupt PNG: "},
      {"PngSignatureOnly", png.substr(0, 8), "corrupt PNG: "},
      {"PngCorrupt", flipped, "corrupt PNG: "},
      {"PngTooWide", pngOf(Picture(4097, {1, 2, 3, 255}), 4097, 1, PNG_COLOR_TYPE_RGB, 8, false),
       "the picture is larger than 4096 by 4096"},
      {"PngTooHigh", pngOf(Picture(4097, {1, 2, 3, 255}), 1, 4097, PNG_COLOR_TYPE_RGB, 8, false),
       "the picture is larger than 4096 by 4096"},
      {"BmpTruncated", bmp.substr(0, bmp.size() - 1), "truncated BMP"},
      {"BmpHeaderOnly", bmp.substr(0, 30), "truncated BMP"},
      {"BmpDataBeyondTheFile", withField(bmp, 10, 0xFFFFFFF0), "truncated BMP"},
      {"BmpTooWide", withField(bmp, 18, 4097), "the picture is larger than 4096 by 4096"},
      {"BmpTooHigh", withField(bmp, 22, static_cast<uint32_t>(-4097)),
       "the picture is larger than 4096 by 4096"},
      {"BmpNoPixels", withField(bmp, 22, 0), "corrupt BMP: no pixels"},
      {"BmpOldHeader", withField(bmp, 14, 12), "unsupported BMP header"},
      {"BmpHeaderBeyondTheFile", withField(bmp, 14, 4000), "truncated BMP"},
      {"Bmp16Bits", withField(bmp, 28, 16 | 1 << 16),
       "unsupported BMP: only 8, 24 and 32 bits a pixel"},
      {"BmpCompressed", withField(bmp, 30, 1), "unsupported BMP: compressed"},
      {"BmpOtherMasks", withField(colourBmp<32, true, true>(), 54, 0xFF),
       "unsupported BMP bit fields"},
      {"BmpPixelBeyondThePalette", withField(palette, 46, 2),
       "corrupt BMP: a pixel beyond the palette"},
      {"BmpPaletteTooLarge", withField(palette, 46, 257), "corrupt BMP: palette too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(loadImage(fileOf(c.bytes, c.name).c_str()), nullptr);
    EXPECT_EQ(std::string(imageError()).substr(0, std::strlen(c.reason)), c.reason);
    EXPECT_EQ(loadImageFromMemory(c.bytes.data(), c.bytes.size()), nullptr);
  }
  EXPECT_EQ(loadImage((folder / "missing.png").c_str()), nullptr);
  EXPECT_STREQ(imageError(), "no such file");
  EXPECT_EQ(loadImage(folder.c_str()), nullptr);
  EXPECT_STREQ(imageError(), "not a regular file");
  // The largest size is taken.
  Image* widest = loadImageFromMemory(
      pngOf(Picture(4096, {1, 2, 3, 255}), 4096, 1, PNG_COLOR_TYPE_RGB, 8, false).data(),
      pngOf(Picture(4096, {1, 2, 3, 255}), 4096, 1, PNG_COLOR_TYPE_RGB, 8, false).size());
  ASSERT_NE(widest, nullptr) << imageError();
  EXPECT_EQ(imageWidth(widest), 4096);
  freeImage(widest);
}

}  // namespace
