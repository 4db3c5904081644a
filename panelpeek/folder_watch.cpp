// The preview's watch on the layout's folder, through inotify: the folder,
// not the file, since a save renames a new file over the old one.
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "preview.h"

// A rename into place or a close after writing leaves the file whole.
static constexpr uint32_t COMPLETED = IN_MOVED_TO | IN_CLOSE_WRITE;
static constexpr uint32_t CHANGED =
    COMPLETED | IN_CREATE | IN_MODIFY | IN_DELETE | IN_MOVED_FROM | IN_ATTRIB;

static std::string folderOf(const char* path) {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) return ".";
  if (slash == path) return "/";
  return std::string(path, static_cast<size_t>(slash - path));
}

static const char* nameOf(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}

// The looks of the main loop take over where the watch no longer holds.
static void stopWatching(Preview* preview) {
  unwatchFile(preview->folderEvents);
  close(preview->folderEvents);
  preview->folderEvents = -1;
}

// What the events since the last read say about the file.
struct FileNews {
  bool completed;
  bool changed;
  bool watchLost;  // the folder went, or events were dropped
};

static FileNews readNews(int fd, const char* name) {
  FileNews news{};
  alignas(inotify_event) char buffer[4096];
  ssize_t length = 0;
  while ((length = read(fd, buffer, sizeof buffer)) > 0) {
    for (const char* at = buffer; at < buffer + length;) {
      const auto* e = reinterpret_cast<const inotify_event*>(at);
      at += sizeof(inotify_event) + e->len;
      if ((e->mask & (IN_IGNORED | IN_Q_OVERFLOW)) != 0) news.watchLost = true;
      if (e->len == 0 || std::strcmp(e->name, name) != 0) continue;
      news.completed = news.completed || (e->mask & COMPLETED) != 0;
      news.changed = news.changed || (e->mask & CHANGED) != 0;
    }
  }
  return news;
}

static void readFolderEvents(int fd, void* data) {
  auto* preview = static_cast<Preview*>(data);
  const FileNews news = readNews(fd, nameOf(preview->path));
  if (news.watchLost) {
    stopWatching(preview);
    return;
  }
  if (!news.changed) return;
  if (!news.completed) {
    preview->changing = true;
    return;
  }
  preview->changing = false;
  if (stampFile(preview->path) == preview->stamp) return;
  if (reloadLayout(preview)) drawAllViews();
  preview->lastSeen = preview->stamp;
}

bool watchLayoutFolder(Preview* preview) {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return false;
  if (inotify_add_watch(fd, folderOf(preview->path).c_str(), CHANGED) < 0 ||
      !watchFile(fd, readFolderEvents, preview)) {
    close(fd);
    return false;
  }
  preview->folderEvents = fd;
  return true;
}
