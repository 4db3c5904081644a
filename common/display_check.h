// Started where there is no screen, SDL 1.2 falls back to a text-mode driver,
// which writes terminal control codes as soon as it starts: the programs must
// find out first. Header-only, so that the colour pad, which links no toolkit
// code, shares it too.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline bool environmentNames(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
}

inline bool canOpenForDrawing(const char* device) {
  const int fd = open(device, O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

// Where the kernel puts its DRM devices; a folder of its own only for tests.
inline constexpr const char* DRM_DEVICE_FOLDER = "/dev/dri";

// The first DRM card in folder that can be opened. Every card counts: a
// machine's display is often card1, card0 being a GPU without one.
inline const char* openableDrmCard(const char* folder) {
  static char path[256];
  DIR* cards = opendir(folder);
  if (cards == nullptr) return nullptr;
  bool found = false;
  for (const dirent* entry = readdir(cards); entry != nullptr && !found; entry = readdir(cards)) {
    if (std::strncmp(entry->d_name, "card", 4) != 0) continue;
    const int length = std::snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
    found = length < static_cast<int>(sizeof path) && canOpenForDrawing(path);
  }
  closedir(cards);
  return found ? path : nullptr;
}

// A kiosk without X draws on the console's framebuffer (SDL 1.2) or through
// DRM (SDL 1.2 on SDL 2), so a device for either counts as a display.
inline const char* usableConsoleDevice() {
  const char* framebuffer = environmentNames("SDL_FBDEV") ? std::getenv("SDL_FBDEV") : "/dev/fb0";
  if (canOpenForDrawing(framebuffer)) return framebuffer;
  return openableDrmCard(DRM_DEVICE_FOLDER);
}

// Ends the program with one line on standard error, before SDL starts, when
// nothing names a display, no video driver is chosen and no console device can
// be drawn on.
inline void refuseWithoutDisplay(const char* program) {
  if (environmentNames("SDL_VIDEODRIVER") || environmentNames("DISPLAY") ||
      environmentNames("WAYLAND_DISPLAY") || usableConsoleDevice() != nullptr)
    return;
  std::fprintf(stderr,
               "%s: no display: DISPLAY is not set and there is no framebuffer; start it in an "
               "X session, or choose a video driver with SDL_VIDEODRIVER\n",
               program);
  std::exit(1);
}
