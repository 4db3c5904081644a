// Lines of a layout file that hold no view: the readers pass over them.
#pragma once

#include <string_view>

// A line whose first characters other than blanks are "//", the canvas line among them.
bool isLayoutComment(std::string_view line);
