// Programs built against the source tree include the toolkit as
// <kiosktk/toolkit.h>, the name it is installed under.
#pragma once

#include "../toolkit.h"
