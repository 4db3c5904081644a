// Event-stream fuzzing: a byte string decoded into SDL mouse events that go
// through SDL's real queue to the event loop of whichever program the driver
// is linked with (the full toolkit's or the colour pad's own).
//
// Each event starts with one byte:
//   bits 0-1  0 press, 1 release, 2 motion with a button-mask byte, 3 motion
//             with the left button alone (a drag)
//   bits 2-4  the button of a press or release: 1 + value % 5 (4 and 5 are
//             wheel steps)
//   bit  5    the next event is queued with this one, before the loop polls
//   bits 6-7  where: 0 two 16-bit coordinates over the screen and EDGE pixels
//             beyond each side; 1 a view (one byte) and a point across it
//             from one pixel outside to one pixel beyond (two bytes); 2 a step
//             from the previous point (two signed bytes); 3 the previous point
// then the mask byte of a kind-2 motion, then the position bytes. Points
// left of or above the screen wrap to large event coordinates, as the
// event's coordinates are unsigned.
//
// An event loop returns once the queue runs empty, so the program's own loop
// (main's, or one nested in a handler) decides between events, as it does
// when a person is slower than the loop.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

inline constexpr int EDGE = 8;

struct FuzzRect {
  int64_t x;
  int64_t y;
  int64_t width;
  int64_t height;
};

// Defined by each program's driver:
// the rectangles a stream can aim at (the program's views), so that short
// streams reach small targets;
int fuzzTargetCount();
FuzzRect fuzzTarget(int index);
// the program's own invariants, checked between events;
void checkProgramInvariants();
// called when the stream has run out while the program waits in an event
// loop nested in a handler: queues an event that answers it, or answers it.
void answerNestedLoop();

// Feeds the stream to the program's event loop until it runs out or the
// program sets quit. Between events, no drawing bracket may be open and the
// program's invariants must hold.
void runEventStream(const uint8_t* data, size_t size);

// Says what is broken after which event of the stream, and aborts.
[[noreturn]] void fuzzFault(const char* format, ...) __attribute__((format(printf, 1, 2)));
