#include "archive/ArchiveImport.h"

#include "archive/BattleDatabase.h"
#include "archive/BattleDigest.h"
#include "archive/Connection.h"
#include "archive/Query.h"
#include "archive/TextRepair.h"
#include "text/Catalog.h"
#include "text/ShipClass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <unordered_map>
#include <vector>

namespace skarnwald {

namespace {

namespace fs = std::filesystem;

using IdMap = std::unordered_map<std::int64_t, std::int64_t>;

// One table's copy: its columns in the order they are inserted. A row's id
// (the first column) is numbered anew when `ids` is set; a row whose parent
// (column `parentColumn`, an id of `parents`) was not copied is left out.
struct TableCopy {
    std::string_view table;
    std::span<const std::string_view> columns;
    IdMap* ids = nullptr;
    std::size_t parentColumn = 0;
    const IdMap* parents = nullptr;
};

constexpr std::string_view kBattleColumns[] = {"ID", "Datum", "Koords", "Name"};
constexpr std::string_view kFleetLineColumns[] = {
    "ID", "BattleID", "Agility", "Anzahl", "Schiffsname", "Schiffstyp", "Koords", "Name", "Kampftyp"};
constexpr std::string_view kCombatLineColumns[] = {"ID",         "AgilityID",   "Waffe",  "Tat", "Anzahl",
                                                   "Schiffstyp", "Schiffsname", "Koords", "Name"};

// `leading` columns, then the class columns that PersStat and Statistik share.
template <std::size_t N> constexpr auto WithClassColumns(const std::string_view (&leading)[N]) {
    std::array<std::string_view, N + kPersStatColumns.size()> columns{};
    std::copy(std::begin(leading), std::end(leading), columns.begin());
    std::copy(kPersStatColumns.begin(), kPersStatColumns.end(), columns.begin() + N);
    return columns;
}

constexpr auto kStatisticsColumns = WithClassColumns({"BattleID", "Koords", "Typ", "SortierID"});
constexpr std::string_view kAsteroidColumns[] = {"BattleID", "Gewinn", "Verlust"};
constexpr std::string_view kSettingColumns[] = {"Einstellung", "Wert"};
constexpr std::string_view kCountedColumns[] = {"Digest"};
constexpr auto kPersStatRowColumns = WithClassColumns({"Typ"});

std::string Quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

// The ordinary tables of the file: a virtual table of a known name is read
// as missing, so no foreign code answers for it.
std::vector<std::string> OrdinaryTables(CConnection& connection) {
    std::vector<std::string> tables;
    CStatement rows(connection, "SELECT name, sql FROM sqlite_master WHERE type = 'table'");
    while (rows.Step())
        if (!IsVirtualTableDefinition(rows.ReadField("sql")))
            tables.push_back(rows.ReadField("name"));
    return tables;
}

std::string InsertSql(const TableCopy& copy) {
    std::string sql = "INSERT OR REPLACE INTO " + std::string(copy.table) + " (";
    std::string marks;
    for (std::string_view column : copy.columns) {
        sql += std::string(marks.empty() ? "" : ",") + std::string(column);
        marks += marks.empty() ? "?" : ",?";
    }
    return sql + ") VALUES (" + marks + ")";
}

// Copies the rows of one table by value; false when a statement failed.
bool CopyTable(CConnection& from, CConnection& to, const TableCopy& copy, int& orphans) {
    const bool numbered = copy.ids != nullptr;
    CStatement rows(from, "SELECT * FROM " + std::string(copy.table) + (numbered ? " ORDER BY ID" : ""));
    CStatement insert(to, InsertSql(copy));
    std::vector<SqlValue> values(copy.columns.size());
    std::vector<int> positions(copy.columns.size());
    // Not the ranges form: the web build's standard library lacks it.
    std::transform(copy.columns.begin(), copy.columns.end(), positions.begin(),
                   [&](std::string_view column) { return rows.ColumnIndex(column); });
    std::int64_t next = 0;
    while (rows.Step()) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = rows.StoredValue(positions[i]);
        if (copy.parents) {
            const auto* old = std::get_if<std::int64_t>(&values[copy.parentColumn]);
            const auto parent = old ? copy.parents->find(*old) : copy.parents->end();
            if (parent == copy.parents->end()) {
                ++orphans;
                continue;
            }
            values[copy.parentColumn] = parent->second;
        }
        if (numbered) {
            if (const auto* old = std::get_if<std::int64_t>(&values[0]))
                (*copy.ids)[*old] = next + 1;
            values[0] = ++next;
        }
        if (!insert.BindForOneRun(values).Run())
            return false;
    }
    return !rows.Failed();
}

bool HasTable(const std::vector<std::string>& tables, std::string_view table) {
    return std::any_of(tables.begin(), tables.end(),
                       [&](const std::string& name) { return SameNameIgnoringCase(name, table); });
}

std::int64_t QueryNumber(CConnection& connection, const std::string& sql) {
    CStatement query(connection, sql);
    return query.Step() ? query.ColumnInt(0) : 0;
}

// Copies every known table `from` holds into the new archive `to`;
// `countedKept` tells whether it had the battles its record counted.
bool CopyTables(CConnection& from, CConnection& to, ImportResult& result, bool& countedKept) {
    IdMap battles, fleetLines, combatLines;
    const TableCopy copies[] = {
        {"Battles", kBattleColumns, &battles},
        {"Agility", kFleetLineColumns, &fleetLines, 1, &battles},
        {"Battle_Details", kCombatLineColumns, &combatLines, 1, &fleetLines},
        {"Statistik", kStatisticsColumns, nullptr, 0, &battles},
        {"BattleAsteroids", kAsteroidColumns, nullptr, 0, &battles},
        {"Einstellungen", kSettingColumns},
        {"PersStat", kPersStatRowColumns},
        {"PersStatCounted", kCountedColumns},
    };
    const std::vector<std::string> present = OrdinaryTables(from);
    CTransaction transaction(to);
    for (const TableCopy& copy : copies)
        if (HasTable(present, copy.table) && !CopyTable(from, to, copy, result.orphans))
            return false;
    // Counted in the new file, not by the old numbers: a foreign table may
    // number battles twice or not by whole numbers, and every row still came in.
    result.battles = static_cast<int>(QueryNumber(to, "SELECT count(*) FROM Battles"));
    countedKept = HasTable(present, "PersStatCounted");
    return transaction.Commit();
}

// Adds the battles of the new archive `fresh` that `target` does not hold
// yet, their ids after the ones there. Returns why it failed, or empty text.
std::string MergeInto(const fs::path& target, const fs::path& fresh, ImportResult& result) {
    OpenResult opened = CConnection::Open(target);
    if (!opened.connection)
        return opened.error;
    CConnection& db = *opened.connection;
    FirstDbError errors;
    db.SetErrorReporter(&errors);
    const std::string failed = CoreTexts().Format("import.cannotMerge", {{"file", Quoted(target)}});
    const std::string freshName = fresh.string();
    // The copy is only read and then removed: with its journal in memory
    // the commit writes one journal file and needs no super-journal beside
    // the archive, which a file system that cannot make files on demand
    // (the browser's private one) has no room for.
    if (!RunStatement(db, "ATTACH DATABASE ? AS import", {std::string_view(freshName)}) ||
        !RunStatement(db, "PRAGMA import.journal_mode = MEMORY"))
        return failed;
    CTransaction transaction(db);
    // The same battle twice in the foreign file goes in once, as when stored.
    RunStatement(db, "CREATE TEMP TABLE ImportKept AS SELECT MIN(BattleID) AS ID FROM import.BattleDigest "
                     "WHERE Digest NOT IN (SELECT d.Digest FROM main.BattleDigest d JOIN main.Battles b ON "
                     "b.ID = d.BattleID) GROUP BY Digest");
    std::array<std::int64_t, 3> offsets{};
    constexpr std::string_view kNumbered[] = {"Battles", "Agility", "Battle_Details"};
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::string table(kNumbered[i]);
        offsets[i] = QueryNumber(db, "SELECT COALESCE(MAX(ID), 0) FROM main." + table);
        if (offsets[i] < 0 || offsets[i] + QueryNumber(db, "SELECT COUNT(*) FROM import." + table) >
                                  std::numeric_limits<std::int32_t>::max())
            return CoreTexts().Format("import.noRoom", {{"file", Quoted(target)}});
    }
    if (!CopyBattleRows(db, "import", "main", "(SELECT ID FROM temp.ImportKept)", offsets))
        return failed;
    const auto taken = static_cast<int>(QueryNumber(db, "SELECT COUNT(*) FROM temp.ImportKept"));
    result.skipped = result.battles - taken;
    result.battles = taken;
    if (!transaction.Commit())
        return failed;
    RunStatement(db, "DETACH DATABASE import");
    return {};
}

} // namespace

bool CopyBattleRows(CConnection& db, std::string_view from, std::string_view to, std::string_view chosen,
                    const std::array<std::int64_t, 3>& offsets) {
    const std::string f(from), t(to), kept(chosen);
    // Each statement numbers its rows after the ones there: ?1 battles, ?2
    // fleet lines, ?3 combat lines; `uses` says how many of them it takes.
    struct Insert {
        std::string sql;
        std::size_t uses;
    };
    const Insert inserts[] = {
        {"INSERT INTO " + t + ".Battles (ID,Datum,Koords,Name) SELECT ID + ?1, Datum, Koords, Name FROM " +
             f + ".Battles WHERE ID IN " + kept,
         1},
        {"INSERT INTO " + t +
             ".Agility (ID,BattleID,Agility,Anzahl,Schiffsname,Schiffstyp,Koords,Name,Kampftyp) "
             "SELECT ID + ?2, BattleID + ?1, Agility, Anzahl, Schiffsname, Schiffstyp, Koords, Name, "
             "Kampftyp "
             "FROM " +
             f + ".Agility WHERE BattleID IN " + kept,
         2},
        {"INSERT INTO " + t +
             ".Battle_Details (ID,AgilityID,Waffe,Tat,Anzahl,Schiffstyp,Schiffsname,Koords,Name) "
             "SELECT d.ID + ?3, d.AgilityID + ?2, d.Waffe, d.Tat, d.Anzahl, d.Schiffstyp, d.Schiffsname, "
             "d.Koords, d.Name FROM " +
             f + ".Battle_Details d JOIN " + f + ".Agility a ON a.ID = d.AgilityID WHERE a.BattleID IN " +
             kept,
         3},
        {"INSERT INTO " + t +
             ".Statistik SELECT BattleID + ?1, Koords, Typ, SortierID, Shuttle, Fighter, "
             "Fregatte, Corvette, StarCruiser, BattleShip, Doomstar FROM " +
             f + ".Statistik WHERE BattleID IN " + kept,
         1},
        {"INSERT INTO " + t + ".BattleAsteroids SELECT BattleID + ?1, Gewinn, Verlust FROM " + f +
             ".BattleAsteroids WHERE BattleID IN " + kept,
         1},
        {"INSERT INTO " + t + ".BattleDigest SELECT BattleID + ?1, Digest FROM " + f +
             ".BattleDigest WHERE BattleID IN " + kept,
         1},
    };
    const SqlValue values[] = {offsets[0], offsets[1], offsets[2]};
    for (const auto& [sql, uses] : inserts) {
        CStatement insert(db, sql);
        if (!insert.BindForOneRun(std::span(values).first(uses)).Run())
            return false;
    }
    return true;
}

ImportResult CopyArchive(const fs::path& foreign, const fs::path& fresh) {
    ImportResult result;
    OpenResult source = CConnection::OpenForReading(foreign);
    if (!source.connection) {
        result.error = source.error;
        return result;
    }
    std::error_code ec;
    fs::remove(fresh, ec);
    OpenResult made = CConnection::Open(fresh);
    if (!made.connection) {
        result.error = made.error;
        return result;
    }
    FirstDbError errors;
    source.connection->SetErrorReporter(&errors);
    made.connection->SetErrorReporter(&errors);
    // A file from before the record kept the battles it counted has counted
    // every battle it stored, as when such a file is opened. Its rows are
    // in its own format, brought up to date with the digests.
    bool countedKept = false;
    const auto dropped = ForeignSchemaObjects(*source.connection);
    if (!dropped || !CopyTables(*source.connection, *made.connection, result, countedKept) ||
        !SetArchiveFormat(*made.connection, std::min(ArchiveFormat(*source.connection), kArchiveFormat)) ||
        !RepairStoredText(*made.connection) || !EnsureArchiveTables(*made.connection) ||
        (!countedKept && !RememberStoredAsCounted(*made.connection))) {
        result.error = CoreTexts().Format("import.cannotTakeIn", {{"file", Quoted(foreign)}});
        made.connection.reset();
        fs::remove(fresh, ec);
        return result;
    }
    result.dropped = *dropped;
    return result;
}

namespace {

// Whether `file` is refused for objects of its schema, which an import
// leaves behind.
bool HoldsForeignObjects(const fs::path& file) {
    const OpenResult source = CConnection::OpenForReading(file);
    const auto foreign = source.connection ? ForeignSchemaObjects(*source.connection) : std::nullopt;
    return foreign && !foreign->empty();
}

} // namespace

std::string DroppedObjectsNote(const ImportResult& result) {
    return result.dropped.empty()
               ? std::string()
               : CoreTexts().Format("import.dropped", {{"objects", ObjectList(result.dropped)}});
}

std::string ImportSummary(const ImportResult& result, const fs::path& target) {
    const CCatalog& texts = CoreTexts();
    std::string summary = texts.Plural("import.taken", result.battles, {{"file", target.string()}}) + "\n";
    if (!result.dropped.empty())
        summary += DroppedObjectsNote(result) + "\n";
    if (result.skipped > 0)
        summary += SkippedBattlesNote(result.skipped) + "\n";
    if (result.orphans > 0)
        summary += texts.Plural("import.orphans", result.orphans) + "\n";
    if (!result.backup.empty())
        summary += texts.Format("import.backup", {{"file", result.backup.string()}}) + "\n";
    return summary;
}

ImportResult ImportArchive(const fs::path& foreign, const fs::path& target, ImportMode mode) {
    std::error_code ec;
    ImportResult result;
    if (target.empty()) {
        result.error = CoreTexts().Text("import.noArchive");
        return result;
    }
    if (fs::equivalent(foreign, target, ec) && (mode == ImportMode::Merge || !HoldsForeignObjects(foreign))) {
        result.error = CoreTexts().Format("import.sameFile", {{"file", Quoted(foreign)}});
        return result;
    }
    fs::path fresh = target;
    fresh += ".import";
    result = CopyArchive(foreign, fresh);
    if (!result.error.empty())
        return result;
    if (mode == ImportMode::Merge) {
        result.error = MergeInto(target, fresh, result);
        fs::remove(fresh, ec);
        return result;
    }
    const bool kept = fs::exists(target, ec) && fs::file_size(target, ec) > 0;
    fs::path backup = target;
    backup += ".bak";
    if (kept)
        fs::rename(target, backup, ec);
    if (!ec) {
        fs::rename(fresh, target, ec);
        // The archive goes back where it was rather than staying a backup.
        if (ec && kept) {
            std::error_code ignored;
            fs::rename(backup, target, ignored);
        }
    }
    if (ec) {
        result.error = CoreTexts().Format("import.cannotReplace", {{"file", Quoted(target)}});
        std::error_code ignored;
        fs::remove(fresh, ignored);
        return result;
    }
    if (kept)
        result.backup = backup;
    return result;
}

} // namespace skarnwald
