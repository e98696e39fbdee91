#pragma once
// Which file is the archive "Data.dat". Both programs ask here, so the desktop
// program and the command line find the same archive from any folder:
//   1. the file named on the command line (--db),
//   2. the file named by the environment variable SKARNWALD_DB,
//   3. "Data.dat" in the working folder when it exists there (the portable
//      way: the program and its archive in one folder),
//   4. "Data.dat" in the user's data folder ($XDG_DATA_HOME/skarnwald, by
//      default ~/.local/share/skarnwald).
// Earlier versions kept the archive in the folder they were started from,
// which for a start from the desktop menu is the home folder. Such a file is
// used as long as the data folder holds none, and the desktop program offers
// to move it there; the home folder therefore never counts as a portable
// folder.

#include "archive/Connection.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace skarnwald {

inline constexpr std::string_view kArchiveFileName = "Data.dat";
inline constexpr char kArchiveEnvironmentVariable[] = "SKARNWALD_DB";

// What the choice depends on; empty texts count as not set.
struct ArchiveSearch {
    std::filesystem::path commandLine; // --db
    std::string environment;           // SKARNWALD_DB
    std::string xdgDataHome;
    std::string home;
    std::filesystem::path workingFolder;
};

enum class ArchiveSource { CommandLine, Environment, WorkingFolder, UserData, HomeFolder };

struct ArchiveLocation {
    std::filesystem::path file;
    ArchiveSource source;
};

// The search of this process: its environment and working folder.
ArchiveSearch ProcessArchiveSearch(const std::filesystem::path& commandLine);

// "Data.dat" in the user's data folder; a relative XDG_DATA_HOME is ignored,
// as the XDG rules ask. Empty without a home folder.
std::filesystem::path UserArchiveFile(const ArchiveSearch& search);

// The archive to open, after the rules at the top. Looks at which files
// exist and changes nothing.
ArchiveLocation LocateArchive(const ArchiveSearch& search);

// Makes the folder of an archive in the user's data folder; succeeds when
// the folder is there.
OperationResult MakeArchiveFolder(const ArchiveLocation& location);

// Moves an archive, with the journal SQLite may have left beside it, to
// `to`, whose folder is made; never overwrites.
OperationResult MoveArchive(const std::filesystem::path& from, const std::filesystem::path& to);

// The file behind an open connection, as SQLite resolved it.
std::filesystem::path ArchiveFileOf(const CConnection& connection);

} // namespace skarnwald
