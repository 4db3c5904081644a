// Images: every kind of PNG and BMP drawn exactly over a known screen,
// clipping at each edge, and the files that must be refused with a reason.
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "rig.h"

namespace {

constexpr int PICTURE_W = 4;
constexpr int PICTURE_H = 2;

// What the pictures of images/make_images.py leave on a blue screen: the
// transparent pixel shows the blue, and alpha 128 mixes (255 * 128 + 127) /
// 255 = 128 with (255 * 127 + 127) / 255 = 127 of blue.
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

std::string picturePath(const std::string& name) { return std::string(IMAGES_DIR) + "/" + name; }

Bytes pictureBytes(const std::string& name) {
  std::ifstream in(picturePath(name), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Images : public ScreenTest {};

struct Kind {
  const char* file;
  const std::vector<uint32_t>* drawn;
};

const Kind KINDS[] = {
    {"grey8.png", &GREY_OPAQUE},
    {"grey16.png", &GREY_OPAQUE},
    {"grey-alpha8.png", &GREY_BLENDED},
    {"grey-alpha16.png", &GREY_BLENDED},
    {"palette8.png", &COLOUR_OPAQUE},
    {"palette8-transparency.png", &COLOUR_BLENDED},
    {"palette4-transparency.png", &COLOUR_BLENDED},
    {"rgb8.png", &COLOUR_OPAQUE},
    {"rgb16.png", &COLOUR_OPAQUE},
    {"rgba8.png", &COLOUR_BLENDED},
    {"rgba16.png", &COLOUR_BLENDED},
    {"bmp8-bottom-up.bmp", &COLOUR_OPAQUE},
    {"bmp24-bottom-up.bmp", &COLOUR_OPAQUE},
    {"bmp24-top-down.bmp", &COLOUR_OPAQUE},
    {"bmp32-without-alpha.bmp", &COLOUR_OPAQUE},
    {"bmp32-alpha-top-down.bmp", &COLOUR_BLENDED},
};

TEST_F(Images, EveryKindIsDrawnExactly) {
  constexpr int X = 10, Y = 20;
  for (const Kind& kind : KINDS) {
    SCOPED_TRACE(kind.file);
    clearScreen(GROUND);
    Image* image = loadImage(picturePath(kind.file).c_str());
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
  const Bytes file = pictureBytes("rgb8.png");
  Image* image = loadImageFromMemory(file.data(), file.size());
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
  const Bytes png = pictureBytes("rgba8.png");
  Bytes flipped = png;
  flipped[png.size() - 20] ^= 0x40;  // inside the image data, whose checksum then fails
  const Bytes bmp = pictureBytes("bmp24-bottom-up.bmp");
  const Bytes palette = pictureBytes("bmp8-bottom-up.bmp");
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
      {"PngTooWide", pictureBytes("size-4097x1.png"), "the picture is larger than 4096 by 4096"},
      {"PngTooHigh", pictureBytes("size-1x4097.png"), "the picture is larger than 4096 by 4096"},
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
      {"BmpOtherMasks", withField(pictureBytes("bmp32-alpha-top-down.bmp"), 54, 0xFF),
       "unsupported BMP bit fields"},
      {"BmpPixelBeyondThePalette", withField(palette, 46, 2),
       "corrupt BMP: a pixel beyond the palette"},
      {"BmpPaletteTooLarge", withField(palette, 46, 257), "corrupt BMP: palette too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(loadImageFromMemory(c.bytes.data(), c.bytes.size()), nullptr);
    EXPECT_EQ(std::string(imageError()).substr(0, std::strlen(c.reason)), c.reason);
  }
  EXPECT_EQ(loadImage(picturePath("missing.png").c_str()), nullptr);
  EXPECT_STREQ(imageError(), "no such file");
  EXPECT_EQ(loadImage(IMAGES_DIR), nullptr);
  EXPECT_STREQ(imageError(), "not a regular file");
  // The largest size is taken.
  Image* widest = loadImage(picturePath("size-4096x1.png").c_str());
  ASSERT_NE(widest, nullptr) << imageError();
  EXPECT_EQ(imageWidth(widest), 4096);
  freeImage(widest);
}

}  // namespace
