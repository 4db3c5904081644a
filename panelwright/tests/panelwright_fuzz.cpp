// Event-stream fuzzing of the designer. Whatever the pointer does, every
// placed view is a widget of at least one pixel each way followed by its
// overlay, an answered alert leaves no answer behind, and every layout file
// the designer writes reads back as the views it shows. Saves go to a
// scratch folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "designer.h"
#include "event_stream.h"
#include "view_list_checks.h"

static bool sameRectangle(const View* a, const View* b) {
  return a->width == b->width && a->height == b->height && a->xpos == b->xpos && a->ypos == b->ypos;
}

static void checkPlacedViews() {
  if ((noOfViews() - noOfFixViews - 1) % 2 != 0) {
    fuzzFault("%d views are placed: a widget lacks its overlay", noOfViews() - noOfFixViews - 1);
  }
  for (int i = noOfFixViews + 1; i + 1 < noOfViews(); i += 2) {
    const View* widget = getView(i);
    const View* overlay = getView(i + 1);
    if (widget->width < 1 || widget->height < 1) {
      fuzzFault("placed view %d is %d by %d", i, widget->width, widget->height);
    }
    if (overlay->type != VIEW_PLAIN || overlay->value != i || !sameRectangle(widget, overlay) ||
        overlay->status != widget->status) {
      fuzzFault("view %d is not the overlay of view %d", i + 1, i);
    }
  }
}

// What reading the view's line gives back: the fields its form carries, id 0
// and an empty text where it has none.
static LayoutView expectedLine(const View* v, const LayoutFormat& format) {
  LayoutView expected{0, v->type, v->width, v->height, v->xpos, v->ypos, 0, ""};
  if (format.hasId) expected.id = v->id;
  if (format.hasText) std::memcpy(expected.text, v->text, sizeof expected.text);
  return expected;
}

static bool sameLine(const LayoutView& a, const LayoutView& b) {
  return a.type == b.type && a.width == b.width && a.height == b.height && a.xpos == b.xpos &&
         a.ypos == b.ypos && a.id == b.id && std::strcmp(a.text, b.text) == 0;
}

static void compareLayout(const LayoutView* lines, int count) {
  int line = 0;
  for (int i = noOfFixViews + 1; i < noOfViews(); ++i) {
    const View* v = getView(i);
    const LayoutFormat* format = layoutFormatOf(v->type);
    if (v->status == STATUS_HIDDEN || format == nullptr) continue;
    if (line == count) fuzzFault("the saved layout ends before view %d", i);
    if (!sameLine(lines[line], expectedLine(v, *format))) {
      fuzzFault("line %d of the saved layout does not give back view %d", lines[line].line, i);
    }
    ++line;
  }
  if (line != count) fuzzFault("the saved layout has %d views, the designer shows %d", count, line);
}

// The layout file last read back; a save replaces or rewrites it.
static struct stat lastLayout;

static bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
         a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
         a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Checked as soon as a save has returned: the views are still those it wrote.
static void checkSavedLayout() {
  struct stat now {};
  if (stat(LAYOUT_FILE, &now) != 0) {
    lastLayout = {};
    return;
  }
  if (sameFile(now, lastLayout)) return;
  lastLayout = now;
  static std::vector<LayoutView> lines(static_cast<size_t>(viewListSlots));
  LayoutError error{};
  const int count = readLayout(LAYOUT_FILE, lines.data(), viewListSlots, &error);
  if (count < 0) {
    char reason[512];
    describeLayoutError(&error, reason, sizeof reason);
    fuzzFault("the saved layout does not read back: %s", reason);
  }
  compareLayout(lines.data(), count);
}

void checkProgramInvariants() {
  checkViewList();
  checkPlacedViews();
  if (grid != 1 && grid != 16) fuzzFault("the grid is %d", grid);
  if (alertlabel->status == STATUS_HIDDEN && (okflag != 0 || cancelflag != 0)) {
    fuzzFault("an answer is left over from a closed alert");
  }
  checkSavedLayout();
}

// A point of the button where a release reaches it; false when views placed
// over it hide all of it.
static bool reachablePoint(View* button, SDL_Event* release) {
  if (button->status != STATUS_SHOWN) return false;
  for (int y = button->ypos + 1; y < button->ypos + button->height; ++y) {
    for (int x = button->xpos + 1; x < button->xpos + button->width; ++x) {
      if (findView(x, y) != button) continue;
      *release = SDL_Event{};
      release->button = {SDL_MOUSEBUTTONUP,      0,
                         SDL_BUTTON_LEFT,        SDL_RELEASED,
                         static_cast<Uint16>(x), static_cast<Uint16>(y)};
      return true;
    }
  }
  return false;
}

// The save alert waits for Cancel or OK. Where placed views hide both, a
// person would first move them away; the stream has no events left for
// that, so Cancel's answer is given directly.
void answerNestedLoop() {
  SDL_Event release;
  if (reachablePoint(alertcancel, &release) || reachablePoint(alertyes, &release)) {
    if (SDL_PushEvent(&release) != 0) fuzzFault("SDL's queue refused the answer");
    return;
  }
  cancelflag = 1;
}

// The folder every stream saves into, and the one to return to.
static std::string scratch;
static int home = -1;

static void removeScratch() {
  if (DIR* folder = opendir(scratch.c_str())) {
    while (const dirent* entry = readdir(folder)) {
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
        unlinkat(dirfd(folder), entry->d_name, 0);
      }
    }
    closedir(folder);
  }
  rmdir(scratch.c_str());
}

static void enterScratch() {
  if (scratch.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/panelwright-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) fuzzFault("cannot make a scratch folder");
    scratch = pattern;
    std::atexit(removeScratch);
  }
  home = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (home < 0 || chdir(scratch.c_str()) != 0) fuzzFault("cannot enter %s", scratch.c_str());
  unlink(LAYOUT_FILE);
  lastLayout = {};
}

// A save leaves "gui.txt" behind and nothing else.
static void leaveScratch() {
  DIR* folder = opendir(".");
  while (const dirent* entry = folder != nullptr ? readdir(folder) : nullptr) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
        std::strcmp(name, LAYOUT_FILE) != 0) {
      fuzzFault("the save left %s behind", name);
    }
  }
  if (folder != nullptr) closedir(folder);
  if (fchdir(home) != 0) fuzzFault("cannot return to the starting folder");
  close(home);
}

static void startDesigner() {
  freeViews();
  grid = 1;
  tempptr = nullptr;
  widthflag = heightflag = okflag = cancelflag = 0;
  ibuffsizex = ibuffsizey = jbuffsizex = jbuffsizey = jbuffposx = jbuffposy = 0;
  startPanelwright();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  enterScratch();
  startDesigner();
  runEventStream(data, size);
  leaveScratch();
  return 0;
}
