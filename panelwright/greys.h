// The designer's two greys: outlines and frames, and quiet captions. The
// graphic-view placeholder, which the preview shares, draws with them as well.
#pragma once

#include <cstdint>

inline constexpr int32_t LIGHT_GREY = 0xB4B4B4;
inline constexpr int32_t GREY = 0x808080;
