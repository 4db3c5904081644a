// The toolkit's own side of presentation and waiting.
#pragma once

#include <SDL.h>

// Called by exitGraphics once the surface is unlocked: flips the screen, or in
// the per-event mode marks it changed for the next presentation.
void showDrawing();

// Presentations show this surface instead of screen; null: screen again.
void presentFrom(SDL_Surface* surface);

// Polls the event a waitForEvent found first, then SDL's queue, into event;
// presents anything pending before it looks.
bool nextEvent();
