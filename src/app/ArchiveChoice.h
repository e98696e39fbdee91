#pragma once
// The desktop program's archive: found as archive/ArchiveLocation.h
// describes, after offering to move one an earlier version left in the home
// folder into the user's data folder.

#include "archive/ArchiveLocation.h"

#include <QString>

#include <filesystem>
#include <optional>

namespace skarnwald {

// The file to open; nothing when its folder cannot be made (told in a
// message box).
std::optional<std::filesystem::path> ChooseArchive(const ArchiveSearch& search);

// The file behind the connection, as titles and labels show it.
QString ArchiveFileText(const CConnection& connection);

} // namespace skarnwald
