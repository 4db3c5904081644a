// The designer's colours and points of its start screen with their colours,
// shared by the in-process and the end-to-end tests.
#pragma once

#include <cstdint>

inline constexpr uint32_t LIGHT_GREY_PIXEL = 0xB4B4B4;
inline constexpr uint32_t GREY_PIXEL = 0x808080;
inline constexpr uint32_t WHITE = 0xFFFFFF;
inline constexpr uint32_t BLACK = 0x000000;
inline constexpr uint32_t NEAR_BLACK = 0x141414;
inline constexpr uint32_t PALE_GREY = 0xF0F0F0;
inline constexpr uint32_t SLATE_BLUE = 0x5050B4;
inline constexpr uint32_t DARK_GREY = 0x505050;
inline constexpr uint32_t YELLOW = 0xFFFF00;
inline constexpr uint32_t BLUE = 0x0000FF;

struct Sample {
  int x, y;
  uint32_t colour;
  const char* what;
};

inline constexpr Sample START_SCREEN[] = {
    {0, 0, LIGHT_GREY_PIXEL, "window's top-left corner"},
    {709, 639, LIGHT_GREY_PIXEL, "window's bottom-right corner"},
    {5, 5, LIGHT_GREY_PIXEL, "window"},
    {10, 300, LIGHT_GREY_PIXEL, "window left of the canvas"},
    {425, 300, LIGHT_GREY_PIXEL, "window between canvas and palette"},
    {700, 500, LIGHT_GREY_PIXEL, "window right of the panel"},
    {200, 300, WHITE, "canvas"},
    {200, 20, NEAR_BLACK, "canvas outline, top"},
    {20, 300, NEAR_BLACK, "canvas outline, left"},
    {420, 300, NEAR_BLACK, "canvas outline, right"},
    {200, 620, NEAR_BLACK, "canvas outline, bottom"},
    {685, 100, PALE_GREY, "palette backdrop"},
    {455, 105, PALE_GREY, "palette backdrop under the hidden alert"},
    {500, 48, LIGHT_GREY_PIXEL, "label entry, border"},
    {470, 52, PALE_GREY, "label entry, unfilled"},
    {580, 64, WHITE, "button entry, body"},
    {616, 48, NEAR_BLACK, "button entry, outline"},
    {480, 150, SLATE_BLUE, "vertical meter, bar"},
    {480, 110, WHITE, "vertical meter, box above the bar"},
    {464, 120, BLACK, "vertical meter, frame"},
    {560, 140, SLATE_BLUE, "horizontal meter, bar"},
    {590, 140, WHITE, "horizontal meter, box right of the bar"},
    {452, 248, WHITE, "number view entry"},
    {448, 248, BLACK, "number view entry, border"},
    {440, 300, LIGHT_GREY_PIXEL, "graphic view entry, outline"},
    {450, 300, PALE_GREY, "graphic view entry, unfilled"},
    {590, 340, LIGHT_GREY_PIXEL, "View entry, frame"},
    {600, 310, PALE_GREY, "View entry, inside"},
    {445, 425, PALE_GREY, "Copy, body"},
    {440, 425, NEAR_BLACK, "Copy, outline"},
    {585, 425, PALE_GREY, "Grid, released"},
    {445, 591, PALE_GREY, "Load, body"},
    {515, 591, PALE_GREY, "Save, body"},
    {585, 591, PALE_GREY, "Quit, body"},
    {440, 478, WHITE, "width number view"},
    {435, 496, BLACK, "incwidth, border"},
    {438, 491, LIGHT_GREY_PIXEL, "incwidth, unfilled"},
    {435, 538, BLACK, "text view, border"},
    {455, 538, LIGHT_GREY_PIXEL, "text view, unfilled"},
};
