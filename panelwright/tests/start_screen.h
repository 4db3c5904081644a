// The designer's colours and points of its start screen with their colours,
// shared by the in-process and the end-to-end tests.
#pragma once

#include <cstdint>

inline constexpr uint32_t kLightGrey = 0xB4B4B4;
inline constexpr uint32_t kGrey = 0x808080;
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kNearBlack = 0x141414;
inline constexpr uint32_t kPaleGrey = 0xF0F0F0;
inline constexpr uint32_t kSlateBlue = 0x5050B4;
inline constexpr uint32_t kDarkGrey = 0x505050;
inline constexpr uint32_t kYellow = 0xFFFF00;
inline constexpr uint32_t kBlue = 0x0000FF;

struct Sample {
  int x, y;
  uint32_t colour;
  const char* what;
};

inline constexpr Sample kStartScreen[] = {
    {0, 0, kLightGrey, "window's top-left corner"},
    {709, 639, kLightGrey, "window's bottom-right corner"},
    {5, 5, kLightGrey, "window"},
    {10, 300, kLightGrey, "window left of the canvas"},
    {425, 300, kLightGrey, "window between canvas and palette"},
    {700, 500, kLightGrey, "window right of the panel"},
    {200, 300, kWhite, "canvas"},
    {200, 20, kNearBlack, "canvas outline, top"},
    {20, 300, kNearBlack, "canvas outline, left"},
    {420, 300, kNearBlack, "canvas outline, right"},
    {200, 620, kNearBlack, "canvas outline, bottom"},
    {685, 100, kPaleGrey, "palette backdrop"},
    {455, 105, kPaleGrey, "palette backdrop under the hidden alert"},
    {500, 48, kLightGrey, "label entry, border"},
    {470, 52, kPaleGrey, "label entry, unfilled"},
    {580, 64, kWhite, "button entry, body"},
    {616, 48, kNearBlack, "button entry, outline"},
    {480, 150, kSlateBlue, "vertical meter, bar"},
    {480, 110, kWhite, "vertical meter, box above the bar"},
    {464, 120, kBlack, "vertical meter, frame"},
    {560, 140, kSlateBlue, "horizontal meter, bar"},
    {590, 140, kWhite, "horizontal meter, box right of the bar"},
    {452, 248, kWhite, "number view entry"},
    {448, 248, kBlack, "number view entry, border"},
    {440, 300, kLightGrey, "graphic view entry, outline"},
    {450, 300, kPaleGrey, "graphic view entry, unfilled"},
    {590, 340, kLightGrey, "View entry, frame"},
    {600, 310, kPaleGrey, "View entry, inside"},
    {445, 425, kPaleGrey, "Copy, body"},
    {440, 425, kNearBlack, "Copy, outline"},
    {585, 425, kPaleGrey, "Grid, released"},
    {445, 591, kPaleGrey, "Load, body"},
    {515, 591, kPaleGrey, "Save, body"},
    {585, 591, kPaleGrey, "Quit, body"},
    {440, 478, kWhite, "width number view"},
    {435, 496, kBlack, "incwidth, border"},
    {438, 491, kLightGrey, "incwidth, unfilled"},
    {435, 538, kBlack, "text view, border"},
    {455, 538, kLightGrey, "text view, unfilled"},
};
