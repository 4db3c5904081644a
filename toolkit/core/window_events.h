// What the window system asks of a program: to end it, or to show its window again.
#pragma once

#include <SDL.h>

// The window's close button is a quit request; an uncovered window is shown
// again. Other events are left alone.
void windowEvent(const SDL_Event& windowSystemEvent);
