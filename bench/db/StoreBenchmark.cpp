// Converting a long report with storing on into a fresh database, against the
// same conversion with storing off: medians of several runs, the commit
// included, and the size of the file afterwards.
// Usage: bench_db_store [REPORT [RUNS]]  (without REPORT a generated report of
//        20,000 lines; skarnwald-convert-bench write shared4000 FILE writes
//        the long multi-battle report)

#include "GeneratedReport.h"

#include "archive/BattleDatabase.h"
#include "archive/Connection.h"
#include "archive/SettingsStore.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/ReportFiles.h"
#include "writers/HtmlWriter.h"

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

// One conversion into a fresh Data.dat with storing switched as `store`;
// returns the seconds it took.
double ConvertIntoFreshDatabase(const fs::path& file, const std::string& report, int store,
                                std::uintmax_t& fileSize) {
    fs::remove(file);
    PrintingReporter reporter;
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        std::exit(1);
    }
    opened.connection->SetErrorReporter(&reporter);
    EnsureSettingsRows(*opened.connection);
    WriteStoreSetting(*opened.connection, store);

    CBattleDatabase database;
    database.SetConnection(opened.connection);
    CReportConverter converter;
    CStoringWriter storing(database,
                           {ReadStoringSettings(*opened.connection).storeInDb, 0, converter.ownCoords});
    converter.AddWriter(&storing);
    std::ostringstream page;
    const auto start = std::chrono::steady_clock::now();
    ConvertToPage(converter, report, page);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    database.SetConnection(nullptr);
    opened.connection.reset();
    fileSize = fs::file_size(file);
    return seconds;
}

std::string LoadReport(int argc, char** argv) {
    if (argc < 2)
        return skarnwald::testing::GenerateReport(20000);
    ReadResult read = ReadReportFile(argv[1]);
    if (!read.text) {
        std::fprintf(stderr, "%s kann nicht gelesen werden\n", argv[1]);
        std::exit(1);
    }
    return std::move(*read.text);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::string report = LoadReport(argc, argv);
    std::string folderPattern = (fs::temp_directory_path() / "skarnwald-bench-XXXXXX").string();
    const fs::path folder = mkdtemp(folderPattern.data());
    const fs::path file = folder / "Data.dat";

    std::vector<double> stored, plain;
    std::uintmax_t fileSize = 0, plainSize = 0;
    for (int run = 0; run < runs; ++run) {
        plain.push_back(ConvertIntoFreshDatabase(file, report, 0, plainSize));
        stored.push_back(ConvertIntoFreshDatabase(file, report, 1, fileSize));
    }
    std::printf("Bericht %s (%zu Bytes), %d Läufe, Median mit Commit\n", argc > 1 ? argv[1] : "erzeugt",
                report.size(), runs);
    std::printf("DBSpeichern = 0: %.3f s\n", Median(plain));
    std::printf("DBSpeichern = 1: %.3f s (schnellster %.3f s, langsamster %.3f s), %.2f x\n", Median(stored),
                *std::min_element(stored.begin(), stored.end()),
                *std::max_element(stored.begin(), stored.end()), Median(stored) / Median(plain));
    std::printf("Data.dat danach: %ju Bytes\n", fileSize);
    fs::remove_all(folder);
    return 0;
}
