// Editing a placed label's or button's text, and a button's id, in place: the
// property panel's text view shows what is typed with a caret after it, and
// the canvas shows the new text as it is typed.
#include <cstdlib>
#include <cstring>

#include "designer.h"

namespace {
enum class Editing { NONE, TEXT, ID };
}  // namespace

// The longest id, "-2147483648".
static constexpr int ID_DIGITS = 11;
// The text view shows six characters: the end of what is typed, then the caret.
static constexpr int SHOWN_CHARACTERS = 6;
static constexpr char CARET = '_';
static constexpr char FIRST_PRINTABLE = ' ';
static constexpr char LAST_PRINTABLE = '~';

static Editing editing = Editing::NONE;
static View* edited = nullptr;
static char originalText[VIEW_TEXT_LENGTH + 1];
static char idText[ID_DIGITS + 1];

bool isEditing() { return editing != Editing::NONE; }

void forgetEditing() {
  editing = Editing::NONE;
  edited = nullptr;
}

static const char* editedCharacters() { return editing == Editing::TEXT ? edited->text : idText; }

static void redrawWithSelection() {
  redrawAllViews();
  markActiveView();
}

static void showEditing() {
  const char* typed = editedCharacters();
  const size_t length = std::strlen(typed);
  const size_t shown = SHOWN_CHARACTERS - 1;
  const size_t start = length > shown ? length - shown : 0;
  std::memcpy(textlabel->text, typed + start, length - start);
  textlabel->text[length - start] = CARET;
  textlabel->text[length - start + 1] = '\0';
  refreshSaveCopy();
  redrawWithSelection();
}

static void startTextEdit() {
  editing = Editing::TEXT;
  std::memcpy(originalText, edited->text, sizeof originalText);
  showEditing();
}

static void startIdEdit() {
  editing = Editing::ID;
  intToString(idText, edited->id);
  showEditing();
}

void startEditing() {
  if (!isUserView(tempptr) || tempptr->status == STATUS_HIDDEN) return;
  edited = getView(tempptr->value);
  if (edited->type != VIEW_LABEL && edited->type != VIEW_BUTTON) return;
  startTextEdit();
}

// An empty id, or a lone minus sign, leaves the id as it was.
static void commitId() {
  if (std::strlen(idText) > (idText[0] == '-' ? 1u : 0u)) {
    edited->id = static_cast<int32_t>(std::strtol(idText, nullptr, 10));
  }
}

void finishEditing() {
  if (editing == Editing::ID) commitId();
  if (!isEditing()) return;
  editing = Editing::NONE;
  showProperties(edited);
  noteLayoutChange();
  redrawWithSelection();
}

static void cancelEditing() {
  if (editing == Editing::TEXT) std::memcpy(edited->text, originalText, sizeof originalText);
  editing = Editing::NONE;
  showProperties(edited);
  refreshSaveCopy();
  redrawWithSelection();
}

// Tab commits what was typed and moves between a button's text and its id.
static void switchField() {
  if (edited->type != VIEW_BUTTON) return;
  const bool toId = editing == Editing::TEXT;
  finishEditing();
  if (toId) {
    startIdEdit();
  } else {
    startTextEdit();
  }
}

static void append(char* field, size_t room, char typed) {
  const size_t length = std::strlen(field);
  if (length >= room) return;
  field[length] = typed;
  field[length + 1] = '\0';
}

static void erase(char* field) {
  const size_t length = std::strlen(field);
  if (length > 0) field[length - 1] = '\0';
}

// Digits, and a minus sign in front only, as long as the id stays an int.
static bool fitsId(char typed) {
  if (typed == '-') return idText[0] == '\0';
  if (typed < '0' || typed > '9') return false;
  char longer[ID_DIGITS + 2];
  std::strcpy(longer, idText);
  append(longer, sizeof longer - 1, typed);
  const long long value = std::strtoll(longer, nullptr, 10);
  return value >= INT32_MIN && value <= INT32_MAX;
}

static void type(char typed) {
  if (editing == Editing::TEXT) {
    append(edited->text, VIEW_TEXT_LENGTH, typed);
  } else if (fitsId(typed)) {
    append(idText, ID_DIGITS, typed);
  }
}

void editKey(const SDL_keysym& key) {
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      finishEditing();
      return;
    case SDLK_ESCAPE:
      cancelEditing();
      return;
    case SDLK_TAB:
      switchField();
      return;
    case SDLK_BACKSPACE:
      erase(editing == Editing::TEXT ? edited->text : idText);
      break;
    default:
      // A shortcut types no letter, whatever character the runtime reports for it.
      if ((key.mod & (KMOD_CTRL | KMOD_ALT)) != 0) return;
      if (key.unicode < FIRST_PRINTABLE || key.unicode > LAST_PRINTABLE) return;
      type(static_cast<char>(key.unicode));
  }
  showEditing();
}
