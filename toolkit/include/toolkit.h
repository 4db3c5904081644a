// The widget toolkit: views, the screen surface, drawing primitives, the bitmap
// font, widgets and the touch-driven event loop. Everything a program needs is
// declared here; docs/guide.md explains how the parts work together.
//
// A program linking the toolkit defines, besides its main():
//   - the seven application call-backs (viewDownEvent ... drawGraphicView);
//   - its screen size (setScreenSize, below, may choose another at run time)
//     and view-list capacity:
//         const int screenWidth = 400;
//         const int screenHeight = 600;
//         View* viewList[80];
//         const int viewListSlots = 80;
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Version of the toolkit (major.minor.patch), the same as its package's.

inline constexpr int TOOLKIT_VERSION_MAJOR = 0;
inline constexpr int TOOLKIT_VERSION_MINOR = 4;
inline constexpr int TOOLKIT_VERSION_PATCH = 0;

// ---------------------------------------------------------------------------
// View record and view list

inline constexpr int32_t VIEW_PLAIN = 0;
inline constexpr int32_t VIEW_BUTTON = 1;
inline constexpr int32_t VIEW_LABEL = 2;
inline constexpr int32_t VIEW_NUMVIEW = 3;
inline constexpr int32_t VIEW_GRAPHIC = 4;
inline constexpr int32_t VIEW_VMETER = 5;
inline constexpr int32_t VIEW_HMETER = 6;
inline constexpr int32_t VIEW_VSLIDER = 7;
inline constexpr int32_t VIEW_HSLIDER = 8;

inline constexpr int8_t STATUS_SHOWN = 1;
inline constexpr int8_t STATUS_DISABLED = 0;
inline constexpr int8_t STATUS_HIDDEN = -1;

// A colour field holding COLOR_NONE leaves its element out of the drawing.
inline constexpr int32_t COLOR_NONE = -1;

inline constexpr int VIEW_TEXT_LENGTH = 24;

struct View {
  int32_t type;
  int32_t width;
  int32_t height;
  int32_t xpos;
  int32_t ypos;
  int32_t id;
  char text[VIEW_TEXT_LENGTH + 1];
  int32_t border;
  int32_t background;
  int32_t foreground;
  int32_t value;
  int8_t status;
};

// Bound when the program is linked.
extern const int screenWidth;
extern const int screenHeight;
extern View* viewList[];
extern const int viewListSlots;

// Number of registered views. The list registers at most viewListSlots - 1.
extern int32_t no_of_views;

// Allocates and returns a new view. Once the list holds its most registered
// views, the record still goes into the last slot but is not counted. The
// status argument is ignored: every new view starts as STATUS_SHOWN.
View* insertView(int type, int width, int height, int xpos, int ypos, int id, const char* text,
                 int border, int background, int foreground, int value, int8_t status);
int noOfViews();
View* getView(int index);
// Frees the views from list index first on and shortens the list to first
// views, so that the freed slots serve new views. Pointers kept to the freed
// views dangle afterwards.
void removeViewsFrom(int first);
// The last-created shown view strictly containing the point, or null.
View* findView(int x, int y);

// ---------------------------------------------------------------------------
// Screen surface

extern SDL_Surface* screen;

// Opens the full-screen surface; on failure prints one line and exits with 1.
void initGraphics();
// The bracket around every drawing operation: enterGraphics locks the surface
// where SDL needs it; exitGraphics unlocks it and flips the whole screen (in
// the per-event mode, below, it marks the screen changed instead).
void enterGraphics();
void exitGraphics();

// Pixels outside the surface are ignored on write and read as 0.
inline void setPixel(int x, int y, int colour) {
  if (static_cast<unsigned>(x) < static_cast<unsigned>(screen->w) &&
      static_cast<unsigned>(y) < static_cast<unsigned>(screen->h)) {
    static_cast<uint32_t*>(screen->pixels)[y * (screen->pitch / 4) + x] =
        static_cast<uint32_t>(colour);
  }
}

// Shapes worked out in 64 bits reach the int-taking primitives as the nearest
// int: a coordinate beyond the int range lies far off every surface, and a
// size or position held at its end stays off the surface too.
inline int saturatedCoordinate(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int>(value);
}

inline int getPixel(int x, int y) {
  if (static_cast<unsigned>(x) < static_cast<unsigned>(screen->w) &&
      static_cast<unsigned>(y) < static_cast<unsigned>(screen->h)) {
    return static_cast<int>(
        static_cast<const uint32_t*>(screen->pixels)[y * (screen->pitch / 4) + x]);
  }
  return 0;
}

void fillScreen(int colour);
void fillView(View* view, int colour);

// ---------------------------------------------------------------------------
// Window

inline constexpr int WINDOW_TITLE_LENGTH = 63;

// Names the window (the program's name until a program names it otherwise),
// before or after initGraphics. Returns false and keeps the title when the
// new one is longer than WINDOW_TITLE_LENGTH characters.
bool setWindowTitle(const char* title);
// Hides the mouse pointer (false) or shows it again (true), before or after
// initGraphics: a kiosk on a touch panel hides it. Touches arrive either way.
void showPointer(bool shown);

// ---------------------------------------------------------------------------
// Rotation and scale
//
// A panel mounted on its side shows the program's screen turned, while the
// program goes on drawing on its own width by height screen and receives
// touches in its own coordinates. The window is the turned size (height by
// width at 90 and 270 degrees); every presentation turns the whole screen into
// it, and every press, release and drag is turned back before the hit test.
// Whoever mounts the panel sets KIOSKTK_ROTATION (0, 90, 180 or 270), which
// wins over the program's call, and KIOSKTK_SCALE (1 to 4) to show each pixel
// as a block of that side; initGraphics ends the program with one line on
// standard error and exit status 2 on any other value.

// Turns the shown picture clockwise by degrees: 0, 90, 180 or 270. Call it
// before initGraphics; false, and nothing changed, for any other angle or
// once the screen is open.
bool setRotation(int degrees);

// ---------------------------------------------------------------------------
// Event loop and touch dispatch

extern SDL_Event event;
extern int32_t quit;

// Dispatches every queued event and returns when the queue is empty; it never
// waits. In the per-event mode it presents the screen before each poll.
void eventLoop();
void touchDownEvent(int x, int y);
void touchUpEvent(int x, int y);
void touchMotionEvent(int x, int y);

// Application call-backs, defined by every program. x and y are relative to
// the view's top-left corner.
void viewDownEvent(View* view, int x, int y);
void viewUpEvent(View* view, int x, int y);
void viewMotionEvent(View* view, int x, int y);
void buttonDownEvent(View* view);
void buttonUpEvent(View* view);
void sliderMoveEvent(View* view);
void drawGraphicView(View* view);

// Keys, for the programs that ask for them. Until a program passes a handler,
// key presses do nothing; with one, every key press reaches it, and SDL's
// Unicode translation fills the key's unicode field with the typed character.
// Call it after initGraphics, since opening the screen resets the translation.
using KeyHandler = void (*)(const SDL_keysym& key);
void receiveKeys(KeyHandler handler);
void keyDownEvent(const SDL_keysym& key);

// A release on no view, or the window's close button, asks to end the
// program: by default quit is set at once; a program with work to lose may
// take the request and decide itself.
using QuitHandler = void (*)();
void receiveQuitRequests(QuitHandler handler);
void requestQuit();

// ---------------------------------------------------------------------------
// Presentation and waiting
//
// By default every drawing operation flips the whole screen, so whatever is
// drawn shows at once, and the main loop polls without pause. A program that
// sets Presentation::PER_EVENT before it draws anything shows its screen once
// per handled event instead: drawing marks the screen changed, and eventLoop
// presents it before it polls again, so the start-up drawing shows when the
// loop first runs and a nested eventLoop shows what its caller drew before it
// waits for an answer. An idle program sleeps when its main loop is
//     while (quit == 0) {
//       waitForEvent(WAIT_UNTIL_EVENT);
//       eventLoop();
//     }

enum class Presentation : int32_t {
  PER_DRAWING,  // every exitGraphics flips: the default
  PER_EVENT,    // once per handled event, and whenever presentScreen is called
};

// Chooses when the screen is shown; going back to PER_DRAWING shows at once
// whatever is pending.
void setPresentation(Presentation mode);
// Shows now what was drawn since the last presentation: for a call-back that
// draws and then works or blocks before returning. Does nothing when nothing
// waits to be shown, as always in the default mode.
void presentScreen();

inline constexpr int WAIT_UNTIL_EVENT = -1;
// Presents anything pending, then waits until an event is queued, timeoutMs
// milliseconds have passed (a negative timeout: no limit), a timer is due or a
// watched file can be read (below). True when an event waits; the next
// eventLoop dispatches it, and serves the timer or the file. On an X display
// the wait blocks on the display's connection; elsewhere it looks every 4 ms.
bool waitForEvent(int timeoutMs);

// ---------------------------------------------------------------------------
// Timers and watched files
//
// Served by eventLoop, on the program's own thread, after the queued events:
// a program whose loop is waitForEvent and eventLoop sleeps until the next
// one is due, and one that spins on eventLoop alone gets them too. A nested
// eventLoop (a dialog waiting for its answer) serves them as well, except
// the timer or file whose handler is running.

using TimerHandler = void (*)(void* data);
inline constexpr int MOST_TIMERS = 32;

// Calls handler(data) every periodMs milliseconds from now on until the timer
// is removed. The n-th call is due at the start plus n periods; calls missed
// while the program was busy are skipped, not made up in a burst. Returns the
// timer's id, above 0, or 0 for a period below 1, no handler, or when
// MOST_TIMERS are running. A handler may add and remove timers, its own too.
int addTimer(int periodMs, TimerHandler handler, void* data);
// False when no timer has that id.
bool removeTimer(int id);

using FileHandler = void (*)(int fd, void* data);
inline constexpr int MOST_WATCHED_FILES = 32;

// Calls handler(fd, data) whenever fd (a pipe, a socket, a serial line, a
// FIFO) has data to read or has reached its end, until it is unwatched. The
// handler reads what there is; at the end of the file it unwatches it, or it
// is called again at once. Watching a file again changes its handler. False
// for a negative fd, no handler, or when MOST_WATCHED_FILES are watched. A
// file closed while watched is forgotten.
bool watchFile(int fd, FileHandler handler, void* data);
// False when the file was not watched.
bool unwatchFile(int fd);

// ---------------------------------------------------------------------------
// Ids and clean updates

// The first registered view with that id, or null. Every kind has an id: a
// button's is its constructor's argument, others start at 0 and take one by
// assignment, or from "->id = N" after their line in a layout file.
View* findViewById(int id);
// Store a new text (cut at VIEW_TEXT_LENGTH characters) or value and show the
// view anew with nothing of the old one left, whatever its colours: where it
// draws (its rectangle, the descenders of its text, a meter's numbers) is
// filled with the colour of the last fillScreen, and the views that reach
// there are drawn again in list order, the view among them. Nothing else
// changes, and the screen is presented once. A hidden view, or any before
// initGraphics, only stores the new content.
void setViewText(View* view, const char* text);
void setViewNumber(View* view, int number);
// Shows or hides the view the same way: hidden, what lies beneath it shows.
void setViewShown(View* view, bool shown);

// ---------------------------------------------------------------------------
// Drawing primitives

// Square pen of side 2 * (size / 2) + 1 centred on (x, y); the caller brackets.
void drawBlock(int x, int y, int size, int colour);
void drawLine(int x1, int y1, int x2, int y2, int thickness, int colour);
void drawRectangle(int width, int height, int x, int y, int thickness, int colour);
void drawFilledRectangle(int width, int height, int x, int y, int colour);
// The toolkit's square-root approximation.
double sqr(float value);

void drawRoundedRectangle(int width, int height, int x, int y, int colour);
void drawFilledRoundedRectangle(int width, int height, int x, int y, int colour);
void drawEllipse(int width, int height, int x, int y, int colour);
void drawFilledEllipse(int width, int height, int x, int y, int colour);

// Column-anchored fill of the area of the seed pixel's colour.
void fillArea(int x, int y, int colour);

// ---------------------------------------------------------------------------
// Bitmap font and text

inline constexpr int FONT5_GLYPHS = 96;
inline constexpr int FONT5_GLYPH_BYTES = 35;
extern const uint8_t font5[FONT5_GLYPHS * FONT5_GLYPH_BYTES];

// (x, y) is the pen centre of glyph column 0, row 2; the caller brackets.
void drawChar5(char ch, int x, int y, int size, int colour);
void drawText(const char* text, int x, int y, int size, int colour);
// dst must hold at least 12 bytes.
void intToString(char* dst, int n);

// ---------------------------------------------------------------------------
// Widgets

extern int32_t buttonborder;
extern int32_t buttonbackground;
extern int32_t buttontext;
extern int32_t labelborder;
extern int32_t labelbackground;
extern int32_t labeltext;
extern int32_t numborder;
extern int32_t numbackground;
extern int32_t numtext;
extern int32_t meterborder;
extern int32_t meterbackground;
extern int32_t meterforeground;
extern int32_t sliderborder;
extern int32_t sliderbackground;
extern int32_t sliderforeground;

View* newView(int width, int height, int xpos, int ypos);
View* newButton(int width, int height, int xpos, int ypos, int id, const char* text);
View* newLabel(int width, int height, int xpos, int ypos, const char* text);
View* newNumView(int width, int height, int xpos, int ypos, const char* text = "");
View* newGraphicView(int width, int height, int xpos, int ypos);
// Range arguments keep their low 8 bits: maximum, minimum, current value.
View* newVMeter(int width, int height, int xpos, int ypos, int maximum = 100, int minimum = 0,
                int current = 50);
View* newHMeter(int width, int height, int xpos, int ypos, int maximum = 100, int minimum = 0,
                int current = 50);
View* newVSlider(int width, int height, int xpos, int ypos, int maximum = 100, int minimum = 0,
                 int current = 50);
View* newHSlider(int width, int height, int xpos, int ypos, int maximum = 100, int minimum = 0,
                 int current = 50);

void setButtonTheme(int border, int background, int text);
void setMeterValue(View* view, int current);
void setSliderValue(View* view, int current);

// The packed value: maximum in bits 16-23, minimum in 8-15, current in 0-7.
int packedMaximum(int32_t value);
int packedMinimum(int32_t value);
int packedCurrent(int32_t value);
// Where the current value lies between minimum (0) and maximum (1).
float valueFraction(int32_t value);
// trunc((length - 5) * fraction): a meter's bar, a slider's knob travel.
int indicatorLength(int length, float fraction);
// The slider value for a drag to the screen point (px, py) inside it.
int sliderDragValue(const View* slider, int px, int py);

void drawLabel(View* view);
void drawNumView(View* view);
void drawButton(View* view);
void drawVMeter(View* view);
void drawHMeter(View* view);
void drawVSlider(View* view);
void drawHSlider(View* view);

void drawView(View* view);
void drawAllViews();

// ---------------------------------------------------------------------------
// Layout files
//
// The designer saves a layout as one constructor call per line, in placement
// order, for example:
//     newLabel(80, 32, 96, 64, " Label");
//     newButton(80, 32, 208, 304, 0, "Button");
//     newVMeter(32, 64, 48, 160);
// Positions are the designer's screen coordinates: its canvas starts at (20, 20).
// Reading accepts exactly these eight forms, with spaces or tabs around tokens,
// CRLF line ends, blank lines, comment lines starting with // (see the layout
// canvas, below) and a last line without a line feed. Numbers are
// decimal without a leading zero (C++ reads "010" as octal). A text is what
// stands between its quotes, at most 24 characters, with \" for a quote and
// \\ for a backslash as in C++; any other backslash is refused. A view of a
// kind whose constructor takes no id, with an id other than 0, is written as
//     newNumView(80, 32, 96, 64)->id = 7;
// and read back the same way; an id of 0 is not written.

// How a kind is written: its constructor and whether the id and the text follow
// the four geometry numbers.
struct LayoutFormat {
  int32_t type;
  const char* constructor;
  bool hasId;
  bool hasText;
};

inline constexpr LayoutFormat LAYOUT_FORMATS[] = {
    {VIEW_LABEL, "newLabel", false, true},      {VIEW_BUTTON, "newButton", true, true},
    {VIEW_NUMVIEW, "newNumView", false, false}, {VIEW_GRAPHIC, "newGraphicView", false, false},
    {VIEW_VMETER, "newVMeter", false, false},   {VIEW_HMETER, "newHMeter", false, false},
    {VIEW_VSLIDER, "newVSlider", false, false}, {VIEW_HSLIDER, "newHSlider", false, false},
};

// The format of a kind, or null for kinds a layout never holds (VIEW_PLAIN).
const LayoutFormat* layoutFormatOf(int32_t type);

// Longest line a view can give, line feed and terminating zero included.
inline constexpr int LAYOUT_LINE_SIZE = 133;

// Writes the view's line, ended by a line feed, into line (LAYOUT_LINE_SIZE
// bytes); returns its length, or 0 for a kind a layout never holds.
int formatLayoutLine(const View* view, char* line);

// One view of a layout file: the fields its line gives (id 0 and an empty text
// where the line has none) and the line's number.
struct LayoutView {
  int32_t line;  // where it stands in its file, counting from 1
  int32_t type;
  int32_t width;
  int32_t height;
  int32_t xpos;
  int32_t ypos;
  int32_t id;
  char text[VIEW_TEXT_LENGTH + 1];
};

// What kind of fault refused a layout, for a program that tells its user in
// fewer words than the reason.
enum class LayoutFault : int32_t {
  NONE,
  NO_FILE,          // there is no file of that name
  UNREADABLE_FILE,  // a folder, a device, too large, not permitted, changing
  BAD_LINE,         // a line of another form, a number out of range, a size below 1
  TOO_MANY_VIEWS,   // more views than the view list can hold
};

// Why a layout was refused: the file, the line (0 when the file as a whole is
// at fault) and what is wrong there.
struct LayoutError {
  char file[256];
  int line;
  char reason[64];
  LayoutFault fault;
};

// Larger files are refused unread: a layout of a full view list is a few kilobytes.
inline constexpr long LAYOUT_FILE_LIMIT = 1 << 20;

// Parses a whole layout text into at most capacity views. Returns the number of
// views, or -1 with *error filled (its file left empty) if any line is bad or
// there are more views than capacity.
int parseLayout(const char* text, size_t length, LayoutView* views, int capacity,
                LayoutError* error);
// Reads the file and parses it the same way; a missing or unreadable file is
// refused as a whole.
int readLayout(const char* path, LayoutView* views, int capacity, LayoutError* error);
// "gui.txt line 3: width below 1", or "gui.txt: no such file" for line 0; at
// most size bytes with the terminating zero.
void describeLayoutError(const LayoutError* error, char* message, size_t size);

// Creates the views of a layout file with the widget constructors, in file
// order, each moved by (dx, dy): a program passes -20, -20 to place the views
// where they stood on the designer's canvas. Returns the number of views made,
// or -1 with *error filled and no view made, also when the list cannot hold
// them all or a moved position leaves the int range.
int loadLayout(const char* path, int dx, int dy, LayoutError* error);

// ---------------------------------------------------------------------------
// Screen size chosen at run time, and the canvas a layout was made for
//
// A program opens the screen at its link-time screenWidth by screenHeight
// unless it chooses another size before initGraphics, for example the size of
// the panel a layout was designed for:
//     int width = 0, height = 0;
//     LayoutError error{};
//     if (readLayoutCanvas("gui.txt", &width, &height, &error)) setScreenSize(width, height);

// SDL 1.2 keeps a surface's row length in bytes in 16 bits: 8192 pixels of 4
// bytes stay well inside it.
inline constexpr int SCREEN_SIZE_LIMIT = 8192;

// Chooses the size initGraphics opens. Returns false and keeps the size for a
// width or height outside 1 to SCREEN_SIZE_LIMIT, and once the screen is open.
bool setScreenSize(int width, int height);

// A layout designed on a canvas other than the default one starts with the
// line "// canvas WxH" (800x480, say); a layout without it was made on the
// designer's default 400 by 600 canvas. The reader takes the canvas line only
// as the first line; anywhere else it is a comment like any other.
struct LayoutCanvas {
  int32_t width;
  int32_t height;
};
inline constexpr LayoutCanvas DEFAULT_LAYOUT_CANVAS = {400, 600};

// The canvas the layout text names, or the default where its first line is no
// canvas line. Returns false with *error filled (its file left empty) when the
// first line is a canvas line that is not "// canvas WxH" with W and H from 1
// to SCREEN_SIZE_LIMIT; the rest of the text is not looked at.
bool parseLayoutCanvas(const char* text, size_t length, LayoutCanvas* canvas, LayoutError* error);
// The same for a file, which is refused as readLayout refuses it when it is
// missing or unreadable.
bool readLayoutCanvas(const char* path, int* width, int* height, LayoutError* error);

// ---------------------------------------------------------------------------
// Images
//
// A picture read from a PNG file (grey, palette, RGB, with or without alpha, 8
// or 16 bits a channel) or an uncompressed BMP (8 bits with a palette, 24 or
// 32 bits). Loading gives null when the file is missing, unreadable, truncated,
// corrupt or larger than IMAGE_SIZE_LIMIT either way; imageError() then says
// why, in a few words to print after the file's name.

struct Image;

inline constexpr uint32_t IMAGE_SIZE_LIMIT = 4096;

Image* loadImage(const char* path);
// The same from a file's bytes already in memory (a picture built into the
// program).
Image* loadImageFromMemory(const void* data, size_t size);
// Why the last load gave null: "no such file", "truncated BMP", ...
const char* imageError();
int imageWidth(const Image* image);
int imageHeight(const Image* image);
// Draws the picture with its top-left corner at (x, y), clipped to the screen,
// and presents it like every drawing operation. Opaque pixels are copied
// exactly and transparent ones leave the screen as it is; a pixel of alpha a
// between mixes each channel as (picture * a + screen * (255 - a) + 127) / 255.
// A null image draws nothing.
void drawImage(const Image* image, int x, int y);
// Frees the picture; null is ignored.
void freeImage(Image* image);

// ---------------------------------------------------------------------------
// Touch entry
//
// A kiosk has no keyboard: these open a panel over the whole screen, wait in
// a loop of their own until it is answered and return. Meanwhile the
// program's views get no touches and keys; anything else keeps being served,
// and what the program draws meanwhile shows once the panel closes, never
// over it. Closed, the screen and the view list are exactly as before. Keys
// take the button theme's colours and the typed text the number view's. A
// physical keyboard works too: Enter answers OK, Escape Cancel, BackSpace takes
// the last character back. Call them from a release (buttonUpEvent), so that
// no press waits for its release meanwhile. False at once when a panel is open
// already or the screen is not; a panel also closes, as if cancelled, when
// quit is set while it is open.

// A keypad for a number from minimum to maximum: on a W by H screen a 3 by 4
// grid of keys W / 3 wide and H / 6 high from y = H / 3 (1 to 9, then Back, 0,
// OK), Cancel at the top right, the title at the top left, a sign key at
// (0, H / 6) where minimum is below 0, and the number typed so far. It starts
// from *value, which the first digit replaces (keeping the sign only if the
// sign key was pressed before it); digits beyond those the range needs are
// not taken, and OK outside the range shows the range and waits. True with
// *value set on OK; false with *value untouched on Cancel, or when minimum is
// above maximum.
bool enterNumber(const char* title, int* value, int minimum, int maximum);
// A keyboard for a text of at most capacity - 1 characters (and at most 255),
// starting from the text there: pages of letters, shifted letters and digits
// with signs, space, Back, OK and Cancel. Every printable ASCII character but
// the tilde (which the font draws as an arrow) can be typed. True with the
// text written on OK; false with it untouched on Cancel.
bool enterText(const char* title, char* text, int capacity);
