// Writing a file safely: through a scratch file renamed over it, or in place
// with its old content kept until the new one is on disk.
#include "safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "file_attributes.h"

namespace fs = std::filesystem;

// The old content of a file rewritten in place waits under the file's name with this added.
static constexpr const char* BACKUP_SUFFIX = ".backup";

// As many as the system follows when opening a path.
static constexpr int MOST_LINKS_FOLLOWED = 40;

// Signals whose default action ends the process.
static constexpr int ENDING_SIGNALS[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM,   SIGALRM,
                                         SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF};
// Signals that report a write's failure by ending the process: ignored while
// writing, the write fails with EFBIG or EPIPE instead.
static constexpr int WRITE_SIGNALS[] = {SIGXFSZ, SIGPIPE};

// The scratch file's path, for a signal that ends the program while it exists.
// Read by the handler only while scratchMade is 1.
static char scratchPath[PATH_MAX];
static volatile sig_atomic_t scratchMade = 0;

static struct sigaction endingActions[std::size(ENDING_SIGNALS)];
static struct sigaction writeActions[std::size(WRITE_SIGNALS)];

// unlink and raise are safe in a signal handler; the action is back to the
// default on entry (SA_RESETHAND), so the raised signal ends the process once
// the handler returns.
static void removeScratchAndEnd(int signal) {
  removeScratchFile();
  raise(signal);
}

static sigset_t endingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : ENDING_SIGNALS) sigaddset(&set, signal);
  return set;
}

static sigset_t holdEndingSignals() {
  const sigset_t ending = endingSignals();
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &ending, &previous);
  return previous;
}

static void releaseSignals(const sigset_t& previous) {
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

// Only signals that would end the program get the handler: one the program
// handles itself (SDL turns SIGINT into a quit event) is left to it.
static void watchForEndingSignals() {
  struct sigaction action {};
  action.sa_handler = removeScratchAndEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (size_t i = 0; i < std::size(ENDING_SIGNALS); ++i) {
    sigaction(ENDING_SIGNALS[i], nullptr, &endingActions[i]);
    const bool byDefault =
        (endingActions[i].sa_flags & SA_SIGINFO) == 0 && endingActions[i].sa_handler == SIG_DFL;
    if (byDefault) sigaction(ENDING_SIGNALS[i], &action, nullptr);
  }
}

static void stopWatchingForEndingSignals() {
  for (size_t i = 0; i < std::size(ENDING_SIGNALS); ++i) {
    sigaction(ENDING_SIGNALS[i], &endingActions[i], nullptr);
  }
}

static void ignoreWriteSignals() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  for (size_t i = 0; i < std::size(WRITE_SIGNALS); ++i) {
    sigaction(WRITE_SIGNALS[i], &ignore, &writeActions[i]);
  }
}

static void restoreWriteSignals() {
  for (size_t i = 0; i < std::size(WRITE_SIGNALS); ++i) {
    sigaction(WRITE_SIGNALS[i], &writeActions[i], nullptr);
  }
}

// The scratch file gets a name of its own, created exclusively, so that no
// file or link planted beside the file is followed or overwritten. It is made
// with the ending signals held back, so that a signal finds either no scratch
// file or one whose path the handler knows. -1 with errno on failure.
static int makeScratch(const fs::path& path) {
  char name[sizeof scratchPath];
  if (std::snprintf(name, sizeof name, "%s.XXXXXX", path.c_str()) >=
      static_cast<int>(sizeof name)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  const sigset_t previous = holdEndingSignals();
  watchForEndingSignals();
  const int fd = mkostemp(name, O_CLOEXEC);
  const int error = errno;
  if (fd >= 0) {
    std::memcpy(scratchPath, name, sizeof name);
    // The path is whole before the handler may read it.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    scratchMade = 1;
  } else {
    stopWatchingForEndingSignals();
  }
  releaseSignals(previous);
  errno = error;
  return fd;
}

void removeScratchFile() {
  if (scratchMade != 0) unlink(scratchPath);
}

// After a rename, the scratch path names nothing any more.
static void forgetScratch() {
  scratchMade = 0;
  stopWatchingForEndingSignals();
}

// Removed before it is forgotten: a signal in between unlinks a path that is
// gone, which does no harm.
static void removeScratch() {
  const int error = errno;
  unlink(scratchPath);
  scratchMade = 0;
  stopWatchingForEndingSignals();
  errno = error;
}

// The file that a write through the path reaches: the path itself, or the end
// of its chain of symbolic links, which need not exist yet. 0, or the errno of
// a link that cannot be read or a chain that does not end.
static int followLinks(fs::path* path) {
  for (int hop = 0; hop < MOST_LINKS_FOLLOWED; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(*path, error)) return 0;
    const fs::path target = fs::read_symlink(*path, error);
    if (error) return error.value();
    // A relative link is relative to its own folder; an absolute one replaces the path.
    *path = path->parent_path() / target;
  }
  return ELOOP;
}

// What a file created with fopen would get: read and write for all, less the umask.
static mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// How much of the content went out from the descriptor's offset; errno tells
// why the rest did not.
static size_t writeOut(int fd, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      // A device that takes nothing and says nothing.
      if (n == 0) errno = EIO;
      break;
    }
  }
  return done;
}

static bool readWhole(int fd, std::string* content) {
  char block[4096];
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
    if (n > 0) content->append(block, static_cast<size_t>(n));
  }
}

// How much of the content went out over the file's first bytes.
static size_t writeFromStart(int fd, std::string_view content) {
  return lseek(fd, 0, SEEK_SET) == 0 ? writeOut(fd, content) : 0;
}

static bool synced(int fd, size_t length) {
  return ftruncate(fd, static_cast<off_t>(length)) == 0 && fsync(fd) == 0;
}

// The old content is put back as far as the new one reached, or whole once the
// file was cut to the new length: under a file size limit, bytes past the
// limit could not be written back, and were never touched.
static bool putBack(int fd, std::string_view old, size_t overwritten) {
  const std::string_view touched = old.substr(0, std::min(overwritten, old.size()));
  return writeFromStart(fd, touched) == touched.size() && synced(fd, old.size());
}

// So that after a power cut the folder holds the new file, not the old one.
// A folder that cannot be synced does not undo a save already in place.
static void syncFolder(const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

static bool writtenAndSynced(int fd, std::string_view content) {
  const bool written = writeOut(fd, content) == content.size() && fsync(fd) == 0;
  const int error = errno;
  const bool closed = close(fd) == 0;
  if (written && !closed) return false;
  errno = error;
  return written;
}

static std::string backupAtHome(const fs::path& path) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return "";
  return (fs::path(home) / path.filename()).string() + BACKUP_SUFFIX;
}

// 0, or the errno of a backup that could not be made whole; none is left then.
// Made exclusively: a backup already there may hold the only whole copy of an
// earlier content.
static int writeBackup(const std::string& backup, std::string_view old) {
  if (backup.empty()) return ENOENT;
  const int fd = open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  if (!writtenAndSynced(fd, old)) {
    const int error = errno;
    unlink(backup.c_str());
    return error;
  }
  syncFolder(backup);
  return 0;
}

// Beside the file, or in the home folder where its folder cannot be written.
// An empty path where neither takes one: the old content is then kept in
// memory alone. EEXIST, with the path, where an earlier backup is still there.
static int makeBackup(const fs::path& path, std::string_view old, std::string* backup) {
  for (const std::string& place : {path.string() + BACKUP_SUFFIX, backupAtHome(path)}) {
    const int error = writeBackup(place, old);
    if (error == 0 || error == EEXIST) {
      std::error_code ignored;
      *backup = fs::absolute(place, ignored);
      return error;
    }
  }
  backup->clear();
  return 0;
}

// The careful editor's way: the file keeps its inode, so its owner, group,
// permissions and other names stay; the old content is kept in memory and in
// a backup on disk until the new one is on disk, so that a failure puts it
// back and a kill or a power cut leaves it whole in the file or the backup.
// Ending signals wait meanwhile, so that the file is never left half rewritten.
static WriteResult rewriteInPlace(const fs::path& path, std::string_view content) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return {WriteFault::NOT_OPENED, errno, ""};
  std::string old;
  std::string backup;
  if (!readWhole(fd, &old)) {
    const int error = errno;
    close(fd);
    return {WriteFault::NOT_OPENED, error, ""};
  }
  if (const int error = makeBackup(path, old, &backup)) {
    close(fd);
    return {WriteFault::NOT_OPENED, error, backup};
  }
  WriteResult result{WriteFault::NONE, 0, ""};
  const sigset_t previous = holdEndingSignals();
  const size_t written = writeFromStart(fd, content);
  if (written != content.size() || !synced(fd, content.size())) {
    result.error = errno;
    const size_t touched = written == content.size() ? old.size() : written;
    result.fault =
        putBack(fd, old, touched) ? WriteFault::NOT_WRITTEN_KEPT : WriteFault::NOT_WRITTEN;
  }
  releaseSignals(previous);
  close(fd);
  if (result.fault == WriteFault::NOT_WRITTEN) {
    result.backup = backup;
  } else if (!backup.empty()) {
    unlink(backup.c_str());
  }
  return result;
}

std::vector<std::string> backupsLeftFor(const char* name) {
  fs::path path = name;
  std::vector<std::string> left;
  if (followLinks(&path) != 0) return left;
  for (const std::string& place : {path.string() + BACKUP_SUFFIX, backupAtHome(path)}) {
    std::error_code error;
    if (!place.empty() && fs::exists(place, error)) left.push_back(fs::absolute(place, error));
  }
  return left;
}

// A pipe without a reader is refused at once rather than waited for.
static WriteResult writeToDevice(const fs::path& path, std::string_view content) {
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {WriteFault::NOT_OPENED, errno, ""};
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  const bool written = writeOut(fd, content) == content.size();
  const int error = errno;
  close(fd);
  return written ? WriteResult{WriteFault::NONE, 0, ""}
                 : WriteResult{WriteFault::NOT_WRITTEN, error, ""};
}

// The scratch file stands in for the file only if it can take its owner and
// group; a non-root user cannot give a file to someone else.
static bool takesOwner(int fd, const struct stat& file) {
  struct stat scratch {};
  if (fstat(fd, &scratch) != 0) return false;
  if (scratch.st_uid == file.st_uid && scratch.st_gid == file.st_gid) return true;
  return fchown(fd, file.st_uid, file.st_gid) == 0;
}

// file is null for a file not there yet.
static WriteResult replaceByScratch(const fs::path& path, std::string_view content,
                                    const struct stat* file) {
  const int fd = makeScratch(path);
  if (fd < 0) {
    if (file != nullptr) return rewriteInPlace(path, content);
    return {WriteFault::NOT_OPENED, errno, ""};
  }
  // A folder that keeps no permissions (vfat) still takes the file.
  fchmod(fd, file != nullptr ? file->st_mode & 0777 : newFileMode());
  // The access control list is set after the permissions, which it includes.
  if (file != nullptr && (!takesOwner(fd, *file) || !copyExtendedAttributes(path.c_str(), fd))) {
    close(fd);
    removeScratch();
    return rewriteInPlace(path, content);
  }
  if (!writtenAndSynced(fd, content) || std::rename(scratchPath, path.c_str()) != 0) {
    const int error = errno;
    removeScratch();
    return {WriteFault::NOT_WRITTEN_KEPT, error, ""};
  }
  forgetScratch();
  syncFolder(path);
  return {WriteFault::NONE, 0, ""};
}

static WriteResult writeFollowedPath(const fs::path& path, std::string_view content) {
  struct stat file {};
  if (stat(path.c_str(), &file) != 0) {
    if (errno != ENOENT) return {WriteFault::NOT_OPENED, errno, ""};
    return replaceByScratch(path, content, nullptr);
  }
  if (!S_ISREG(file.st_mode)) return writeToDevice(path, content);
  // A file we may not write is not replaced behind its back.
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return {WriteFault::NOT_OPENED, errno, ""};
  close(fd);
  if (file.st_nlink > 1) return rewriteInPlace(path, content);
  return replaceByScratch(path, content, &file);
}

WriteResult writeFileSafely(const char* name, std::string_view content) {
  fs::path path = name;
  if (const int error = followLinks(&path)) return {WriteFault::NOT_OPENED, error, ""};
  ignoreWriteSignals();
  const WriteResult result = writeFollowedPath(path, content);
  restoreWriteSignals();
  return result;
}
