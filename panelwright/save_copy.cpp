// The layout's copy of last resort, gui.txt.save: written when a save fails,
// and by the signals that end a session (Ctrl-C, a stop, a closed terminal)
// while the layout is unsaved. A signal handler may only make system calls
// that are safe there, so everything it needs, the layout's text and both
// paths, is prepared beforehand, whenever the layout changes; the handler only
// opens, writes, syncs, closes and renames.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "designer.h"
#include "safe_write.h"

namespace {
// Everything a handler reads; one is being prepared while the other stands ready.
struct PreparedCopy {
  std::string layout;
  bool unsaved;
  char besidePath[PATH_MAX];  // in the folder of gui.txt
  char homePath[PATH_MAX];    // where that folder cannot be written; empty without a home
};
}  // namespace

static constexpr const char* COPY_NAME = "gui.txt.save";
static constexpr char SCRATCH_SUFFIX[] = ".new";
static constexpr const char* WRITTEN_TO = "Unsaved layout written to ";
static constexpr int ENDING_SIGNALS[] = {SIGHUP, SIGINT, SIGTERM};

static PreparedCopy prepared[2];
// Which of the two a handler reads; -1 before the first is ready.
static volatile sig_atomic_t ready = -1;

static void pathIn(const char* folder, char* path) {
  path[0] = '\0';
  if (folder == nullptr || folder[0] == '\0') return;
  if (std::snprintf(path, PATH_MAX, "%s/%s", folder, COPY_NAME) >= PATH_MAX) path[0] = '\0';
}

void prepareSaveCopy(const std::string& layout, bool unsaved) {
  PreparedCopy& next = prepared[ready == 0 ? 1 : 0];
  next.layout = layout;
  next.unsaved = unsaved;
  char folder[PATH_MAX];
  pathIn(getcwd(folder, sizeof folder), next.besidePath);
  pathIn(std::getenv("HOME"), next.homePath);
  // The copy is whole before a handler may read it.
  std::atomic_signal_fence(std::memory_order_seq_cst);
  ready = &next == &prepared[0] ? 0 : 1;
}

static bool writtenWhole(int fd, const std::string& layout) {
  size_t done = 0;
  while (done < layout.size()) {
    const ssize_t n = write(fd, layout.data() + done, layout.size() - done);
    if (n <= 0 && errno != EINTR) return false;
    if (n > 0) done += static_cast<size_t>(n);
  }
  return fsync(fd) == 0;
}

// Safe in a signal handler. The copy is written under a name of its own and
// renamed into place, so that a copy that fails leaves an earlier one whole; a
// link planted under either name is not followed.
static bool writtenTo(const char* path, const std::string& layout) {
  const size_t length = std::strlen(path);
  char scratch[PATH_MAX + sizeof SCRATCH_SUFFIX];
  if (length == 0) return false;
  std::memcpy(scratch, path, length);
  std::memcpy(scratch + length, SCRATCH_SUFFIX, sizeof SCRATCH_SUFFIX);
  const int fd = open(scratch, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = writtenWhole(fd, layout);
  if (close(fd) == 0 && written && rename(scratch, path) == 0) return true;
  unlink(scratch);
  return false;
}

// Safe in a signal handler: the path written, or null.
static const char* writeReadyCopy() {
  if (ready < 0) return nullptr;
  const PreparedCopy& copy = prepared[ready];
  if (writtenTo(copy.besidePath, copy.layout)) return copy.besidePath;
  if (writtenTo(copy.homePath, copy.layout)) return copy.homePath;
  return nullptr;
}

static SaveCopyPlace placeOf(const char* path) {
  if (path == nullptr) return SaveCopyPlace::NONE;
  return path == prepared[ready].besidePath ? SaveCopyPlace::BESIDE : SaveCopyPlace::HOME;
}

static void say(const char* text) {
  if (write(STDERR_FILENO, text, std::strlen(text)) < 0) return;
}

static void sayWhere(const char* path) {
  say(WRITTEN_TO);
  say(path);
  say("\n");
}

SaveCopyPlace writeSaveCopy(const std::string& layout) {
  prepareSaveCopy(layout, true);
  // Past a file size limit the copy fails rather than ending the designer.
  struct sigaction ignore {};
  struct sigaction previous {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, &previous);
  const char* path = writeReadyCopy();
  sigaction(SIGXFSZ, &previous, nullptr);
  if (path != nullptr) sayWhere(path);
  return placeOf(path);
}

// The program ends as it did without the copy: the default action of the
// signal, taken back on entry (SA_RESETHAND), ends it once the handler returns.
static void writeCopyAndEnd(int signal) {
  const int error = errno;
  removeScratchFile();
  if (ready >= 0 && prepared[ready].unsaved) {
    const char* path = writeReadyCopy();
    if (path != nullptr) sayWhere(path);
  }
  errno = error;
  raise(signal);
}

void protectUnsavedWork() {
  struct sigaction action {};
  action.sa_handler = writeCopyAndEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : ENDING_SIGNALS) sigaddset(&action.sa_mask, signal);
  action.sa_flags = SA_RESETHAND;
  for (const int signal : ENDING_SIGNALS) sigaction(signal, &action, nullptr);
  // A write past a file size limit fails with EFBIG instead of ending the
  // designer, whatever it writes: the layout, its copy or a message.
  std::signal(SIGXFSZ, SIG_IGN);
}
