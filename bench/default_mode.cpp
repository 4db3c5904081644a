// Links a program in the toolkit's default mode, for the program benchmark:
// the program's calls of setPresentation and waitForEvent are redirected here
// at link time (ld --wrap on their mangled names), so every drawing flips and
// the main loop polls without pause, as in a program that never opted in.
#include "toolkit.h"

extern "C" {
void __wrap__Z15setPresentation12Presentation(Presentation) {}
bool __wrap__Z12waitForEventi(int) { return false; }
}
