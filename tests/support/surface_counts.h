// Flips and surface locks counted through link-time wrappers (GNU ld --wrap),
// without touching production code. Binaries get the wrappers by linking the
// surface_counts library.
#pragma once

int flipCount();
void resetFlipCount();
// Surface locks taken and not yet released.
int lockDepth();
void resetLockDepth();
