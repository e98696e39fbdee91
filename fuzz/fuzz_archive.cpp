// Opens arbitrary bytes as an archive file and runs every reader of stored
// battles over it: the list in every order and a search, the fleet lines and
// the page of every battle, the CSV export, the personal record and the
// timeline; then it stores one more report and reads everything again.
// Errors of the database are expected; a crash, a hang or a page that is not
// UTF-8 is not. Taking such a file in as a foreign archive is fuzz_import's.

#include "ArchiveInput.h"
#include "FuzzSupport.h"
#include "StoredReport.h"
#include "archive/BattleBrowser.h"
#include "archive/BattleTimeline.h"
#include "archive/Connection.h"
#include "archive/CsvExport.h"
#include "archive/PersonalRecord.h"
#include "archive/StoredBattlePage.h"
#include "text/Utf8Text.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

using namespace skarnwald;
using fuzzing::Require;

class IgnoringReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view) override {}
};

// The orders differ only in their ORDER BY, so the pages are made once.
void ReadEveryBattle(CConnection& connection) {
    for (BattleOrder order : {BattleOrder::Coords, BattleOrder::NewestFirst})
        FindBattles(connection, {{}, {}, {}, order});
    FindBattles(connection, {"1.2", "2004-01-01", "2030-12-31", BattleOrder::NewestFirst});
    const auto battles = FindBattles(connection, {{}, {}, {}, BattleOrder::OldestFirst});
    if (!battles)
        return;
    static fuzzing::PageStream page;
    for (const StoredBattle& battle : *battles) {
        Require(IsValidUtf8(BattleItemOf(battle).text));
        LoadFleetLines(connection, battle.id);
        if (RenderStoredBattle(connection, page.Restart(), battle.id))
            Require(IsValidUtf8(page.Page()));
    }
}

void ExportAsCsv(CConnection& connection) {
    const auto battles = FindBattles(connection, {});
    if (!battles)
        return;
    std::vector<std::int32_t> ids;
    for (const StoredBattle& battle : *battles)
        ids.push_back(battle.id);
    for (bool raw : {false, true})
        ExportBattlesAsCsv(connection, ids, fuzzing::WorkFolder() / "csv", kAllCsvTables,
                           {raw ? ';' : ',', raw});
}

void ReadFigures(CConnection& connection) {
    LoadPersonalRecord(connection);
    if (const auto figures = LoadBattleFigures(connection, "1.2.3"))
        for (TimelineStep step : {TimelineStep::Day, TimelineStep::Week})
            SumPerPeriod(*figures, step);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OpenResult opened = CConnection::Open(fuzzing::WriteArchiveFile(data, size));
    if (!opened.connection) {
        Require(!opened.error.empty());
        return 0;
    }
    // Nothing else uses the file, so the lock stays taken instead of being
    // taken and checked again by every statement.
    sqlite3_exec(opened.connection->Handle(), "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
    IgnoringReporter reporter;
    opened.connection->SetErrorReporter(&reporter);
    ReadEveryBattle(*opened.connection);
    ExportAsCsv(*opened.connection);
    ReadFigures(*opened.connection);
    testing::StoreReport(opened.connection, testing::kStoredReport);
    ReadEveryBattle(*opened.connection);
    return 0;
}
