// What gui.txt looked like on disk when this designer started, or last loaded
// or saved it, to notice that another designer or an editor has written it since.
#include "designer.h"

static LayoutLook stamp{};

static bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

LayoutLook lookAtLayoutFile() {
  struct stat status {};
  if (stat(LAYOUT_FILE, &status) != 0) return LayoutLook{};
  return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

bool sameLook(const LayoutLook& a, const LayoutLook& b) {
  if (a.exists != b.exists) return false;
  return !a.exists || (a.device == b.device && a.inode == b.inode && a.size == b.size &&
                       sameTime(a.modified, b.modified) && sameTime(a.changed, b.changed));
}

void stampLayoutFile() { stamp = lookAtLayoutFile(); }

void stampLayoutFileAs(const LayoutLook& look) { stamp = look; }

// A file removed since holds nothing that a save could lose.
bool layoutFileChangedOnDisk() {
  const LayoutLook now = lookAtLayoutFile();
  return now.exists && !sameLook(now, stamp);
}
