// Pictures as 8-bit RGB PNG files, encoded and decoded by libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
};

// Each returns an empty text on success, else what went wrong with which file.
std::string writePng(const std::string& path, const Image& image);
std::string readPng(const std::string& path, Image& image);
