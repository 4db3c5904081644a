// Writing a file so that it is never left cut, partial or in other hands.
#pragma once

#include <cstdint>
#include <string_view>

enum class WriteFault : int32_t {
  NONE,
  NOT_OPENED,        // the file could not be opened or made; nothing changed
  NOT_WRITTEN_KEPT,  // the content could not be written whole; the file is as it was
  NOT_WRITTEN,       // a device or pipe took part of it, or the old content could not be put back
};

struct WriteResult {
  WriteFault fault;
  int error;  // errno of the failure, 0 when written
};

// Gives the file at path (through its symbolic links) the content, keeping its
// owner, group, permissions and other hard links. A regular file is replaced by
// a scratch file beside it, made with the content and renamed over it, or,
// where that would change its owner or part it from its other names, or where
// no scratch file can be made, rewritten where it stands, with its old content
// put back if the new one fails. A new file gets the permissions fopen gives.
// Devices and pipes just take the content. Neither a file size limit nor a
// signal ending the program leaves a scratch file behind.
WriteResult writeFileSafely(const char* path, std::string_view content);
