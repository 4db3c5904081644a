// Conversion between the calculator's numbers and the texts on its display.
#pragma once

// The display shows 12 characters; doubleToString never writes more.
inline constexpr int DISPLAY_CHARACTERS = 12;

// Shown in place of a result whose integer part has more than nine digits.
inline constexpr char OVERFLOW_TEXT[] = "************";

// The number at the start of text, as sscanf's "%lf" reads it; 0 when the text
// begins with no number (the empty display, a lone ".").
double stringToDouble(const char* text);

// Writes the display text for value into out, which must hold at least
// displayCharacters + 1 bytes: at most ten decimals without trailing zeros,
// rounded to the decimals that fit in displayCharacters, or overflowText
// from a magnitude of 1e9 up.
void doubleToString(double value, char* out);
