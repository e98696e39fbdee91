// Converting a long report with storing on into a fresh database: median of
// several runs, the commit included, and the size of the file afterwards.

#include "GeneratedReport.h"

#include "convert/ReportConverter.h"
#include "db/BattleDatabase.h"
#include "db/Connection.h"
#include "db/SettingsStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skarnwald;

class PrintingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override {
        std::fprintf(stderr, "Datenbankfehler: %.*s\n", static_cast<int>(message.size()), message.data());
    }
};

// One conversion into a fresh Data.dat; returns the seconds it took.
double ConvertIntoFreshDatabase(const fs::path& file, const std::string& report, std::uintmax_t& fileSize) {
    fs::remove(file);
    PrintingReporter reporter;
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        std::exit(1);
    }
    opened.connection->SetErrorReporter(&reporter);
    EnsureSettingsRows(*opened.connection);
    WriteStoreSetting(*opened.connection, 1);

    CBattleDatabase store;
    store.SetConnection(opened.connection);
    CReportConverter converter;
    converter.storeInDb = store.ReadStoreSetting();
    converter.SetStore(&store);
    std::ostringstream page;
    const auto start = std::chrono::steady_clock::now();
    converter.ConvertReport(report, page);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    store.SetConnection(nullptr);
    opened.connection.reset();
    fileSize = fs::file_size(file);
    return seconds;
}

} // namespace

int main() {
    constexpr int kLines = 20000;
    constexpr int kRuns = 7;
    const std::string report = skarnwald::testing::GenerateReport(kLines);
    std::string folderPattern = (fs::temp_directory_path() / "skarnwald-bench-XXXXXX").string();
    const fs::path folder = mkdtemp(folderPattern.data());
    const fs::path file = folder / "Data.dat";

    std::vector<double> seconds;
    std::uintmax_t fileSize = 0;
    for (int run = 0; run < kRuns; ++run)
        seconds.push_back(ConvertIntoFreshDatabase(file, report, fileSize));
    std::sort(seconds.begin(), seconds.end());
    std::printf("Bericht mit %d Zeilen (%zu Bytes), DBSpeichern = 1, %d Läufe\n", kLines, report.size(),
                kRuns);
    std::printf("Median: %.3f s (schnellster %.3f s, langsamster %.3f s), Commit eingeschlossen\n",
                seconds[kRuns / 2], seconds.front(), seconds.back());
    std::printf("Data.dat danach: %ju Bytes\n", fileSize);
    fs::remove_all(folder);
    return 0;
}
