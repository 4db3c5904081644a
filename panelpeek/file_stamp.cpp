#include "file_stamp.h"

#include <sys/stat.h>

#include <cerrno>

static int64_t nanoseconds(const timespec& time) {
  return int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampFile(const char* path) {
  struct stat status {};
  FileStamp stamp{};
  if (stat(path, &status) != 0) {
    stamp.error = errno;
    return stamp;
  }
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modifiedNs = nanoseconds(status.st_mtim);
  stamp.changedNs = nanoseconds(status.st_ctim);
  return stamp;
}
