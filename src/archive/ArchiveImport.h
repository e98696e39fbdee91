#pragma once
// Taking in an archive made by someone else. Its file is only read: the rows
// of the known tables are copied value by value into a new file with this
// program's own schema, so nothing else the foreign file holds (triggers,
// views, altered tables) comes along, and hostile ids are numbered anew.

#include <filesystem>
#include <string>

namespace skarnwald {

enum class ImportMode {
    Replace, // the archive becomes the foreign one (the previous file is kept as FILE.bak)
    Merge    // the foreign battles not stored yet are added; settings and record stay
};

struct ImportResult {
    std::string error;            // empty on success; otherwise why, in German
    int battles = 0;              // battles taken in
    int skipped = 0;              // Merge: left out as stored already
    int orphans = 0;              // fleet, combat and statistics rows of no battle, left out
    std::filesystem::path backup; // Replace: where the previous archive went, or empty
};

// Builds `fresh` (replaced when it exists) from the rows of `foreign`: battles,
// fleet lines and combat lines numbered from 1 in their order, statistics and
// asteroid rows of those battles, settings and personal record; then its text
// is repaired as UTF-8 and every battle gets its digest.
ImportResult CopyArchive(const std::filesystem::path& foreign, const std::filesystem::path& fresh);

// Takes `foreign` into the archive `target` in the given way.
ImportResult ImportArchive(const std::filesystem::path& foreign, const std::filesystem::path& target,
                           ImportMode mode);

} // namespace skarnwald
