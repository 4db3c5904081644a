// Counters shared between the preloaded probe and the rig, through a file
// that both map.
#pragma once

#include <stdint.h>

struct ProbeCounters {
  uint64_t emptyPolls;  // SDL_PollEvent calls that found the queue empty
  uint64_t events;      // SDL_PollEvent calls that returned an event
  uint64_t flips;       // SDL_Flip calls
  uint64_t loadedNs;    // CLOCK_MONOTONIC when the probe was loaded, before main
  uint64_t
      idleSinceNs;  // CLOCK_MONOTONIC of the last empty poll that followed an event or start-up
};
