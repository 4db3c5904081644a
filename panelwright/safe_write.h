// Writing a file so that it is never left cut, partial or in other hands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class WriteFault : int32_t {
  NONE,
  NOT_OPENED,        // the file could not be opened or made; nothing changed
  NOT_WRITTEN_KEPT,  // the content could not be written whole; the file is as it was
  NOT_WRITTEN,       // a device or pipe took part of it, or the old content could not be put back
};

struct WriteResult {
  WriteFault fault;
  int error;  // errno of the failure, 0 when written
  // Where the old content still is, for NOT_WRITTEN of a file rewritten in
  // place; for NOT_OPENED, the earlier backup that stopped the rewrite.
  std::string backup;
};

// Gives the file at path (through its symbolic links) the content, keeping its
// owner, group, permissions, extended attributes (its access control list
// among them) and other hard links. A regular file is replaced by
// a scratch file beside it, made with the content and renamed over it, or,
// where that would change its owner, lose an extended attribute or part it
// from its other names, or where
// no scratch file can be made, rewritten where it stands, with its old content
// kept in a backup (name.backup beside it, or in the home folder) until the new
// one is on disk, and put back if the new one fails. A backup still there from
// an earlier save that was cut short is never replaced: the file is then left
// alone (NOT_OPENED, EEXIST). A new file gets the permissions fopen gives.
// Devices and pipes just take the content. Neither a file size limit nor a
// signal ending the program leaves a scratch file behind.
WriteResult writeFileSafely(const char* path, std::string_view content);

// The backups of the file at path that saves cut short by a kill or a power
// cut have left behind.
std::vector<std::string> backupsLeftFor(const char* path);

// For a signal handler of the program's own, which writeFileSafely leaves in
// place: removes a scratch file being written, if there is one. Safe in a
// signal handler.
void removeScratchFile();
