#include "toolkit.h"

// Kept apart from the dispatch so that a program can read and set the flag
// without linking the dispatch.
SDL_Event event;
int32_t quit = 0;
