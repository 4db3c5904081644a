// Panelwright, the layout designer: shared state and operations of its parts
// (start-up and fixed panel, direct manipulation, property panel, saving).
#pragma once

#include <cstdint>

#include "greys.h"
#include "toolkit.h"

// ---------------------------------------------------------------------------
// Designer state

// Snapping step: 1 with the grid off, 16 with it on.
extern int grid;
// List index of the last fixed view; every view above it was placed by the user.
extern int noOfFixViews;
// The selected view: none, window, drawarea, a live palette overlay or a user overlay.
extern View* tempptr;
// Which edges the current drag of a user view resizes.
extern int widthflag;
extern int heightflag;
// The answer of the save alert.
extern int okflag;
extern int cancelflag;

// Fixed views that the designer refers to after start-up.
extern View* window;
extern View* drawfield;
extern View* drawarea;
extern View* labelview;
extern View* buttonview;
extern View* vmeterview;
extern View* hmeterview;
extern View* hsliderview;
extern View* vsliderview;
extern View* numviewview;
extern View* graphicviewview;
extern View* viewview;
extern View* copybutton;
extern View* deletebutton;
extern View* gridbutton;
extern View* loadbutton;
extern View* savebutton;
extern View* quitbutton;
extern View* widthnum;
extern View* heightnum;
extern View* xposnum;
extern View* yposnum;
extern View* incwidth;
extern View* decwidth;
extern View* incheight;
extern View* decheight;
extern View* incxpos;
extern View* decxpos;
extern View* incypos;
extern View* decypos;
extern View* textlabel;
extern View* penlabel;
extern View* bglabel;
extern View* fglabel;
extern View* alertlabel;
extern View* alerttext;
extern View* alertcancel;
extern View* alertyes;

// ---------------------------------------------------------------------------
// Start-up

// Creates the 53 fixed views of the designer's screen, in drawing order.
void createFixedViews();
// Everything main does before its event loop: views, screen, first drawing.
void startPanelwright();

// ---------------------------------------------------------------------------
// Save-under buffers: 400 columns of 600 rows, stored column by column, so
// that the pixel at column c, row r of a captured rectangle is element c * 600 + r.

inline constexpr int BUFFER_COLUMNS = 400;
inline constexpr int BUFFER_ROWS = 600;

// The picture being dragged.
extern int32_t ibuff[BUFFER_COLUMNS * BUFFER_ROWS];
// What lies on the screen under the dragged picture.
extern int32_t jbuff[BUFFER_COLUMNS * BUFFER_ROWS];
extern int ibuffsizex;
extern int ibuffsizey;
extern int jbuffsizex;
extern int jbuffsizey;
extern int jbuffposx;
extern int jbuffposy;

// Only the part of a rectangle that fits the buffer is captured or painted,
// and only the part on the screen is painted; off-screen pixels capture as 0.
void getIBuff(int w, int h, int x, int y);
void getJBuff(int w, int h, int x, int y);
void drawIBuff(int w, int h, int x, int y);
void drawJBuff(int w, int h, int x, int y);
// drawAllViews, after which the screen kept under the last drag picture is out
// of date: a drag that follows without a new press restores nothing.
void redrawAllViews();

// ---------------------------------------------------------------------------
// Selection, placing, moving and resizing

// The smallest list index holding v, or -1.
int viewNumber(const View* v);
bool isUserView(const View* v);
int snapToGrid(int coordinate);
// A view keeps a width and height of at least one pixel: below that it would
// vanish from the screen and the hit test while still being saved.
inline int keptSize(int size) { return size < 1 ? 1 : size; }
// Frames the selected view, unless the selection is none, window or drawarea.
void markActiveView();
void copySelectedView();
void deleteSelectedView();

// ---------------------------------------------------------------------------
// Property panel

// Fills the panel from v without drawing it.
void showProperties(const View* v);
bool isStepper(const View* v);
// Steps the selected user view's geometry by the stepper's one pixel.
void applyStepper(const View* stepper);

// ---------------------------------------------------------------------------
// Saving

inline constexpr const char* LAYOUT_FILE = "gui.txt";

// Asks for confirmation in the alert, then on OK replaces "gui.txt".
void saveGUI();
