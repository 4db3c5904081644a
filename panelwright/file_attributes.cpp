#include "file_attributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <cstring>
#include <string>

// Sized by asking first; grown and asked again if the attribute grew meanwhile.
static bool readList(const char* from, std::string* names) {
  for (;;) {
    const ssize_t size = listxattr(from, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    names->resize(static_cast<size_t>(size));
    const ssize_t got = listxattr(from, names->data(), names->size());
    if (got >= 0) {
      names->resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

static bool readValue(const char* from, const char* name, std::string* value) {
  for (;;) {
    const ssize_t size = getxattr(from, name, nullptr, 0);
    if (size < 0) return false;
    value->resize(static_cast<size_t>(size));
    const ssize_t got = getxattr(from, name, value->data(), value->size());
    if (got >= 0) {
      value->resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

bool copyExtendedAttributes(const char* from, int to) {
  std::string names;
  if (!readList(from, &names)) return false;
  std::string value;
  // The list is a run of names, each ended by a zero byte.
  for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    if (!readValue(from, name, &value)) return false;
    if (fsetxattr(to, name, value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}
