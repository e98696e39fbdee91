// What the archive file section and the storing switches call: the
// archive's settings, its number of battles, and another archive file
// checked and made ready to take its place (the worker moves it there).

#include "ArchiveStore.h"
#include "JsValues.h"
#include "WebArchive.h"

#include "archive/ArchiveExport.h"
#include "archive/ArchiveImport.h"
#include "archive/BattleDatabase.h"
#include "archive/Query.h"
#include "archive/SettingsStore.h"
#include "archive/StoringWriter.h"
#include "text/Catalog.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <filesystem>
#include <utility>

namespace skarnwald::web {

namespace {

// Every field of the personal record, to tell whether a conversion added to
// it: a battle counted before, one without the own fleet or a conversion
// without Koords leaves it as it was.
std::string PersonalRecordRows(CConnection& connection) {
    std::string rows;
    CStatement read(connection, "SELECT * FROM PersStat ORDER BY Typ");
    while (read.Step()) {
        for (int column = 0; column < read.ColumnCount(); ++column) {
            rows += read.ReadField(read.ColumnName(column), DateStyle::DateTime);
            rows += '\x1f';
        }
        rows += '\n';
    }
    return rows;
}

} // namespace

StoredConversion ConvertIntoArchive(std::string bytes, ConversionOptions options, bool storeBattles) {
    StoredConversion result;
    if (!Archive()) {
        result.conversion = ConvertReportBytes(std::move(bytes), options);
        return result;
    }
    CBattleDatabase database;
    database.SetConnection(Archive());
    StoringSettings settings = ReadStoringSettings(*Archive());
    if (storeBattles)
        settings.storeInDb = 1;
    CStoringWriter storing(database, std::move(settings));
    // A conversion that hides anything leaves the store idle.
    const bool keepsRecord = !options.redaction.Any() && storing.Settings().KeepsRecord();
    const std::string recordBefore = keepsRecord ? PersonalRecordRows(*Archive()) : std::string();
    if (storing.Settings().Any())
        options.storing = &storing;
    result.conversion = ConvertReportBytes(std::move(bytes), options);
    const bool stores = !options.redaction.Any() && result.conversion.battles > 0;
    result.storedBattles = stores && storing.Settings().StoresBattles();
    result.keptRecord = stores && keepsRecord && PersonalRecordRows(*Archive()) != recordBefore;
    result.skipped = database.SkippedBattles();
    return result;
}

} // namespace skarnwald::web

namespace {

using emscripten::val;
namespace fs = std::filesystem;
namespace web = skarnwald::web;

// {store, persStat, ownCoords}: the switches as the converter counts them
// (on only when 1) and the Koords text as stored.
val ArchiveSettings() {
    val settings = val::object();
    if (!web::Archive())
        return settings;
    const skarnwald::StoringSettings stored = skarnwald::ReadStoringSettings(*web::Archive());
    settings.set("store", stored.StoresBattles());
    settings.set("persStat", stored.KeepsRecord());
    settings.set("ownCoords", stored.ownCoords);
    return settings;
}

// Writes the settings `changes` names ({store, persStat, ownCoords}, each
// optional), creating their rows first as the settings dialog does.
bool WriteArchiveSettings(val changes) {
    const skarnwald::ConnectionPtr& archive = web::Archive();
    if (!archive)
        return false;
    skarnwald::EnsureSettingsRows(*archive);
    if (changes.hasOwnProperty("store"))
        skarnwald::WriteStoreSetting(*archive, changes["store"].isTrue() ? 1 : 0);
    if (changes.hasOwnProperty("persStat"))
        skarnwald::WritePersStatSetting(*archive, changes["persStat"].isTrue() ? 1 : 0);
    if (changes.hasOwnProperty("ownCoords"))
        skarnwald::WriteOwnCoords(*archive, changes["ownCoords"].as<std::string>());
    return true;
}

double ArchiveBattles() {
    if (!web::Archive())
        return 0;
    skarnwald::CStatement count(*web::Archive(), "SELECT COUNT(*) FROM Battles");
    return count.Step() ? static_cast<double>(count.ColumnInt(0)) : 0;
}

// The core's messages name files by their paths in the module; the player
// knows the chosen file by the name it had on the disk, and the archive as
// Data.dat.
std::string NamedAsShown(std::string message, const std::string& chosenName) {
    const std::pair<std::string, std::string> names[] = {
        {web::OpfsPath(web::kChosenName), chosenName},
        {web::OpfsPath(web::kArchiveName), web::kArchiveName},
    };
    for (const auto& [file, name] : names) {
        const std::string path = "'" + file + "'";
        const std::string shown = "„" + name + "“";
        for (std::size_t at = message.find(path); at != std::string::npos;
             at = message.find(path, at + shown.size()))
            message.replace(at, path.size(), shown);
    }
    return message;
}

// Checks the chosen file (a SQLite file, whole, with the archive's tables)
// and builds the archive it would become, brought up to date as when the
// desktop program takes it in; the worker has opened both files, the second
// one empty. {error, battles, dropped}; error is empty when it can replace
// the archive, dropped says what of the file stays behind (its triggers,
// views and the like), or is empty.
val CheckChosenArchive(const std::string& name) {
    const skarnwald::ImportResult taken =
        skarnwald::CopyArchive(web::OpfsPath(web::kChosenName), web::OpfsPath(web::kTakenInName));
    val result = val::object();
    result.set("error", NamedAsShown(taken.error, name));
    result.set("battles", taken.battles);
    result.set("dropped", skarnwald::DroppedObjectsNote(taken));
    return result;
}

// Adds the battles of the chosen file that the archive does not hold yet,
// by the core's own merge: the file is checked and copied as loading does,
// its battles recognised by their digests, the archive's settings and
// personal record left alone. The worker has closed the archive, which the
// merge opens itself, and opened the chosen file and an empty one for the
// copy. {error, added, alreadyThere, dropped}.
val MergeChosenArchive(const std::string& name) {
    const skarnwald::ImportResult merged = skarnwald::ImportArchive(
        web::OpfsPath(web::kChosenName), web::OpfsPath(web::kArchiveName), skarnwald::ImportMode::Merge);
    val result = val::object();
    result.set("error", NamedAsShown(merged.error, name));
    result.set("added", merged.battles);
    result.set("alreadyThere", merged.skipped);
    result.set("dropped", skarnwald::DroppedObjectsNote(merged));
    return result;
}

// Writes the battles `ids` (an Int32Array) as an archive of their own into
// the selection file, which the worker has opened empty with its journal,
// to hand it out as it lies. {error, battles}.
val WriteSelectionArchive(const val& ids) {
    val result = val::object();
    if (!web::Archive()) {
        result.set("error", std::string(skarnwald::CoreTexts().Text("web.archiveClosed")));
        return result;
    }
    const auto chosen = emscripten::convertJSArrayToNumberVector<std::int32_t>(ids);
    const skarnwald::ArchiveExportResult written =
        skarnwald::WriteBattlesIntoArchive(*web::Archive(), chosen, web::OpfsPath(web::kSelectionName));
    result.set("error", written.error);
    result.set("battles", written.battles);
    return result;
}

// Converts `report` and stores it into a throwaway archive with storing and
// the personal record on, so that the engine has optimised the converter's
// and the storing code before a player's first report arrives. Nothing of it
// is kept; without that archive the report is only converted.
void WarmUp(const val& report, const std::string& ownCoords) {
    constexpr const char* kWarmUpFile = "/tmp/warm-up.dat";
    {
        const skarnwald::OpenResult opened = skarnwald::CConnection::Open(kWarmUpFile);
        skarnwald::CBattleDatabase database;
        database.SetConnection(opened.connection);
        skarnwald::CStoringWriter storing(database, {1, 1, ownCoords});
        skarnwald::ConversionOptions options = web::PageOptions({}, ownCoords, true);
        options.storing = opened.connection ? &storing : nullptr;
        web::ConvertReportBytes(web::BytesOf(report), options);
    }
    std::error_code ignored;
    fs::remove(kWarmUpFile, ignored);
}

} // namespace

EMSCRIPTEN_BINDINGS(archive_store) {
    emscripten::function("archiveSettings", &ArchiveSettings);
    emscripten::function("writeArchiveSettings", &WriteArchiveSettings);
    emscripten::function("archiveBattles", &ArchiveBattles);
    emscripten::function("checkChosenArchive", &CheckChosenArchive);
    emscripten::function("mergeChosenArchive", &MergeChosenArchive);
    emscripten::function("writeSelectionArchive", &WriteSelectionArchive);
    emscripten::function("warmUp", &WarmUp);
}
