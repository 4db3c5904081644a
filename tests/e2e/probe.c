// Preloaded into a program under test: counts its SDL_PollEvent and SDL_Flip
// calls into the file named by E2E_PROBE_FILE, then calls the real functions.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE  // for RTLD_NEXT
#endif
#include "probe.h"

#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static struct ProbeCounters* counters(void) {
  static struct ProbeCounters* shared;
  static struct ProbeCounters local;
  if (shared == NULL) {
    const char* path = getenv("E2E_PROBE_FILE");
    int fd = path ? open(path, O_RDWR) : -1;
    void* map = fd >= 0 ? mmap(NULL, sizeof(struct ProbeCounters), PROT_READ | PROT_WRITE,
                               MAP_SHARED, fd, 0)
                        : MAP_FAILED;
    if (fd >= 0) close(fd);
    shared = map == MAP_FAILED ? &local : (struct ProbeCounters*)map;
  }
  return shared;
}

int SDL_PollEvent(SDL_Event* event) {
  static int (*real)(SDL_Event*);
  if (real == NULL) real = (int (*)(SDL_Event*))dlsym(RTLD_NEXT, "SDL_PollEvent");
  int got = real(event);
  __atomic_add_fetch(got ? &counters()->events : &counters()->emptyPolls, 1, __ATOMIC_SEQ_CST);
  return got;
}

int SDL_Flip(SDL_Surface* surface) {
  static int (*real)(SDL_Surface*);
  if (real == NULL) real = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
  int result = real(surface);
  __atomic_add_fetch(&counters()->flips, 1, __ATOMIC_SEQ_CST);
  return result;
}
