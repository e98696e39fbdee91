// What the archive and statistics tabs call: the stored battles found by a
// filter, a stored battle's page, deleting, the CSV files, the personal record
// and its course over time. Every figure and text comes from the same archive
// code the desktop and the command line use; the page only lays them out.

#include "JsValues.h"
#include "WebArchive.h"

#include "archive/BattleBrowser.h"
#include "archive/BattleTimeline.h"
#include "archive/CsvExport.h"
#include "archive/PersonalRecord.h"
#include "archive/Query.h"
#include "archive/SettingsStore.h"
#include "archive/StoredBattlePage.h"
#include "text/Catalog.h"
#include "writers/PageFileName.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using emscripten::val;
using skarnwald::web::Archive;
using skarnwald::web::Bytes;
using skarnwald::web::TextField;

// The fields each listed battle has in `text`: the date as the command line
// lists it, the coordinates, the place and the name its page is offered under
// (without an extension).
constexpr int kListFields = 4;

template <typename T> val TypedArray(const char* type, const std::vector<T>& values) {
    // A copy: the view points into memory that is freed when this call returns.
    return val::global(type).new_(emscripten::typed_memory_view(values.size(), values.data()));
}

// filter: {search, from, to ("YYYY-MM-DD" or ""), order ("newest", "coords"
// or anything else for oldest first)}.
skarnwald::BattleFilter FilterOf(const val& filter) {
    skarnwald::BattleFilter found;
    found.search = TextField(filter, "search");
    found.from = TextField(filter, "from");
    found.to = TextField(filter, "to");
    const std::string order = TextField(filter, "order");
    found.order = order == "newest"   ? skarnwald::BattleOrder::NewestFirst
                  : order == "coords" ? skarnwald::BattleOrder::Coords
                                      : skarnwald::BattleOrder::OldestFirst;
    return found;
}

std::vector<skarnwald::StoredBattle> Found(const val& filter) {
    if (!Archive())
        return {};
    return skarnwald::FindBattles(*Archive(), FilterOf(filter))
        .value_or(std::vector<skarnwald::StoredBattle>{});
}

// The battles as three arrays rather than one object each, so ten thousand
// of them cross into the page at once: ids, every field's bytes one after
// another in `text`, and where each field ends (kListFields per battle).
val FindStoredBattles(val filter) {
    std::vector<std::int32_t> ids;
    std::vector<std::uint32_t> ends;
    std::string text;
    for (const skarnwald::StoredBattle& battle : Found(filter)) {
        ids.push_back(battle.id);
        for (const std::string& field :
             {skarnwald::FormatStoredDate(battle.datum, skarnwald::DateStyle::DateTime), battle.coords,
              battle.name, skarnwald::PageFileStem(battle.coords, battle.datum.substr(0, 10))}) {
            text += field;
            ends.push_back(static_cast<std::uint32_t>(text.size()));
        }
    }
    val result = val::object();
    result.set("ids", TypedArray("Int32Array", ids));
    result.set("ends", TypedArray("Uint32Array", ends));
    result.set("text", Bytes(text));
    result.set("fields", kListFields);
    return result;
}

// The stored battle's page as bytes; empty when it could not be read.
val StoredBattlePage(std::int32_t battleId) {
    if (!Archive())
        return Bytes({});
    std::ostringstream page;
    return Bytes(skarnwald::RenderStoredBattle(*Archive(), page, battleId) ? page.str() : std::string());
}

// "deleted", "unknown" or "failed".
std::string DeleteStoredBattle(std::int32_t battleId) {
    if (!Archive())
        return "failed";
    switch (skarnwald::DeleteBattle(*Archive(), battleId)) {
    case skarnwald::DeleteOutcome::Deleted:
        return "deleted";
    case skarnwald::DeleteOutcome::Unknown:
        return "unknown";
    case skarnwald::DeleteOutcome::Failed:
        break;
    }
    return "failed";
}

bool DeleteAllStoredBattles() {
    return Archive() && skarnwald::DeleteAllBattles(*Archive());
}

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The battles the filter finds as CSV files, written by the archive's own
// export into a scratch folder of the memory file system and read back:
// {files: [{name, bytes}], battles, error}. table: "kaempfe", "flottenzeilen",
// "kampfzeilen" or "" for all three; separator "," or ";".
val ExportCsv(val filter, std::string table, std::string separator) {
    val result = val::object();
    val files = val::array();
    result.set("files", files);
    if (!Archive()) {
        result.set("error", std::string(skarnwald::CoreTexts().Text("web.archiveClosed")));
        return result;
    }
    std::vector<std::int32_t> ids;
    for (const skarnwald::StoredBattle& battle : Found(filter))
        ids.push_back(battle.id);
    std::vector<skarnwald::CsvTable> tables;
    for (skarnwald::CsvTable each : skarnwald::kAllCsvTables)
        if (table.empty() || skarnwald::CsvFileName(each) == table + ".csv")
            tables.push_back(each);
    const std::filesystem::path folder = "/tmp/csv-export";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    const skarnwald::CsvOptions options{separator == ";" ? ';' : ','};
    const auto exported = skarnwald::ExportBattlesAsCsv(*Archive(), ids, folder, tables, options);
    for (const std::filesystem::path& file : exported.written) {
        val entry = val::object();
        entry.set("name", file.filename().string());
        entry.set("bytes", Bytes(FileBytes(file)));
        files.call<void>("push", entry);
    }
    std::filesystem::remove_all(folder, ignored);
    result.set("battles", static_cast<double>(ids.size()));
    result.set("error", exported.error);
    return result;
}

val Texts(const skarnwald::PerClass<std::string>& values) {
    val texts = val::array();
    for (const std::string& value : values)
        texts.call<void>("push", value);
    return texts;
}

// The record's texts as the personal statistics dialog shows them; null when
// it could not be read.
val RecordOf(const std::optional<skarnwald::PersonalRecordView>& record) {
    if (!record)
        return val::null();
    val shown = val::object();
    shown.set("kills", Texts(record->kills));
    shown.set("losses", Texts(record->losses));
    shown.set("ratios", Texts(record->ratios));
    shown.set("killsTotal", record->killsTotal);
    shown.set("lossesTotal", record->lossesTotal);
    shown.set("totalRatio", record->totalRatio);
    shown.set("roidGain", record->roidGain);
    shown.set("roidLoss", record->roidLoss);
    shown.set("roidRatio", record->roidRatio);
    return shown;
}

val PersonalRecord() {
    return Archive() ? RecordOf(skarnwald::LoadPersonalRecord(*Archive())) : val::null();
}

val ResetPersonalRecord() {
    if (!Archive() || !skarnwald::ResetPersonalRecord(*Archive()))
        return val::null();
    return RecordOf(skarnwald::ZeroedPersonalRecord());
}

// The course per "day" or "week": {ownCoords, points: [{period, battles,
// shipsLost, shipsDestroyed, roidsWon, roidsLost}]}.
val Timeline(std::string step) {
    val result = val::object();
    val points = val::array();
    result.set("points", points);
    if (!Archive())
        return result;
    const std::string ownCoords = skarnwald::ReadSetting(*Archive(), skarnwald::kOwnCoordsSetting);
    result.set("ownCoords", ownCoords);
    const auto battles = skarnwald::LoadBattleFigures(*Archive(), ownCoords);
    if (!battles)
        return result;
    const auto perPeriod = skarnwald::SumPerPeriod(*battles, step == "week" ? skarnwald::TimelineStep::Week
                                                                            : skarnwald::TimelineStep::Day);
    for (const skarnwald::TimelinePoint& each : perPeriod) {
        val point = val::object();
        point.set("period", each.period);
        point.set("battles", each.battles);
        point.set("shipsLost", static_cast<double>(each.shipsLost));
        point.set("shipsDestroyed", static_cast<double>(each.shipsDestroyed));
        point.set("roidsWon", static_cast<double>(each.roidsWon));
        point.set("roidsLost", static_cast<double>(each.roidsLost));
        points.call<void>("push", point);
    }
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(archive_views) {
    emscripten::function("findStoredBattles", &FindStoredBattles);
    emscripten::function("storedBattlePage", &StoredBattlePage);
    emscripten::function("deleteStoredBattle", &DeleteStoredBattle);
    emscripten::function("deleteAllStoredBattles", &DeleteAllStoredBattles);
    emscripten::function("exportCsv", &ExportCsv);
    emscripten::function("personalRecord", &PersonalRecord);
    emscripten::function("resetPersonalRecord", &ResetPersonalRecord);
    emscripten::function("timeline", &Timeline);
}
