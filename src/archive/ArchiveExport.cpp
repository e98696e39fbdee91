#include "archive/ArchiveExport.h"

#include "archive/ArchiveImport.h"
#include "archive/ArchiveLocation.h"
#include "archive/BattleDigest.h"
#include "archive/Connection.h"
#include "archive/Query.h"
#include "text/Catalog.h"

#include <optional>

namespace skarnwald {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

// Whether `target` is the file the connection works on, which an export
// must never replace.
bool IsArchiveInUse(const CConnection& connection, const fs::path& target) {
    const fs::path inUse = ArchiveFileOf(connection);
    std::error_code ec;
    return !inUse.empty() && fs::equivalent(inUse, target, ec);
}

// The new archive's schema, in its own file, in the format the source's
// rows are in.
bool MakeEmptyArchive(const fs::path& file, int format, std::string& error) {
    std::error_code ec;
    fs::remove(file, ec);
    OpenResult made = CConnection::Open(file);
    if (!made.connection) {
        error = made.error;
        return false;
    }
    FirstDbError errors;
    made.connection->SetErrorReporter(&errors);
    return SetArchiveFormat(*made.connection, format);
}

// Copies the chosen battles into the attached archive `export`; how many
// went there, or nothing when a statement failed (reported).
std::optional<int> CopyChosenBattles(CConnection& connection, std::span<const std::int32_t> ids) {
    CTransaction transaction(connection);
    if (!RunStatement(connection, "CREATE TEMP TABLE IF NOT EXISTS ExportChosen (ID INTEGER PRIMARY KEY)") ||
        !RunStatement(connection, "DELETE FROM temp.ExportChosen"))
        return std::nullopt;
    for (const std::int32_t id : ids)
        if (!RunStatement(connection, "INSERT OR IGNORE INTO temp.ExportChosen (ID) VALUES (?)",
                          {static_cast<std::int64_t>(id)}))
            return std::nullopt;
    if (!CopyBattleRows(connection, "main", "export", "(SELECT ID FROM temp.ExportChosen)", {0, 0, 0}) ||
        !RunStatement(connection, "DELETE FROM temp.ExportChosen"))
        return std::nullopt;
    std::optional<int> battles;
    {
        CStatement count(connection, "SELECT COUNT(*) FROM export.Battles");
        if (count.Step())
            battles = static_cast<int>(count.ColumnInt(0));
    }
    return battles && transaction.Commit() ? battles : std::nullopt;
}

// Fills the new archive `file` with the chosen battles: how many went there,
// or nothing when it could not be written; `error` then says why when the
// file could not even be made.
std::optional<int> FillNewArchive(CConnection& connection, std::span<const std::int32_t> ids,
                                  const fs::path& file, std::string& error) {
    if (!MakeEmptyArchive(file, ArchiveFormat(connection), error))
        return std::nullopt;
    const std::string name = file.string();
    std::optional<int> battles;
    // A file that fails half-written is removed whole, so its journal may
    // stay in memory; the commit then writes one journal file and needs no
    // super-journal, which a file system that cannot make files on demand
    // (the browser's private one) has no room for.
    if (RunStatement(connection, "ATTACH DATABASE ? AS export", {std::string_view(name)})) {
        if (RunStatement(connection, "PRAGMA export.journal_mode = MEMORY"))
            battles = CopyChosenBattles(connection, ids);
        if (!RunStatement(connection, "DETACH DATABASE export"))
            battles.reset();
    }
    return battles;
}

std::string CannotWrite(const fs::path& file) {
    return CoreTexts().Format("export.cannotWrite", {{"file", Quoted(file)}});
}

// The refusal to write over the archive that is open, or nothing.
std::optional<ArchiveExportResult> RefusalAsInUse(CConnection& connection, const fs::path& file) {
    if (!IsArchiveInUse(connection, file))
        return std::nullopt;
    ArchiveExportResult refused;
    refused.error = CoreTexts().Format("export.archiveInUse", {{"file", Quoted(file)}});
    return refused;
}

} // namespace

ArchiveExportResult WriteBattlesIntoArchive(CConnection& connection, std::span<const std::int32_t> ids,
                                            const fs::path& file) {
    if (auto refused = RefusalAsInUse(connection, file))
        return *refused;
    ArchiveExportResult result;
    const std::optional<int> battles = FillNewArchive(connection, ids, file, result.error);
    // A schema that could not be written leaves no error of the file's own:
    // it must not pass for an empty export.
    if (!battles && result.error.empty())
        result.error = CannotWrite(file);
    result.battles = battles.value_or(0);
    return result;
}

ArchiveExportResult ExportBattlesAsArchive(CConnection& connection, std::span<const std::int32_t> ids,
                                           const fs::path& target) {
    if (auto refused = RefusalAsInUse(connection, target))
        return *refused;
    ArchiveExportResult result;
    fs::path partial = target;
    partial += ".part";
    const std::optional<int> battles = FillNewArchive(connection, ids, partial, result.error);
    std::error_code ec;
    if (battles)
        fs::rename(partial, target, ec);
    if (!battles || ec) {
        fs::remove(partial, ec);
        if (battles || result.error.empty())
            result.error = CannotWrite(target);
        return result;
    }
    result.battles = *battles;
    return result;
}

} // namespace skarnwald
