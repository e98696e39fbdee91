// Opens arbitrary bytes as an archive file and runs every reader of stored
// battles over it: the list and a search, the fleet lines and the page of
// every battle, the CSV export, the personal record, the timeline, taking it
// in as a foreign archive, and storing one more report. Errors of the
// database are expected; a crash, a hang or a page that is not UTF-8 is not.

#include "StoredReport.h"
#include "archive/ArchiveImport.h"
#include "archive/BattleBrowser.h"
#include "archive/BattleDatabase.h"
#include "archive/BattleTimeline.h"
#include "archive/Connection.h"
#include "archive/CsvExport.h"
#include "archive/PersonalRecord.h"
#include "text/Utf8Text.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace skarnwald;
namespace fs = std::filesystem;

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

class IgnoringReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view) override {}
};

// One folder per fuzzing process, on a memory file system when there is one,
// removed when the process ends.
class WorkFolderOfProcess {
public:
    WorkFolderOfProcess() {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        path = base / ("skarnwald-fuzz-archive-" + std::to_string(getpid()));
        fs::create_directories(path);
    }
    ~WorkFolderOfProcess() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

const fs::path& WorkFolder() {
    static const WorkFolderOfProcess folder;
    return folder.path;
}

void ReadEveryBattle(CConnection& connection, const ConnectionPtr& shared) {
    CBattleDatabase database;
    database.SetConnection(shared);
    for (BattleOrder order : {BattleOrder::OldestFirst, BattleOrder::Coords}) {
        const auto battles = FindBattles(connection, {{}, {}, {}, order});
        if (!battles)
            return;
        for (const StoredBattle& battle : *battles) {
            Require(IsValidUtf8(BattleItemOf(battle).text));
            LoadFleetLines(connection, battle.id);
            std::ostringstream page;
            if (database.RenderBattle(page, battle.id))
                Require(IsValidUtf8(page.str()));
        }
    }
    FindBattles(connection, {"1.2", "2004-01-01", "2030-12-31", BattleOrder::NewestFirst});
}

void ExportAsCsv(CConnection& connection) {
    const auto battles = FindBattles(connection, {});
    if (!battles)
        return;
    std::vector<std::int32_t> ids;
    for (const StoredBattle& battle : *battles)
        ids.push_back(battle.id);
    for (bool raw : {false, true})
        ExportBattlesAsCsv(connection, ids, WorkFolder() / "csv", kAllCsvTables, {raw ? ';' : ',', raw});
}

void ReadFigures(CConnection& connection) {
    LoadPersonalRecord(connection);
    if (const auto figures = LoadBattleFigures(connection, "1.2.3"))
        for (TimelineStep step : {TimelineStep::Day, TimelineStep::Week})
            SumPerPeriod(*figures, step);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = WorkFolder() / "Data.dat";
    std::error_code ec;
    for (const char* leftover : {"Data.dat-journal", "fresh.dat", "fresh.dat-journal"})
        fs::remove(WorkFolder() / leftover, ec);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // Taken in first, while the file is still as it came.
    CopyArchive(file, WorkFolder() / "fresh.dat");

    OpenResult opened = CConnection::Open(file);
    if (!opened.connection) {
        Require(!opened.error.empty());
        return 0;
    }
    IgnoringReporter reporter;
    opened.connection->SetErrorReporter(&reporter);
    ReadEveryBattle(*opened.connection, opened.connection);
    ExportAsCsv(*opened.connection);
    ReadFigures(*opened.connection);
    testing::StoreReport(opened.connection, testing::kStoredReport);
    ReadEveryBattle(*opened.connection, opened.connection);
    return 0;
}
