// Saving the layout: after the alert's question, every placed view's line goes
// to "gui.txt", which is replaced whole only once the new layout is written.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "designer.h"

namespace fs = std::filesystem;

// Asked instead of the usual question when another designer or an editor has
// written gui.txt since this designer last loaded or saved it.
static constexpr const char* CHANGED_QUESTION = "Replace changed gui.txt?";

// Short forms of the failures, for the alert's text label.
static constexpr const char* CANNOT_OPEN = "Can't open gui.txt!";
static constexpr const char* CANNOT_WRITE = "Can't write gui.txt!";

// As many as the system follows when opening a path.
static constexpr int MOST_LINKS_FOLLOWED = 40;

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

// The file that a write through the path reaches: the path itself, or the end
// of its chain of symbolic links, which need not exist yet. False for a chain
// that does not end.
static bool followLinks(fs::path* path) {
  for (int hop = 0; hop < MOST_LINKS_FOLLOWED; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(*path, error)) return true;
    const fs::path target = fs::read_symlink(*path, error);
    if (error) return false;
    // A relative link is relative to its own folder; an absolute one replaces the path.
    *path = path->parent_path() / target;
  }
  return false;
}

// An existing layout file that we may not write (read-only, a directory) must
// not be silently replaced by the rename.
static bool writableOrMissing(const fs::path& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  close(fd);
  return true;
}

static bool flushedToDisk(FILE* file) {
  return std::fflush(file) == 0 && std::ferror(file) == 0 && fsync(fileno(file)) == 0;
}

// What a file created with fopen would get: read and write for all, less the umask.
static mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Where no scratch file can be made next to it (a folder we may not add to),
// or where the file is no regular file (a device a link leads to), the layout
// is written where it stands.
static const char* writeLayoutInPlace(const fs::path& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return cannotOpen();
  writeLayout(file);
  const bool written = flushedToDisk(file);
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "Could not write output file %s completely\n", LAYOUT_FILE);
    return CANNOT_WRITE;
  }
  return nullptr;
}

// The scratch file gets a name of its own, created exclusively, so that no
// file or link planted beside the layout is followed or overwritten.
static const char* writeLayoutThroughScratch(const fs::path& path, const mode_t mode) {
  std::string scratch = path.string() + ".XXXXXX";
  const int fd = mkostemp(scratch.data(), O_CLOEXEC);
  if (fd < 0) return writeLayoutInPlace(path);
  // A folder that keeps no permissions (vfat) still takes the layout.
  fchmod(fd, mode);
  FILE* file = fdopen(fd, "w");
  bool written = file != nullptr;
  if (written) {
    writeLayout(file);
    written = flushedToDisk(file);
    written = std::fclose(file) == 0 && written;
  } else {
    close(fd);
  }
  if (!written || std::rename(scratch.c_str(), path.c_str()) != 0) {
    unlink(scratch.c_str());
    std::fprintf(stderr, "Could not write output file %s; the previous one is kept\n", LAYOUT_FILE);
    return CANNOT_WRITE;
  }
  return nullptr;
}

// Writes the layout; null when it is written, else the failure's short form.
// Through a symbolic link, the link stays and the file it leads to is replaced,
// keeping its permission bits.
static const char* replaceLayoutFile() {
  fs::path path = LAYOUT_FILE;
  if (!followLinks(&path) || !writableOrMissing(path)) return cannotOpen();
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return writeLayoutThroughScratch(path, newFileMode());
  if (!S_ISREG(status.st_mode)) return writeLayoutInPlace(path);
  return writeLayoutThroughScratch(path, status.st_mode & 0777);
}

void saveGUI() {
  // A second Save while the alert is up would nest another alert in this one.
  if (alertIsUp()) return;
  if (askInAlert(layoutFileChangedOnDisk() ? CHANGED_QUESTION : SAVE_QUESTION)) {
    if (const char* failure = replaceLayoutFile()) {
      tellInAlert(failure);
    } else {
      markLayoutSaved();
      stampLayoutFile();
    }
  }
  hideAlert();
  redrawAllViews();
}
