// Panelwright, the layout designer: shared state and operations of its parts
// (start-up and fixed panel, commands, direct manipulation, property panel,
// the alert, saving and loading).
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "greys.h"
#include "toolkit.h"

// ---------------------------------------------------------------------------
// Designer state (state.cpp)

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
// A press on a palette entry or a placed view has not been released yet.
extern bool dragging;

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
// The caption above textlabel, which names the field being edited.
extern View* textcaption;
inline constexpr const char* TEXT_CAPTION = "text     pencolor";
inline constexpr const char* ID_CAPTION = "id       pencolor";
extern View* penlabel;
extern View* bglabel;
extern View* fglabel;
extern View* alertlabel;
extern View* alerttext;
extern View* alertcancel;
extern View* alertyes;

// ---------------------------------------------------------------------------
// The canvas (canvas.cpp): 400 by 600 unless the designer was started for
// another panel size. The palette, the property panel and the command buttons
// keep their places relative to the canvas's right edge.

inline constexpr int DEFAULT_CANVAS_WIDTH = 400;
inline constexpr int DEFAULT_CANVAS_HEIGHT = 600;
inline constexpr int MIN_CANVAS_WIDTH = 160;
inline constexpr int MAX_CANVAS_WIDTH = 1280;
inline constexpr int MIN_CANVAS_HEIGHT = 120;
inline constexpr int MAX_CANVAS_HEIGHT = 800;

extern int canvasWidth;
extern int canvasHeight;

bool canvasSizeFits(int width, int height);
// Chooses the canvas before the fixed views are made; false for a size that does not fit.
bool setCanvasSize(int width, int height);
bool isDefaultCanvas();
// The x of a panel element that stands at x beside the default canvas.
int besideCanvas(int x);
// The designer's screen: the canvas with the panel beside it.
int designerWindowWidth();
int designerWindowHeight();
// "800x480", a size that fits; false, and nothing stored, for anything else.
bool parseCanvasSize(const char* text, int* width, int* height);
// The canvas gui.txt in the current folder was made for, so that a designer
// started there without a size goes on with its layout; the default where
// there is no such file, or it names none or one that does not fit (which is
// said on standard error).
LayoutCanvas canvasOfLayoutFile();

// ---------------------------------------------------------------------------
// Start-up (startup.cpp) and the command buttons (commands.cpp)

// Creates the 53 fixed views of the designer's screen, in drawing order.
void createFixedViews();
// Everything main does before its event loop: views, screen, first drawing.
void startPanelwright();

// ---------------------------------------------------------------------------
// Save-under buffers (buffers.cpp): each holds as many columns and rows as the
// canvas, stored column by column, so that the pixel at column c, row r of a
// captured rectangle is element c * canvasHeight + r (c * 600 + r on the
// default canvas). They have room for the largest canvas.

inline constexpr int BUFFER_SIZE = MAX_CANVAS_WIDTH * MAX_CANVAS_HEIGHT;
inline int bufferColumns() { return canvasWidth; }
inline int bufferRows() { return canvasHeight; }

// The picture being dragged.
extern int32_t ibuff[BUFFER_SIZE];
// What lies on the screen under the dragged picture.
extern int32_t jbuff[BUFFER_SIZE];
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
// What a view is to the designer, and the selection (selection.cpp)

// The smallest list index holding v, or -1.
int viewNumber(const View* v);
// A view placed by the user: its list index is above noOfFixViews.
bool isUserView(const View* v);
// The overlay of one of the eight palette entries that a drag places views from.
bool isLivePaletteOverlay(const View* v);
// The palette widget that views of the kind are placed from, or null.
const View* paletteWidgetOf(int32_t type);
int snapToGrid(int coordinate);
// A drag of the whole window or the empty canvas has no picture to move.
bool selectionHasPicture();
// Frames the selected view, unless the selection is none, window or drawarea.
void markActiveView();

// ---------------------------------------------------------------------------
// The user's views: placing and removing them (user_views.cpp)

// How many views a layout holds at most: the toolkit registers at most
// viewListSlots - 1 views, and every placed view takes two, its widget and its overlay.
int userViewCapacity();
// Whether one more view fits; if not, says so on standard error and, unless
// the alert is busy with a question, in the alert.
bool layoutHasRoom();
// Places a copy of the widget at (x, y), followed by its overlay; returns the
// overlay, whose value is the copy's list index.
View* placeUserView(const View* widget, int x, int y);
// Frees every user view; the list holds the fixed views alone again.
void removeUserViews();
// Whether any placed view is on the canvas (not deleted).
bool placedViewsShowing();

// ---------------------------------------------------------------------------
// Moving, resizing, copying and deleting (gestures.cpp)

// A view keeps a width and height of at least one pixel: below that it would
// vanish from the screen and the hit test while still being saved.
inline int keptSize(int size) { return size < 1 ? 1 : size; }
void copySelectedView();
void deleteSelectedView();

// ---------------------------------------------------------------------------
// Property panel (properties.cpp)

// Fills the panel from v without drawing it.
void showProperties(const View* v);
// Empties the panel as at start-up, without drawing it.
void clearProperties();
bool isStepper(const View* v);
// Steps the selected user view's geometry by the stepper's one pixel.
void applyStepper(const View* stepper);

// ---------------------------------------------------------------------------
// The alert box (alert.cpp): a question with Cancel and OK, or a message with
// OK alone. Each waits in a nested event loop for the answer and leaves the
// alert up; hideAlert takes it down and the caller redraws.

inline constexpr const char* SAVE_QUESTION = "Replace previous file?";

bool alertIsUp();
// True for OK, false for Cancel.
bool askInAlert(const char* question);
// The message keeps its first VIEW_TEXT_LENGTH characters, which the alert's
// text label shows whole.
void tellInAlert(const char* message);
void hideAlert();

// ---------------------------------------------------------------------------
// Saving (save.cpp) and loading (load.cpp) the layout file

inline constexpr const char* LAYOUT_FILE = "gui.txt";

// Asks for confirmation in the alert, then on OK replaces "gui.txt". A file
// that cannot be written is reported, and the layout stays for another try.
void saveGUI();
// Names on standard error the backups of gui.txt that saves cut short by a
// kill or a power cut have left.
void tellBackupsLeft();
// Replaces the placed views with those of "gui.txt", asking first when placed
// views are showing. A file that cannot be read changes nothing and is reported.
void loadGUI();

// What a save writes now: a line for every placed view not deleted.
std::string layoutText();

// What gui.txt looks like on disk: a file replaced by a rename has a new
// inode; one edited in place a new size, modification time or change time.
struct LayoutLook {
  bool exists;
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified;
  timespec changed;
};
LayoutLook lookAtLayoutFile();
bool sameLook(const LayoutLook& a, const LayoutLook& b);
// At start-up and after a successful save: gui.txt as it is now. After a
// load: as it was when it was read.
void stampLayoutFile();
void stampLayoutFileAs(const LayoutLook& look);
// Whether gui.txt was written by someone else since this designer stamped it,
// or made since this designer started without one.
bool layoutFileChangedOnDisk();

// ---------------------------------------------------------------------------
// The copy of last resort, gui.txt.save (save_copy.cpp), in the folder of
// gui.txt or, where that cannot be written, in the home folder. A normal save
// never writes it.

// The layout that a signal ending the designer writes if it is unsaved; call
// it whenever the layout may have changed.
void prepareSaveCopy(const std::string& layout, bool unsaved);
enum class SaveCopyPlace { NONE, BESIDE, HOME };
// Writes the copy for a save that failed and says where on standard error.
SaveCopyPlace writeSaveCopy(const std::string& layout);
// SIGINT, SIGTERM and SIGHUP write the copy of an unsaved layout, say where,
// and end the designer as the signal does by default; SIGXFSZ is ignored.
void protectUnsavedWork();
// Keeps the copy that a signal writes up to date with the layout on screen.
void refreshSaveCopy();

// ---------------------------------------------------------------------------
// Undo and redo (history.cpp): each change of the layout is one step.

// Forgets every step; the layout as it stands counts as saved.
void startHistory();
// Records a step if the placed views differ from the last one recorded; call
// it after anything that may have changed the layout.
void noteLayoutChange();
// Both restore the placed views, the selection and the panel as they were, and
// redraw the whole screen; with no step to take they do nothing.
void undoLayoutChange();
void redoLayoutChange();
// The layout as a save would write it is now the one in the file.
void markLayoutSaved();
// Whether a save would write something other than what was last loaded or saved.
bool layoutUnsaved();

// ---------------------------------------------------------------------------
// Keys (keys.cpp), editing texts and ids in place (text_edit.cpp), quitting
// (quitting.cpp)

void designerKeyDown(const SDL_keysym& key);
bool isEditing();
// Drops an edit in progress without committing it, for a designer started afresh.
void forgetEditing();
// Starts editing the text of the selected label or button, if one is selected.
void startEditing();
void editKey(const SDL_keysym& key);
// Commits the edit in progress as one step; nothing when none is.
void finishEditing();
// The Quit button and a release on no view: a changed layout asks first.
void quitDesigner();
// Runs a Quit that came while the alert was busy, once it is answered.
void quitIfAskedMeanwhile();
// Takes the keys and the quit requests, and starts the history afresh.
void startKeysAndHistory();
