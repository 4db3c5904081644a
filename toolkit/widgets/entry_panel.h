// What the number keypad and the text keyboard share: a full-screen panel of
// keys drawn as buttons, its own wait for an answer, and the mapping of a
// physical keyboard's keys onto the panel's.
#pragma once

#include "toolkit.h"

// Key ids: a key that types a character has that character's code.
inline constexpr int32_t KEY_OK = 256;
inline constexpr int32_t KEY_CANCEL = 257;
inline constexpr int32_t KEY_BACK = 258;
inline constexpr int32_t KEY_SIGN = 259;
inline constexpr int32_t KEY_PAGE = 260;  // KEY_PAGE + n shows page n
inline constexpr int32_t KEY_NONE = -1;

// The keyboard's densest page: 41 characters and 6 other keys.
inline constexpr int ENTRY_KEY_SLOTS = 48;

inline constexpr int PANEL_BACKGROUND = 0x303030;
inline constexpr int PANEL_TEXT = 0xFFFFFF;
inline constexpr int PANEL_WARNING = 0xF0C040;

// The keys shown now, as button records of the panel's own: they never enter
// the view list.
struct EntryKeys {
  View keys[ENTRY_KEY_SLOTS];
  int count;
};

// What a panel does: `press` acts on a key id (from a touch or a physical
// key) and `draw` paints the whole panel; both run with the panel's surface
// as the screen.
struct EntryPanel {
  EntryKeys* keys;
  void (*press)(int32_t id);
  void (*draw)();
};

// Adds a key with the button theme's colours; false once the slots are full.
bool addEntryKey(EntryKeys* keys, int width, int height, int x, int y, int32_t id,
                 const char* caption);
void drawEntryKeys(EntryKeys* keys);

// Opens the panel over the screen, draws it and serves events until
// finishEntry is called; false at once when a panel is open already or the
// screen is not. The screen is then as before, pixel for pixel.
bool runEntryPanel(const EntryPanel& panel);
// A panel also closes when quit is set meanwhile, as if cancelled.
void finishEntry();

// The key id of a physical key: printable characters, Enter, Escape and
// BackSpace; KEY_NONE for any other.
int32_t keyIdOf(const SDL_keysym& key);
// Characters the font draws as themselves: printable ASCII but the tilde,
// whose glyph is an arrow.
bool isEnterableCharacter(int code);

// Text drawn at the largest scale up to largest at which it fits the box
// both ways (at least 1), cut at the end or, with keepEnd, at the start.
void drawBoxedText(const char* text, int width, int height, int x, int y, int largest, int colour,
                   bool alignRight, bool keepEnd);
