#pragma once
// Battles passed on to another player or device as an archive of their own:
// a new Data.dat holding the chosen battles with all their rows, and nothing
// of the sender's settings or personal record. The receiver takes it in with
// ImportArchive (ArchiveImport.h), which recognises battles stored already.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace skarnwald {

class CConnection;

struct ArchiveExportResult {
    std::string error; // empty on success; otherwise why, in the core's language
    int battles = 0;   // battles written
};

// Writes the battles `ids` of the archive behind `connection` (ids it does
// not hold are passed over) into the new archive `target`. The file is
// written beside `target` first and then renamed, so a failure leaves
// `target` as it was and nothing half-written; the archive in use itself is
// never overwritten.
ArchiveExportResult ExportBattlesAsArchive(CConnection& connection, std::span<const std::int32_t> ids,
                                           const std::filesystem::path& target);

// The same battles written straight into `file`, which is missing or empty
// and belongs to the caller: nothing is renamed, and a failure leaves what
// was written for the caller to remove. For a file system whose files
// cannot be renamed in one step (the browser's private one), where the
// caller hands the file out itself.
ArchiveExportResult WriteBattlesIntoArchive(CConnection& connection, std::span<const std::int32_t> ids,
                                            const std::filesystem::path& file);

} // namespace skarnwald
