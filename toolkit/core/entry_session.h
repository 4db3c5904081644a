// The toolkit's side of an open entry panel (the number keypad, the text
// keyboard). While one is open it takes every touch and key, and whatever the
// program draws meanwhile (a timer's handler, say) goes to a copy of the
// screen that is shown again once the panel closes, so nothing is drawn over
// the panel and nothing the program drew is lost.
#pragma once

#include "toolkit.h"

using EntryInput = void (*)(const SDL_Event& input);

// Keeps the screen's picture for the program and hands input to the panel.
// False when a panel is open already, the screen is not open or no memory is
// left for the copy.
bool openEntrySession(EntryInput input);
// Puts the program's picture back on the screen and gives input back.
void closeEntrySession();
// Called by eventLoop for every event: true when the open panel took it.
bool entryTakesEvent(const SDL_Event& polled);
// Around the panel's own drawing: screen is then the surface that is shown,
// otherwise the program's picture.
void beginPanelDrawing();
void endPanelDrawing();
