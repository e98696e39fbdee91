#pragma once
// The archive the page works on: Data.dat in the browser's origin-private
// file system, which SQLite reaches through the module's file layer
// (OpfsVfs.h) once the worker has opened the file's handles.

#include "OpfsVfs.h"

#include "archive/Connection.h"

#include <string>

namespace skarnwald::web {

// The archive's files in the private file system, by their names there.
inline constexpr const char* kArchiveName = "Data.dat";
// A file chosen with "Archiv laden", as it came, and the archive made from it
// until it replaces Data.dat.
inline constexpr const char* kChosenName = "Data.dat.auswahl";
inline constexpr const char* kTakenInName = "Data.dat.import";
// Battles chosen with "Auswahl als Archiv speichern…", written as an archive
// of their own until the download has read them.
inline constexpr const char* kSelectionName = "Data.dat.weitergabe";

// Where SQLite finds a file of that name.
inline std::string OpfsPath(const char* name) {
    return std::string(kOpfsFolder) + name;
}

// Opens the archive file; the error in the user's words, empty when it
// opened. A file that is missing or empty gets the schema.
std::string OpenArchive();
void CloseArchive();
// The open archive, or null before OpenArchive succeeded.
const ConnectionPtr& Archive();
// Database errors since the last call, for the page to show; cleared.
std::string TakeArchiveErrors();

} // namespace skarnwald::web
