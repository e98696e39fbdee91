// Every case under tests/cases: a report converted the way the command line
// converts a file, each output compared byte for byte with the file beside
// it. The folder is read when the test runs, so a new case is a new folder
// (see tests/cases/README.md). SKARNWALD_UPDATE_CASES=1 writes the outputs
// into the expected files that are there instead, to be reviewed as a diff.

#include "TestFiles.h"

#include "reading/ReportConverter.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "text/Utf8Text.h"
#include "writers/ShareFormats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace skarnwald::test {
namespace {

const std::filesystem::path kRoot = std::filesystem::path(SKARNWALD_SAMPLES).parent_path();
const std::filesystem::path kCases = kRoot / "tests/cases";

// The expected file of each output.
const std::pair<const char*, ShareFormat> kOutputs[] = {{"page.htm", ShareFormat::Html},
                                                        {"bbcode.txt", ShareFormat::BBCode},
                                                        {"discord.txt", ShareFormat::Discord},
                                                        {"title.txt", ShareFormat::Title},
                                                        {"json.json", ShareFormat::Json}};

std::string Trimmed(std::string text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "key = value" lines; "#" starts a comment line.
std::map<std::string, std::string> ReadOptions(const std::filesystem::path& file) {
    std::map<std::string, std::string> options;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        line = Trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        EXPECT_NE(equals, std::string::npos) << file << ": " << line;
        if (equals != std::string::npos)
            options[Trimmed(line.substr(0, equals))] = Trimmed(line.substr(equals + 1));
    }
    return options;
}

// A converter set up as the case's options say; false for an option the
// runner does not know, so a misspelt one cannot pass unnoticed.
bool Configure(CReportConverter& converter, const std::map<std::string, std::string>& options) {
    for (const auto& [key, value] : options) {
        if (key == "own-coords") {
            converter.ownCoords = value;
        } else if (key == "hide") {
            std::istringstream words(value);
            for (std::string word; words >> word;) {
                Redaction& hide = converter.redaction;
                if (word == "own")
                    hide.hideOwn = true;
                else if (word == "names")
                    hide.hideNames = true;
                else if (word == "coords")
                    hide.hideCoords = true;
                else
                    return false;
            }
        } else if (key != "report") {
            return false;
        }
    }
    return true;
}

// Discord's limit holds for every message, each line counted with its line
// feed as the writer counts them (the last one's included).
void ExpectMessagesFit(const std::string& joined) {
    const std::string separator = "\n" + DiscordMessageSeparator() + "\n";
    std::size_t start = 0;
    for (std::size_t end; start < joined.size(); start = end + separator.size()) {
        end = std::min(joined.find(separator, start), joined.size() - 1);
        EXPECT_LE(CodePoints(std::string_view(joined).substr(start, end - start + 1)), kDiscordMessageLimit)
            << "message at byte " << start;
    }
}

void RunCase(const std::filesystem::path& folder, bool update) {
    const auto options = ReadOptions(folder / "options");
    const auto named = options.find("report");
    const std::filesystem::path reportFile =
        named == options.end() ? folder / "report.txt" : kRoot / named->second;
    ReadResult read = ReadReportFile(reportFile);
    ASSERT_TRUE(read.text) << reportFile << ": " << read.error;
    const std::string report = PrepareCopiedReport(std::move(*read.text));

    CReportConverter configured;
    ASSERT_TRUE(Configure(configured, options)) << folder / "options";
    // One walk for every format, as the browser and the share commands make
    // them, gives what each format's own walk gives.
    const SharedConversion shared = ConvertForSharing(report, configured.redaction, configured.ownCoords);
    const std::map<ShareFormat, std::string> together = {
        {ShareFormat::Html, shared.html},
        {ShareFormat::BBCode, shared.bbcode},
        {ShareFormat::Discord, JoinDiscordMessages(shared.discordMessages)},
        {ShareFormat::Title, shared.title},
        {ShareFormat::Json, shared.json}};
    bool anyOutput = false;
    for (const auto& [file, format] : kOutputs) {
        const std::filesystem::path expected = folder / file;
        if (!std::filesystem::exists(expected))
            continue;
        anyOutput = true;
        CReportConverter converter;
        Configure(converter, options);
        std::ostringstream out;
        ConvertToFormat(converter, report, format, out);
        if (format == ShareFormat::Discord)
            ExpectMessagesFit(out.str());
        EXPECT_EQ(together.at(format), out.str()) << file << " of the one walk";
        if (update)
            std::ofstream(expected, std::ios::binary) << out.str();
        else
            EXPECT_EQ(out.str(), testfiles::FileBytes(expected)) << expected;
    }
    EXPECT_TRUE(anyOutput) << folder << " has no expected output";
}

TEST(ConversionCases, EveryCaseConvertsToItsExpectedOutputs) {
    const bool update = std::getenv("SKARNWALD_UPDATE_CASES") != nullptr;
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        if (entry.is_directory())
            folders.push_back(entry.path());
    std::ranges::sort(folders);
    ASSERT_FALSE(folders.empty());
    for (const std::filesystem::path& folder : folders) {
        SCOPED_TRACE(folder.filename().string());
        RunCase(folder, update);
    }
}

} // namespace
} // namespace skarnwald::test
