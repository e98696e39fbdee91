// A conversion killed at a random point while it stores its battles leaves a
// sound database holding all or none of that conversion's rows.

#include "DbTestSupport.h"
#include "GeneratedReport.h"

#include "archive/SettingsStore.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <random>
#include <thread>

namespace skarnwald::testing {
namespace {

constexpr std::array<std::string_view, 4> kTables = {"Battles", "Agility", "Battle_Details", "Statistik"};
// The rows of the four battle tables and the sum of the personal record.
using TableCounts = std::array<int, kTables.size() + 1>;

TableCounts CountAll(CConnection& connection) {
    TableCounts counts{};
    for (std::size_t i = 0; i < kTables.size(); ++i)
        counts[i] = CountRows(connection, kTables[i]);
    counts.back() = std::stoi(QueryText(connection,
                                        "SELECT SUM(Shuttle + Fighter + Fregatte + Corvette + Starcruiser + "
                                        "Battleship + Doomstar) AS S FROM PersStat",
                                        "S"));
    return counts;
}

ConnectionPtr OpenOrFail(const std::filesystem::path& file) {
    OpenResult opened = CConnection::Open(file);
    EXPECT_TRUE(opened.connection) << opened.error;
    return opened.connection;
}

// Opens the database, converts with storing on and ends.
[[noreturn]] void ConvertAndExit(const std::filesystem::path& file, const std::string& report) {
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection)
        _exit(2);
    CBattleDatabase store;
    store.SetConnection(opened.connection);
    CReportConverter converter;
    const StoringSettings settings = ReadStoringSettings(*opened.connection);
    converter.ownCoords = settings.ownCoords;
    CStoringWriter storing(store, settings);
    converter.AddWriter(&storing);
    std::ofstream sink("/dev/null");
    ConvertToPage(converter, report, sink);
    store.SetConnection(nullptr);
    opened.connection.reset();
    _exit(0);
}

TEST(KilledConversion, LeavesAllOrNothingOfThatConversion) {
    TempFolder folder;
    const std::filesystem::path file = folder / "Data.dat";
    const std::string report = GenerateReport(1500);

    // One undisturbed conversion gives the rows a whole one adds and its time.
    TableCounts perConversion{};
    std::chrono::steady_clock::duration conversionTime{};
    {
        const ConnectionPtr connection = OpenOrFail(file);
        ASSERT_TRUE(connection);
        EnsureSettingsRows(*connection);
        WriteStoreSetting(*connection, 1);
        WritePersStatSetting(*connection, 1);
        WriteOwnCoords(*connection, FleetCoords(5));
    }
    {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ConvertAndExit(file, report);
        int status = 0;
        waitpid(child, &status, 0);
        conversionTime = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const ConnectionPtr connection = OpenOrFail(file);
        ASSERT_TRUE(connection);
        perConversion = CountAll(*connection);
        ASSERT_GT(perConversion[2], 0);
        ASSERT_GT(perConversion.back(), 0);
    }

    std::mt19937 random(20261208);
    std::uniform_int_distribution<long long> delayUs(
        0, std::chrono::duration_cast<std::chrono::microseconds>(conversionTime).count() * 6 / 5);
    int interruptedWrites = 0;
    for (int run = 0; run < 40; ++run) {
        TableCounts before{};
        {
            const ConnectionPtr connection = OpenOrFail(file);
            ASSERT_TRUE(connection);
            before = CountAll(*connection);
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ConvertAndExit(file, report);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        interruptedWrites += std::filesystem::exists(folder / "Data.dat-journal") ? 1 : 0;

        const ConnectionPtr connection = OpenOrFail(file);
        ASSERT_TRUE(connection) << "run " << run;
        ExpectConsistent(*connection);
        const TableCounts after = CountAll(*connection);
        TableCounts whole = before;
        for (std::size_t i = 0; i < whole.size(); ++i)
            whole[i] += perConversion[i];
        EXPECT_TRUE(after == before || after == whole)
            << "run " << run << ": " << after[0] << " battles, " << after[1] << " fleet lines, " << after[2]
            << " combat lines, " << after[3] << " statistics rows, " << after[4] << " in the personal record";
    }
    // The kills must really have landed while rows were being written.
    EXPECT_GT(interruptedWrites, 0);
}

} // namespace
} // namespace skarnwald::testing
