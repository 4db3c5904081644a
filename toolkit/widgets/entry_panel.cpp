#include "entry_panel.h"

#include <algorithm>
#include <cstring>

#include "entry_session.h"

static constexpr int CHARACTER_ADVANCE = 6;
// Glyph rows with the descenders: the box of a line of text.
static constexpr int LINE_ROWS = 9;
static constexpr int LONGEST_SHOWN_TEXT = 255;

static const EntryPanel* openPanel = nullptr;
static bool finished = false;
static View* pressedKey = nullptr;

bool addEntryKey(EntryKeys* keys, int width, int height, int x, int y, int32_t id,
                 const char* caption) {
  if (keys->count == ENTRY_KEY_SLOTS) return false;
  View& key = keys->keys[keys->count++];
  key = View{VIEW_BUTTON, width,        height,           x,          y, id,
             {},          buttonborder, buttonbackground, buttontext, 0, STATUS_SHOWN};
  std::strncpy(key.text, caption, VIEW_TEXT_LENGTH);
  return true;
}

void drawEntryKeys(EntryKeys* keys) {
  for (int i = 0; i < keys->count; ++i) drawButton(&keys->keys[i]);
}

// As findView: the pixels on a key's edge lie outside it.
static View* keyAt(int x, int y) {
  EntryKeys* keys = openPanel->keys;
  for (int i = 0; i < keys->count; ++i) {
    View& key = keys->keys[i];
    if (key.xpos < x && x < key.xpos + key.width && key.ypos < y && y < key.ypos + key.height) {
      return &key;
    }
  }
  return nullptr;
}

static void showKeyReleased() {
  if (pressedKey == nullptr) return;
  pressedKey->value = 0;
  drawButton(pressedKey);
  pressedKey = nullptr;
}

// A key acts when it is released on after being pressed on, as a button
// shows it: pressed in between.
static void takeInput(const SDL_Event& input) {
  beginPanelDrawing();
  if (input.type == SDL_MOUSEBUTTONDOWN) {
    showKeyReleased();
    pressedKey = keyAt(input.button.x, input.button.y);
    if (pressedKey != nullptr) {
      pressedKey->value = 1;
      drawButton(pressedKey);
    }
  } else if (input.type == SDL_MOUSEBUTTONUP) {
    const View* pressed = pressedKey;
    const View* released = keyAt(input.button.x, input.button.y);
    showKeyReleased();
    if (released != nullptr && released == pressed) openPanel->press(released->id);
  } else if (input.type == SDL_KEYDOWN) {
    const int32_t id = keyIdOf(input.key.keysym);
    if (id != KEY_NONE) openPanel->press(id);
  }
  endPanelDrawing();
}

bool runEntryPanel(const EntryPanel& panel) {
  if (openPanel != nullptr || !openEntrySession(takeInput)) return false;
  openPanel = &panel;
  finished = false;
  pressedKey = nullptr;
  // Typed characters come with SDL's translation, which only a program that
  // receives keys has turned on.
  const int translating = SDL_EnableUNICODE(1);
  beginPanelDrawing();
  panel.draw();
  endPanelDrawing();
  while (!finished && quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_EnableUNICODE(translating);
  openPanel = nullptr;
  closeEntrySession();
  return true;
}

void finishEntry() { finished = true; }

int32_t keyIdOf(const SDL_keysym& key) {
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return KEY_OK;
    case SDLK_ESCAPE:
      return KEY_CANCEL;
    case SDLK_BACKSPACE:
      return KEY_BACK;
    case SDLK_KP_MINUS:
      return '-';
    default:
      break;
  }
  if (key.sym >= SDLK_KP0 && key.sym <= SDLK_KP9) return '0' + (key.sym - SDLK_KP0);
  return isEnterableCharacter(key.unicode) ? key.unicode : KEY_NONE;
}

bool isEnterableCharacter(int code) { return code >= ' ' && code < '~'; }

void drawBoxedText(const char* text, int width, int height, int x, int y, int largest, int colour,
                   bool alignRight, bool keepEnd) {
  const int length = static_cast<int>(std::strlen(text));
  const int widest = length > 0 ? width / (CHARACTER_ADVANCE * length) : largest;
  const int scale = std::max(1, std::min({largest, height / LINE_ROWS, widest}));
  const int shown = std::min({length, width / (CHARACTER_ADVANCE * scale), LONGEST_SHOWN_TEXT});
  char part[LONGEST_SHOWN_TEXT + 1];
  std::memcpy(part, text + (keepEnd ? length - shown : 0), static_cast<size_t>(shown));
  part[shown] = '\0';
  const int left = alignRight ? x + width - CHARACTER_ADVANCE * scale * shown + scale : x + scale;
  drawText(part, left, y + (height - 7 * scale) / 2 + 2 * scale, scale, colour);
}
