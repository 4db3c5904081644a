// What stat says about a file, taken to notice when it is replaced or edited.
#pragma once

#include <cstdint>

// A file replaced by a rename has a new inode; one edited in place a new size
// or modification time, and a new change time even when a tool restores the
// modification time.
struct FileStamp {
  int error;  // errno of stat, 0 when the file was found
  uint64_t device;
  uint64_t inode;
  int64_t size;
  int64_t modifiedNs;
  int64_t changedNs;
  bool operator==(const FileStamp&) const = default;
};

FileStamp stampFile(const char* path);
