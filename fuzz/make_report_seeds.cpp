// Writes seeds for the fuzzers that read reports: the report files named on
// the command line (the samples and the tests' reports) and generated
// reports of the shapes the tests use (many battles, Windows line ends,
// hostile and Windows-1252 names), each under the settings
// bytes of fuzz_convert, fuzz_sides, fuzz_share and fuzz_store, and as they
// stand for fuzz_opera_join and fuzz_utf8. `-merge=1` then keeps those that
// reach something new:
//
//     fuzz_report_seeds OUT samples/*.txt tests/data/*.txt

#include "GeneratedReport.h"
#include "TestFiles.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using skarnwald::testfiles::FileBytes;
using skarnwald::testfiles::WriteBytes;

struct Report {
    std::string name;
    std::string text;
};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<Report> GeneratedReports() {
    using skarnwald::testing::GenerateReport;
    std::vector<Report> reports;
    for (int lines : {1, 5, 20, 60, 200})
        reports.push_back({"generated-" + std::to_string(lines), GenerateReport(lines)});
    const std::string battles = GenerateReport(40);
    reports.push_back({"generated-crlf", ReplaceAll(battles, "\n", "\r\n")});
    const std::pair<std::string_view, std::string_view> kHostileNames[] = {
        {"markup", "<b>&amp;\"'</b>"},
        {"share-markup", "[url]**`@everyone`**[/url]"},
        {"windows-1252", skarnwald::testfiles::kWindows1252Letters},
        {"utf8", skarnwald::testfiles::kWindows1252LettersUtf8},
        {"long", std::string_view("Abcdefghij"
                                  "Abcdefghij"
                                  "Abcdefghij"
                                  "Abcdefghij"
                                  "Abcdefghij")},
    };
    for (const auto& [name, owner] : kHostileNames)
        reports.push_back({"generated-names-" + std::string(name), ReplaceAll(battles, "Owner", owner)});
    return reports;
}

// The settings bytes of the conversion targets: plain; stored with the
// personal record at the first planet; converted twice, everything hidden,
// own fleet at the first fleet's coordinates; raw bytes as an Opera copy.
constexpr std::uint8_t kConversionSettings[][3] = {
    {0x00, 0x00, 0x00}, {0x01, 0x01, 0x02}, {0x21, 0x1d, 0x03}, {0x50, 0x00, 0x01}};
// fuzz_store: plain; with the personal record at the first fleet's
// coordinates, converted twice.
constexpr std::uint8_t kStoreSettings[] = {0x00, 0x07};

void WriteSeeds(const fs::path& out, const Report& report) {
    for (std::string_view target : {"fuzz_convert", "fuzz_sides", "fuzz_share"}) {
        fs::create_directories(out / target);
        for (std::size_t s = 0; s < std::size(kConversionSettings); ++s) {
            std::string seed(reinterpret_cast<const char*>(kConversionSettings[s]), 3);
            WriteBytes(out / target / (report.name + "-" + std::to_string(s)), seed + report.text);
        }
    }
    fs::create_directories(out / "fuzz_store");
    for (std::uint8_t settings : kStoreSettings)
        WriteBytes(out / "fuzz_store" / (report.name + "-" + std::to_string(settings)),
                   std::string(1, static_cast<char>(settings)) + report.text);
    for (std::string_view target : {"fuzz_opera_join", "fuzz_utf8"}) {
        fs::create_directories(out / target);
        WriteBytes(out / target / report.name, report.text);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT REPORT...\n", argv[0]);
        return 2;
    }
    std::vector<Report> reports = GeneratedReports();
    for (int i = 2; i < argc; ++i) {
        const fs::path file = argv[i];
        reports.push_back(
            {file.parent_path().filename().string() + "-" + file.stem().string(), FileBytes(file)});
    }
    for (const Report& report : reports)
        WriteSeeds(argv[1], report);
    std::printf("%zu reports, %zu seeds per conversion target\n", reports.size(),
                reports.size() * std::size(kConversionSettings));
    return 0;
}
