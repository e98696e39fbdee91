// The database browser over a generated archive of 10,000 battles: loading
// the list the dialog shows, and searches as the user types them. Medians of
// several runs; with the desktop program built, the dialog itself as well.
// Then merging another archive of 10,000 battles, half of them in common, as
// players passing battles to each other do.

#include "GeneratedReport.h"

#include "archive/ArchiveImport.h"
#include "archive/BattleBrowser.h"
#include "archive/BattleDatabase.h"
#include "archive/Connection.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#ifdef SKARNWALD_BENCH_DIALOG
#include "app/db/CDatabaseDlg.h"

#include <QApplication>
#include <QLineEdit>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skarnwald;

constexpr int kBattles = 10000;
constexpr int kLinesPerBattle = 20; // header, four fleet lines, fifteen combat lines
constexpr int kRuns = 9;

ConnectionPtr OpenOrDie(const fs::path& file) {
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        std::exit(1);
    }
    return opened.connection;
}

// The generated battles from number `first` on, `count` of them.
std::string GeneratedBattles(int first, int count) {
    const std::string report = testing::GenerateReport((first + count) * kLinesPerBattle);
    std::size_t start = 0;
    for (int line = 0; line < first * kLinesPerBattle; ++line)
        start = report.find('\n', start) + 1;
    return report.substr(start);
}

void FillArchive(const fs::path& file, const std::string& report) {
    const ConnectionPtr connection = OpenOrDie(file);
    CBattleDatabase store;
    store.SetConnection(connection);
    CReportConverter converter;
    CStoringWriter storing(store, {1, 0, converter.ownCoords});
    converter.AddWriter(&storing);
    std::ostringstream page;
    ConvertToPage(converter, report, page);
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrintMedian(const char* what, std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-44s Median %7.1f ms (schnellster %7.1f, langsamster %7.1f)\n", what,
                1000 * seconds[seconds.size() / 2], 1000 * seconds.front(), 1000 * seconds.back());
}

void Measure(const char* what, const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run)
        seconds.push_back(Seconds(work));
    PrintMedian(what, std::move(seconds));
}

std::size_t FoundBattles(CConnection& connection, const std::string& search) {
    BattleFilter filter;
    filter.search = search;
    return FindBattles(connection, filter).value().size();
}

// Merges the archive `battles` into a fresh copy of another archive of as
// many battles, the second half of the first among them.
void MeasureMerge(const fs::path& battles, const fs::path& folder) {
    const fs::path other = folder / "Other.dat", target = folder / "Target.dat";
    std::printf("Zweites Archiv wird erzeugt: %d Kämpfe, %d davon gemeinsam ...\n", kBattles, kBattles / 2);
    FillArchive(other, GeneratedBattles(kBattles / 2, kBattles));
    ImportResult merged;
    std::vector<double> seconds;
    for (int run = 0; run < 5; ++run) {
        fs::copy_file(other, target, fs::copy_options::overwrite_existing);
        seconds.push_back(Seconds([&] { merged = ImportArchive(battles, target, ImportMode::Merge); }));
    }
    PrintMedian("Archiv zusammenführen (10.000 in 10.000)", std::move(seconds));
    if (!merged.error.empty()) {
        std::fprintf(stderr, "%s\n", merged.error.c_str());
        std::exit(1);
    }
    std::printf("%-44s %d hinzugefügt, %d schon vorhanden\n", "", merged.battles, merged.skipped);
}

} // namespace

int main(int argc, char** argv) {
    std::string folderPattern = (fs::temp_directory_path() / "skarnwald-bench-XXXXXX").string();
    const fs::path folder = mkdtemp(folderPattern.data());
    const fs::path file = folder / "Data.dat";
    std::printf("Archiv wird erzeugt: %d Kämpfe ...\n", kBattles);
    std::printf("  Umwandeln und Speichern: %.1f s\n",
                Seconds([&] { FillArchive(file, GeneratedBattles(0, kBattles)); }));
    const ConnectionPtr connection = OpenOrDie(file);
    std::printf("  Kämpfe gespeichert: %zu, Data.dat %ju Bytes\n", FoundBattles(*connection, ""),
                fs::file_size(file));

    Measure("Liste laden (alle Kämpfe, Zeilentexte)", [&] {
        const auto battles = FindBattles(*connection, {});
        for (const StoredBattle& battle : battles.value())
            BattleItemOf(battle);
    });
    for (const char* search : {"Owner7", "3.5.7", "Planet 4711", "nichts"}) {
        std::size_t found = 0;
        const std::string label = std::string("Suche \"") + search + "\"";
        Measure(label.c_str(), [&] { found = FoundBattles(*connection, search); });
        std::printf("%-44s %zu Treffer\n", "", found);
    }
    Measure("Kampf aufklappen (Flotten- und Kampfzeilen)",
            [&] { LoadFleetLines(*connection, kBattles / 2).value(); });

#ifdef SKARNWALD_BENCH_DIALOG
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Measure("Dialog öffnen (Qt, offscreen)", [&] { CDatabaseDlg dialog(connection); });
    CDatabaseDlg dialog(connection);
    auto* searchEdit = dialog.findChild<QLineEdit*>("searchEdit");
    for (const char* search : {"Owner7", "3.5.7"}) {
        const std::string label = std::string("Dialog: Suche \"") + search + "\" bis Liste steht";
        Measure(label.c_str(), [&] {
            searchEdit->clear();
            searchEdit->setText(QString::fromUtf8(search));
        });
    }
#else
    (void)argc;
    (void)argv;
#endif
    MeasureMerge(file, folder);
    fs::remove_all(folder);
    return 0;
}
