// A file's extended attributes, its access control list among them.
#pragma once

// Gives the file open as to every extended attribute of the file at from.
// True when all of them were given, or from has none; false where one could
// not be read or set (the other file system keeps none, or only the owner or
// root may set it).
bool copyExtendedAttributes(const char* from, int to);
