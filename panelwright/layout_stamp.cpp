// What gui.txt looked like on disk when this designer last loaded or saved it,
// to notice that another designer or an editor has written it since.
#include <sys/stat.h>

#include "designer.h"

namespace {
// A file replaced by a rename has a new inode; one edited in place a new size,
// modification time or change time.
struct LayoutStamp {
  bool taken;
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified;
  timespec changed;
};
}  // namespace

static LayoutStamp stamp{};

static bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void stampLayoutFile() {
  struct stat status {};
  if (stat(LAYOUT_FILE, &status) != 0) {
    stamp = LayoutStamp{};
    return;
  }
  stamp = {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

void forgetLayoutStamp() { stamp = LayoutStamp{}; }

// A file removed since holds nothing that a save could lose.
bool layoutFileChangedOnDisk() {
  struct stat status {};
  if (!stamp.taken || stat(LAYOUT_FILE, &status) != 0) return false;
  return status.st_dev != stamp.device || status.st_ino != stamp.inode ||
         status.st_size != stamp.size || !sameTime(status.st_mtim, stamp.modified) ||
         !sameTime(status.st_ctim, stamp.changed);
}
