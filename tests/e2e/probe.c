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
#include <time.h>
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

static uint64_t monotonicNs(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (uint64_t)now.tv_sec * 1000000000u + (uint64_t)now.tv_nsec;
}

__attribute__((constructor)) static void noteLoading(void) {
  __atomic_store_n(&counters()->loadedNs, monotonicNs(), __ATOMIC_SEQ_CST);
}

int SDL_PollEvent(SDL_Event* event) {
  static int (*real)(SDL_Event*);
  static int handling = 1;  // start-up counts as handling, so its end is noted too
  if (real == NULL) real = (int (*)(SDL_Event*))dlsym(RTLD_NEXT, "SDL_PollEvent");
  int got = real(event);
  if (!got && handling) __atomic_store_n(&counters()->idleSinceNs, monotonicNs(), __ATOMIC_SEQ_CST);
  handling = got;
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
