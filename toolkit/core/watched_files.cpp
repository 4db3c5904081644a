// Files whose data wakes the program: each is polled with the display's
// connection while the program waits, and served by eventLoop.
#include "live.h"
#include "toolkit.h"

namespace {
struct WatchedFile {
  int fd;  // -1 for a free slot
  FileHandler handler;
  void* data;
  bool serving;  // its handler has not returned yet
};
}  // namespace

static WatchedFile files[MOST_WATCHED_FILES] = {};
static int watchedCount = 0;

static WatchedFile* watchOf(int fd) {
  for (int i = 0; i < watchedCount; ++i) {
    if (files[i].fd == fd) return &files[i];
  }
  return nullptr;
}

bool watchFile(int fd, FileHandler handler, void* data) {
  if (fd < 0 || handler == nullptr) return false;
  if (WatchedFile* watched = watchOf(fd)) {
    watched->handler = handler;
    watched->data = data;
    return true;
  }
  if (watchedCount == MOST_WATCHED_FILES) return false;
  files[watchedCount++] = {fd, handler, data, false};
  return true;
}

// The last watch takes the freed slot: a handler being served keeps its own
// record, since only the caller of serveWatchedFiles holds it by fd.
bool unwatchFile(int fd) {
  WatchedFile* watched = fd >= 0 ? watchOf(fd) : nullptr;
  if (watched == nullptr) return false;
  *watched = files[--watchedCount];
  files[watchedCount].fd = -1;
  return true;
}

int addWatchedFiles(pollfd* set, int room) {
  int added = 0;
  for (int i = 0; i < watchedCount && added < room; ++i) {
    if (!files[i].serving) set[added++] = {files[i].fd, POLLIN, 0};
  }
  return added;
}

static void serve(int fd) {
  WatchedFile* watched = watchOf(fd);
  if (watched == nullptr || watched->serving) return;
  watched->serving = true;
  const FileHandler handler = watched->handler;
  handler(fd, watched->data);
  // Looked up again: the handler may have unwatched it or watched others.
  if ((watched = watchOf(fd)) != nullptr) watched->serving = false;
}

void serveWatchedFiles(const pollfd* set, int count) {
  for (int i = 0; i < count; ++i) {
    if ((set[i].revents & POLLNVAL) != 0) {
      unwatchFile(set[i].fd);
    } else if ((set[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      serve(set[i].fd);
    }
  }
}

void serveReadyFiles() {
  if (watchedCount == 0) return;
  pollfd set[MOST_WATCHED_FILES];
  const int count = addWatchedFiles(set, MOST_WATCHED_FILES);
  if (count > 0 && poll(set, static_cast<nfds_t>(count), 0) > 0) serveWatchedFiles(set, count);
}
