// Reports written back as text: under every combination of the hide switches
// the text converts to the same outputs as the report, and with all of them
// on it holds no name, place or coordinate of the report.

#include "GeneratedReport.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/ReportTextWriter.h"
#include "writers/ShareFormats.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace skarnwald::test {
namespace {

struct Report {
    std::string name, text, ownCoords;
    bool malformed = false;
};

std::string Prepared(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return PrepareCopiedReport(ReadReport(in).value_or(""));
}

// The samples, the malformed corpus and generated reports; the own
// coordinates are those of each report's first battle.
std::vector<Report> Reports() {
    std::vector<Report> reports;
    for (const char* folder : {SKARNWALD_SAMPLES, SKARNWALD_TEST_DATA})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".txt" && entry.path().stem() != "outgoings")
                reports.push_back({entry.path().filename().string(), Prepared(entry.path()), "",
                                   folder == std::string_view(SKARNWALD_TEST_DATA)});
    for (int lines : {5, 60, 199})
        reports.push_back(
            {"generated" + std::to_string(lines), skarnwald::testing::GenerateReport(lines), ""});
    for (Report& report : reports) {
        const auto header = report.text.find("Battle at [");
        if (header != std::string::npos)
            report.ownCoords = BracketCoords(std::string_view(report.text).substr(header));
    }
    return reports;
}

std::string Outputs(const SharedConversion& shared) {
    return shared.html + shared.bbcode + shared.title + shared.json +
           JoinDiscordMessages(shared.discordMessages);
}

TEST(ReportText, ConvertsLikeTheReportUnderEverySwitch) {
    for (const Report& report : Reports()) {
        // A line cut in an odd place is left out rather than risk showing what
        // is hidden, and two owners at the own coordinates become one: the
        // malformed corpus need only convert alike with nothing hidden.
        for (int bits = 0; bits < (report.malformed ? 1 : 8); ++bits) {
            const Redaction redaction{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            const std::string text = WriteReportText(report.text, redaction, report.ownCoords);
            const std::string_view own = redaction.hideOwn ? kStandInOwnCoords : std::string_view{};
            const std::string expected = Outputs(ConvertForSharing(report.text, redaction, report.ownCoords));
            const std::string written = Outputs(ConvertForSharing(text, redaction, own));
            const auto differ =
                std::mismatch(expected.begin(), expected.end(), written.begin(), written.end());
            EXPECT_TRUE(expected == written)
                << report.name << ", switches " << bits << ", from byte " << (differ.first - expected.begin())
                << ": " << std::string(differ.first, expected.end()).substr(0, 80)
                << "\nwritten: " << std::string(differ.second, written.end()).substr(0, 80);
        }
    }
}

// Words of at least three letters as whole words: fleet names such as "Axt".
bool HoldsWord(const std::string& text, const std::string& word) {
    return word.size() >= 3 &&
           std::regex_search(
               text, std::regex("(^|[^\\w])" +
                                std::regex_replace(word, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                                "($|[^\\w])"));
}

TEST(ReportText, WithEverySwitchOnHoldsNoNameOrCoordinate) {
    for (const Report& report : Reports()) {
        const nlohmann::json document = nlohmann::json::parse(ConvertForSharing(report.text, {}, "").json);
        std::set<std::string> hidden;
        for (const auto& battle : document["battles"]) {
            hidden.insert(battle["place"].get<std::string>());
            hidden.insert(battle["coords"].get<std::string>());
            for (const auto& line : battle["fleetLines"])
                for (const char* field : {"owner", "coords", "shipName"})
                    hidden.insert(line[field].get<std::string>());
        }
        const std::string text = WriteReportText(report.text, {true, true, true}, report.ownCoords);
        for (const std::string& word : hidden)
            EXPECT_FALSE(HoldsWord(text, word)) << report.name << ": " << word;
    }
}

} // namespace
} // namespace skarnwald::test
