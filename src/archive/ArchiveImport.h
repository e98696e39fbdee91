#pragma once
// Taking in an archive made by someone else. Its file is only read: the rows
// of the known tables are copied value by value into a new file with this
// program's own schema, so nothing else the foreign file holds (triggers,
// views, altered tables) comes along, and hostile ids are numbered anew.

#include <filesystem>
#include <string>
#include <vector>

namespace skarnwald {

enum class ImportMode {
    Replace, // the archive becomes the foreign one (the previous file is kept as FILE.bak)
    Merge    // the foreign battles not stored yet are added; settings and record stay
};

struct ImportResult {
    std::string error;            // empty on success; otherwise why, in the core's language
    int battles = 0;              // battles taken in
    int skipped = 0;              // Merge: left out as stored already
    int orphans = 0;              // fleet, combat and statistics rows of no battle, left out
    std::filesystem::path backup; // Replace: where the previous archive went, or empty
    // What the foreign file held that did not come along: its triggers, views
    // and the like, each as kind and name (as ForeignSchemaObjects gives them).
    std::vector<std::string> dropped;
};

// What a player is told about the objects an import left behind
// ("Nicht übernommen: Trigger wipe, View v."), or empty text.
std::string DroppedObjectsNote(const ImportResult& result);

// What a player is told after a successful import into `target`: where the
// battles went and how many, what was left out, where the previous archive
// went; one line each.
std::string ImportSummary(const ImportResult& result, const std::filesystem::path& target);

// Builds `fresh` (replaced when it exists) from the rows of `foreign`: battles,
// fleet lines and combat lines numbered from 1 in their order, statistics and
// asteroid rows of those battles, settings and personal record; then its text
// is repaired as UTF-8 and every battle gets its digest.
ImportResult CopyArchive(const std::filesystem::path& foreign, const std::filesystem::path& fresh);

// Takes `foreign` into the archive `target` in the given way. `foreign` may
// be `target` itself when it holds foreign objects: replacing then rebuilds
// the archive from its own rows and keeps the file as it was as FILE.bak.
// Nothing is left beside `target` but that backup.
ImportResult ImportArchive(const std::filesystem::path& foreign, const std::filesystem::path& target,
                           ImportMode mode);

} // namespace skarnwald
