// Saving the layout: after the alert's question, every placed view's line goes
// to "gui.txt", which is replaced whole only once the new layout is written.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "designer.h"

static constexpr const char* SCRATCH_FILE = "gui.txt.tmp";

// Short forms of the failures, for the alert's text label.
static constexpr const char* CANNOT_OPEN = "Can't open gui.txt!";
static constexpr const char* CANNOT_WRITE = "Can't write gui.txt!";

static void writeLayout(FILE* file) {
  for (int i = noOfFixViews + 1; i < noOfViews(); ++i) {
    const View* v = getView(i);
    char line[LAYOUT_LINE_SIZE];
    if (v->status != STATUS_HIDDEN && formatLayoutLine(v, line) > 0) std::fputs(line, file);
  }
}

static const char* cannotOpen() {
  std::fprintf(stderr, "Can't open output file %s!\n", LAYOUT_FILE);
  return CANNOT_OPEN;
}

// An existing layout file that we may not write (read-only, a directory) must
// not be silently replaced by the rename.
static bool layoutFileWritable() {
  const int fd = open(LAYOUT_FILE, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  close(fd);
  return true;
}

static bool flushedToDisk(FILE* file) {
  return std::fflush(file) == 0 && std::ferror(file) == 0 && fsync(fileno(file)) == 0;
}

// Where no scratch file can be made next to it (a folder we may not add to),
// a layout file that we may write is rewritten where it stands.
static const char* writeLayoutInPlace() {
  FILE* file = std::fopen(LAYOUT_FILE, "w");
  if (file == nullptr) return cannotOpen();
  writeLayout(file);
  const bool written = flushedToDisk(file);
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "Could not write output file %s completely\n", LAYOUT_FILE);
    return CANNOT_WRITE;
  }
  return nullptr;
}

// The layout goes to a scratch file first and replaces "gui.txt" only once it
// is complete, so a failed write never leaves a truncated layout behind.
// Returns null when the layout is written, else the failure's short form.
static const char* replaceLayoutFile() {
  if (!layoutFileWritable()) return cannotOpen();
  FILE* file = std::fopen(SCRATCH_FILE, "w");
  if (file == nullptr) return writeLayoutInPlace();
  writeLayout(file);
  const bool written = flushedToDisk(file);
  if (std::fclose(file) != 0 || !written || std::rename(SCRATCH_FILE, LAYOUT_FILE) != 0) {
    std::remove(SCRATCH_FILE);
    std::fprintf(stderr, "Could not write output file %s; the previous one is kept\n", LAYOUT_FILE);
    return CANNOT_WRITE;
  }
  return nullptr;
}

void saveGUI() {
  // A second Save while the alert is up would nest another alert in this one.
  if (alertIsUp()) return;
  if (askInAlert(SAVE_QUESTION)) {
    if (const char* failure = replaceLayoutFile()) tellInAlert(failure);
  }
  hideAlert();
  redrawAllViews();
}
