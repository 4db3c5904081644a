#include "turning.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

PlaneSize turnedSize(PlaneSize program, Turn turn) {
  const bool onItsSide = turn.degrees == 90 || turn.degrees == 270;
  const PlaneSize turned = onItsSide ? PlaneSize{program.height, program.width} : program;
  return {turned.width * turn.scale, turned.height * turn.scale};
}

// The program's pixels that one row of the turned picture shows, before
// scaling: the first, and the step in words from one to the next.
struct SourceRun {
  const uint32_t* first;
  ptrdiff_t step;
};

static SourceRun sourceOfRow(const PixelPlane& program, int32_t row, int32_t degrees) {
  const ptrdiff_t pitch = program.pitch;
  const ptrdiff_t lastRow = (program.height - 1) * pitch;
  switch (degrees) {
    case 90:  // a column of the program, read from the bottom up
      return {program.pixels + lastRow + row, -pitch};
    case 180:  // a row of the program from the far end, read right to left
      return {program.pixels + lastRow - row * pitch + program.width - 1, -1};
    case 270:  // a column of the program from the far end, read downwards
      return {program.pixels + program.width - 1 - row, pitch};
    default:
      return {program.pixels + row * pitch, 1};
  }
}

void turnPlane(const PixelPlane& program, const PixelPlane& window, Turn turn) {
  const int32_t scale = turn.scale;
  const PlaneSize turned = turnedSize({program.width, program.height}, {turn.degrees, 1});
  const int32_t columns = std::min(turned.width, window.width / scale);
  const int32_t rows = std::min(turned.height, window.height / scale);
  const size_t rowBytes = static_cast<size_t>(columns) * scale * sizeof(uint32_t);
  for (int32_t row = 0; row < rows; ++row) {
    const SourceRun run = sourceOfRow(program, row, turn.degrees);
    uint32_t* const firstLine = window.pixels + static_cast<ptrdiff_t>(row) * scale * window.pitch;
    uint32_t* out = firstLine;
    const uint32_t* in = run.first;
    for (int32_t column = 0; column < columns; ++column, in += run.step)
      out = std::fill_n(out, scale, *in);
    // A scaled row's other lines are copies of its first.
    for (int32_t line = 1; line < scale; ++line)
      std::memcpy(firstLine + static_cast<ptrdiff_t>(line) * window.pitch, firstLine, rowBytes);
  }
}

PlanePoint programPoint(PlanePoint shown, PlaneSize program, Turn turn) {
  const int32_t x = shown.x / turn.scale;
  const int32_t y = shown.y / turn.scale;
  PlanePoint point{x, y};
  switch (turn.degrees) {
    case 90:
      point = {y, program.height - 1 - x};
      break;
    case 180:
      point = {program.width - 1 - x, program.height - 1 - y};
      break;
    case 270:
      point = {program.width - 1 - y, x};
      break;
    default:
      break;
  }
  return {std::clamp(point.x, 0, program.width - 1), std::clamp(point.y, 0, program.height - 1)};
}
