#pragma once
// The archive the page works on: Data.dat in the module's in-memory file
// system. The worker fills that file from the browser's private file system
// before it is opened and writes it back after every change, so SQLite itself
// only ever sees an ordinary file.

#include "archive/Connection.h"

#include <string>

namespace skarnwald::web {

inline constexpr const char* kArchiveFile = "/archive/Data.dat";

// Opens (or creates) the archive file; the error in the user's words, empty
// when it opened.
std::string OpenArchive();
void CloseArchive();
// The open archive, or null before OpenArchive succeeded.
const ConnectionPtr& Archive();
// Database errors since the last call, for the page to show; cleared.
std::string TakeArchiveErrors();

} // namespace skarnwald::web
