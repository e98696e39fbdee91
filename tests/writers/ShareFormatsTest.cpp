// The shared formats (BBCode, Discord, title, JSON) and redaction: properties
// that must hold for any report (the reviewed outputs are in tests/cases).

#include "ConvertTestSupport.h"
#include "GeneratedReport.h"

#include "text/Catalog.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "text/Utf8Text.h"
#include "writers/PageFileName.h"
#include "writers/ShareFormats.h"
#include "writers/ShareText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace skarnwald::test {
namespace {

using nlohmann::json;

const std::filesystem::path kSamples = SKARNWALD_SAMPLES;
const std::filesystem::path kSchema = std::filesystem::path(SKARNWALD_TEST_DATA).parent_path().parent_path() /
                                      "docs/skarnwald-battles-1.schema.json";

std::string SampleText(const std::string& name) {
    std::ifstream in(kSamples / (name + ".txt"), std::ios::binary);
    return PrepareCopiedReport(ReadReport(in).value_or(""));
}

// --- Checks over a conversion --------------------------------------------------

// The subset of JSON Schema the schema file uses: $ref into $defs, type,
// enum, const, required, properties, items.
void Validate(const json& value, const json& schema, const json& root, const std::string& at,
              std::vector<std::string>& errors) {
    if (schema.contains("$ref")) {
        const std::string ref = schema["$ref"];
        Validate(value, root["$defs"][ref.substr(std::string("#/$defs/").size())], root, at, errors);
        return;
    }
    if (schema.contains("type")) {
        const auto is = [&](const std::string& type) {
            return (type == "object" && value.is_object()) || (type == "array" && value.is_array()) ||
                   (type == "string" && value.is_string()) || (type == "boolean" && value.is_boolean()) ||
                   (type == "integer" && value.is_number_integer()) || (type == "null" && value.is_null());
        };
        const json& type = schema["type"];
        const bool matches = type.is_array() ? std::any_of(type.begin(), type.end(), is) : is(type);
        if (!matches)
            errors.push_back(at + ": wrong type");
    }
    if (schema.contains("enum") &&
        std::find(schema["enum"].begin(), schema["enum"].end(), value) == schema["enum"].end())
        errors.push_back(at + ": not in enum");
    if (schema.contains("const") && value != schema["const"])
        errors.push_back(at + ": not the constant");
    if (schema.contains("required"))
        for (const json& key : schema["required"])
            if (!value.is_object() || !value.contains(key.get<std::string>()))
                errors.push_back(at + ": lacks " + key.get<std::string>());
    if (schema.contains("properties") && value.is_object())
        for (const auto& [key, sub] : schema["properties"].items())
            if (value.contains(key))
                Validate(value[key], sub, root, at + "." + key, errors);
    if (schema.contains("items") && value.is_array())
        for (std::size_t i = 0; i < value.size(); ++i)
            Validate(value[i], schema["items"], root, at + "[" + std::to_string(i) + "]", errors);
}

std::vector<std::string> SchemaErrors(const json& document) {
    static const json schema = json::parse(FileBytes(kSchema));
    std::vector<std::string> errors;
    Validate(document, schema, schema, "$", errors);
    return errors;
}

// Unbalanced or unknown tags, as a text (empty when the post is sound).
std::string BBCodeTagErrors(const std::string& post) {
    static const std::regex tag(R"(\[(/?)([A-Za-z*]+)(=[^\]]*)?\])");
    const std::vector<std::string> known = {"b", "color", "code", "list", "*"};
    std::vector<std::string> open;
    for (auto it = std::sregex_iterator(post.begin(), post.end(), tag); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if (std::find(known.begin(), known.end(), name) == known.end())
            return "unknown tag " + it->str();
        if (name == "*") {
            if (open.empty() || open.back() != "list")
                return "[*] outside a list";
        } else if ((*it)[1].length() == 0) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return "unbalanced " + it->str();
        } else {
            open.pop_back();
        }
    }
    return open.empty() ? "" : "unclosed [" + open.back() + "]";
}

// The summary tables of a page: heading text -> the 40 numbers of its five
// value rows (seven classes and the sum each).
std::map<std::string, std::vector<std::int64_t>> SummaryTablesOf(const std::string& page) {
    static const std::regex heading(
        R"(<td width='135' align='center'><font color='#[0-9A-F]{6}' size=2>([^<]*)</font>)");
    static const std::regex number(R"(size='2'>(-?\d+)</font>)");
    std::map<std::string, std::vector<std::int64_t>> tables;
    const std::string start = "<table border='1'";
    for (std::size_t at = page.find(start); at != std::string::npos;) {
        const std::size_t next = page.find(start, at + 1);
        const std::string table = page.substr(at, next == std::string::npos ? std::string::npos : next - at);
        std::smatch title;
        std::regex_search(table, title, heading);
        auto& numbers = tables[title[1]];
        for (auto it = std::sregex_iterator(table.begin(), table.end(), number); it != std::sregex_iterator();
             ++it)
            numbers.push_back(std::stoll((*it)[1]));
        at = next;
    }
    return tables;
}

// The same 40 numbers from a JSON counts object.
std::vector<std::int64_t> RowsOf(const json& counts) {
    std::vector<std::int64_t> numbers;
    std::vector<std::int64_t> rest(7, 0);
    for (const char* row : {"brought", "lamed", "destroyed", "lost", "rest"}) {
        std::int64_t sum = 0;
        int k = 0;
        for (const char* shipClass :
             {"Shuttle", "Fighter", "Frigate", "Corvette", "Starcruiser", "Battleship", "Doomstar"}) {
            std::int64_t value = 0;
            if (std::string(row) == "rest")
                value = rest[k];
            else
                value = counts[row][shipClass].get<std::int32_t>();
            if (std::string(row) == "brought")
                rest[k] = value;
            if (std::string(row) == "lost")
                rest[k] = static_cast<std::int32_t>(rest[k] - value);
            numbers.push_back(value);
            sum = static_cast<std::int32_t>(sum + value);
            ++k;
        }
        numbers.push_back(sum);
    }
    return numbers;
}

std::size_t CountOf(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}

// `coords` written with or without blanks around its dots, as a whole word.
std::regex CoordsPattern(const std::string& coords) {
    return std::regex("\\b" + std::regex_replace(coords, std::regex("\\."), " ?\\. ?") + "\\b");
}

// What breaks the split into Discord messages, as a text (empty when sound):
// every message within the limit and with whole code blocks; a battle that
// fits in one message lies in one; a message followed by another never ends
// with a heading or a side line, unless that side's fleets go on in the next.
std::string DiscordSplitFaults(const std::vector<std::string>& messages) {
    const auto isSideLine = [](std::string_view line) {
        return line.starts_with("**Angreifer") || line.starts_with("**Verteidiger") ||
               line.starts_with("**ohne Seite");
    };
    struct Battle {
        std::size_t length, firstMessage, lastMessage;
    };
    std::vector<Battle> battles;
    for (std::size_t m = 0; m < messages.size(); ++m) {
        const std::string& message = messages[m];
        const std::string at = "message " + std::to_string(m);
        if (CodePoints(message) > kDiscordMessageLimit || CountOf(message, "```") % 2 != 0 ||
            message.find(DiscordMessageSeparator()) != std::string::npos)
            return at + " is too long or cuts a code block";
        std::istringstream lines(message);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.starts_with("**Kampf "))
                battles.push_back({0, m, m});
            if (!battles.empty()) {
                battles.back().length += CodePoints(line) + 1;
                battles.back().lastMessage = m;
            }
        }
        if (m + 1 == messages.size())
            break;
        const std::string next = messages[m + 1].substr(0, messages[m + 1].find('\n'));
        const std::string side = line.substr(0, line.find_first_of(":("));
        const bool goesOn = next.starts_with(side) && next.find("(Forts.):**") != std::string::npos;
        if (line.starts_with("**Kampf ") || (isSideLine(line) && !goesOn))
            return at + " ends with " + line;
    }
    for (const Battle& battle : battles)
        if (battle.length <= kDiscordMessageLimit && battle.firstMessage != battle.lastMessage)
            return "a battle of " + std::to_string(battle.length) + " characters is split";
    return "";
}

std::string AllText(const SharedConversion& shared) {
    std::string all = shared.html + shared.bbcode + shared.title + shared.json + shared.card;
    for (const std::string& message : shared.discordMessages)
        all += message;
    return all;
}

// The owners named by a report's fleet lines.
std::vector<std::string> FleetOwners(const std::string& report) {
    static const std::regex owner(R"(from [0-9. ]+ (\S+)\r?$)");
    std::vector<std::string> owners;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        std::smatch found;
        if (line.find("Agility") != std::string::npos && std::regex_search(line, found, owner))
            owners.push_back(found[1]);
    }
    return owners;
}

// --- Properties on generated reports -------------------------------------------

class GeneratedShare : public ::testing::TestWithParam<int> {};

TEST_P(GeneratedShare, EveryFormatAgreesWithThePage) {
    const std::string report = skarnwald::testing::GenerateReport(GetParam());
    const SharedConversion shared = ConvertForSharing(report, {}, "");

    // Writers on the walk leave the page as it always was.
    EXPECT_EQ(shared.html, ConvertToPage(report));

    const json document = json::parse(shared.json);
    EXPECT_EQ(SchemaErrors(document), std::vector<std::string>{});

    // The JSON counts are the numbers of the page's summary tables.
    const auto tables = SummaryTablesOf(shared.html);
    ASSERT_EQ(tables.size(), document["fleets"].size() + 2);
    for (const json& fleet : document["fleets"]) {
        const std::string title =
            fleet["coords"].get<std::string>() + "\n" + fleet["name"].get<std::string>();
        ASSERT_TRUE(tables.contains(title)) << title;
        EXPECT_EQ(tables.at(title), RowsOf(fleet["counts"])) << title;
    }
    EXPECT_EQ(tables.at("ATTER"), RowsOf(document["sides"]["attacking"]));
    EXPECT_EQ(tables.at("DEFFER"), RowsOf(document["sides"]["defending"]));

    for (const std::string& owner : FleetOwners(report)) {
        EXPECT_NE(shared.bbcode.find(owner), std::string::npos) << owner;
        EXPECT_NE(JoinDiscordMessages(shared.discordMessages).find(owner), std::string::npos) << owner;
        EXPECT_NE(shared.json.find("\"" + owner + "\""), std::string::npos) << owner;
    }
    EXPECT_EQ(BBCodeTagErrors(shared.bbcode), "");
    EXPECT_EQ(DiscordSplitFaults(shared.discordMessages), "");
    EXPECT_EQ(std::count(shared.title.begin(), shared.title.end(), '\n'),
              static_cast<std::ptrdiff_t>(document["battles"].size()));
}

// Whole-word searches over every output are slow; fewer lengths do here.
class GeneratedRedaction : public ::testing::TestWithParam<int> {};

TEST_P(GeneratedRedaction, LeavesNothingToRecognise) {
    const std::string report = skarnwald::testing::GenerateReport(GetParam());
    const std::string own = skarnwald::testing::FleetCoords(5);
    const std::regex ownName(R"(Owner5\b)");
    const std::regex ownCoords = CoordsPattern(own);

    const std::string hiddenOwn = AllText(ConvertForSharing(report, {.hideOwn = true}, own));
    EXPECT_FALSE(std::regex_search(hiddenOwn, ownName));
    EXPECT_FALSE(std::regex_search(hiddenOwn, ownCoords));
    if (report.find("Owner6") != std::string::npos) {
        EXPECT_NE(hiddenOwn.find("Owner6"), std::string::npos); // others stay
    }

    const std::string hiddenNames = AllText(ConvertForSharing(report, {.hideNames = true}, own));
    EXPECT_EQ(hiddenNames.find("Owner"), std::string::npos);
    const std::string hiddenCoords = AllText(ConvertForSharing(report, {.hideCoords = true}, own));
    for (int fleet = 0; fleet < 12; ++fleet)
        EXPECT_FALSE(std::regex_search(hiddenCoords, CoordsPattern(skarnwald::testing::FleetCoords(fleet))))
            << fleet;
}

INSTANTIATE_TEST_SUITE_P(Lengths, GeneratedShare, ::testing::Values(1, 5, 20, 21, 60, 199, 400));
INSTANTIATE_TEST_SUITE_P(Lengths, GeneratedRedaction, ::testing::Values(5, 60, 199));

// --- Redaction ---------------------------------------------------------------------

TEST(Redaction, HidesTheOwnFleetWrittenWithBlanksAndItsCapture) {
    const std::string report = SampleText("own-planet");
    const SharedConversion shared = ConvertForSharing(report, {.hideOwn = true}, "8.8.1");
    const std::string all = AllText(shared);
    EXPECT_EQ(all.find("Wenzel"), std::string::npos);
    EXPECT_FALSE(std::regex_search(all, std::regex(R"(8 ?\. ?8 ?\. ?1)")));
    EXPECT_NE(shared.html.find("[?.?.?] (verborgen) has captured 9 Roids"), std::string::npos);
    EXPECT_NE(all.find("Grimm"), std::string::npos);
}

TEST(Redaction, EachSwitchHidesFleetNamesAndPlacesWithWhatItHides) {
    struct Case {
        Redaction redaction;
        const char* ownCoords;
        std::vector<const char*> hidden, kept;
    };
    const std::vector<Case> cases = {
        {{.hideOwn = true}, "[3. 3. 3]", {"Halvard", "Nordwind", "Kalte Ebene"}, {"Brisa", "Rabe", "7.2.5"}},
        {{.hideNames = true}, "", {"Halvard", "Nordwind", "Brisa", "Rabe"}, {"Kalte Ebene", "7.2.5"}},
        {{.hideCoords = true}, "", {"Kalte Ebene", "3.3.3", "7.2.5"}, {"Halvard", "Nordwind"}},
    };
    for (const Case& c : cases) {
        const std::string all =
            AllText(ConvertForSharing(SampleText("several-battles"), c.redaction, c.ownCoords));
        for (const char* word : c.hidden)
            EXPECT_EQ(all.find(word), std::string::npos) << word;
        for (const char* word : c.kept)
            EXPECT_NE(all.find(word), std::string::npos) << word;
    }
}

TEST(Redaction, NumbersNamesInOrderOfAppearanceAlikeInEveryFormat) {
    const SharedConversion shared = ConvertForSharing(SampleText("one-battle"), {.hideNames = true}, "");
    const json document = json::parse(shared.json);
    EXPECT_EQ(document["battles"][0]["fleetLines"][0]["owner"], "Flotte 1"); // Mirela
    EXPECT_EQ(document["battles"][0]["fleetLines"][1]["owner"], "Flotte 2"); // Torvik
    EXPECT_EQ(document["battles"][0]["events"][1]["target"]["name"], "Flotte 2");
    EXPECT_NE(shared.html.find("4.7.2\nFlotte 1"), std::string::npos);
    EXPECT_NE(shared.bbcode.find("Flotte 2 (9.1.13)"), std::string::npos);
    EXPECT_EQ(document["redaction"]["hideNames"], true);
}

TEST(Redaction, RedactedConversionIsNeverStored) {
    CReportConverter converter;
    RecordingStore store;
    converter.ownCoords = "4.7.2";
    CStoringWriter storing(store, {1, 1, converter.ownCoords});
    converter.AddWriter(&storing);
    converter.redaction.hideCoords = true;
    ConvertToPage(converter, SampleText("one-battle"));
    EXPECT_EQ(store.calls, std::vector<std::string>{});

    converter.redaction = {};
    ConvertToPage(converter, SampleText("one-battle")); // the store stays attached
    EXPECT_FALSE(store.CallsStartingWith("Battle|").empty());
}

// --- Discord limits ------------------------------------------------------------------

std::string CrowdedBattle(int fleets, const std::string& namePrefix) {
    std::string report = "2026-03-14 21:07:55 Uhr Battle at [4.7.2] Eisnebel\n";
    for (int i = 0; i < fleets; ++i)
        report += "Agility 1 [5/5] Fighter (a) from 1." + std::to_string(i) + ".1 " + namePrefix +
                  std::to_string(i) + "\n";
    return report;
}

TEST(DiscordMessages, SplitBetweenFleetsAndNeverInsideATable) {
    const std::string report = CrowdedBattle(300, "Kapitän_") + CrowdedBattle(2, "Nachzügler");
    const auto messages = ConvertForSharing(report, {}, "").discordMessages;
    ASSERT_GT(messages.size(), 2u);
    EXPECT_EQ(DiscordSplitFaults(messages), "");
    std::string joined;
    for (const std::string& message : messages)
        joined += message;
    for (int i = 0; i < 300; ++i)
        EXPECT_NE(joined.find("Kapitän\\_" + std::to_string(i) + " (1." + std::to_string(i) + ".1)"),
                  std::string::npos)
            << i;
    EXPECT_NE(joined.find("**ohne Seite (Forts.):**"), std::string::npos);
}

TEST(DiscordMessages, HugeNamesAreCutAndMarkupIsDefused) {
    const std::string huge(5000, 'x');
    const std::string report = CrowdedBattle(1, huge + "ä") + CrowdedBattle(1, "*@everyone`");
    const auto messages = ConvertForSharing(report, {}, "").discordMessages;
    EXPECT_EQ(DiscordSplitFaults(messages), "");
    const std::string joined = JoinDiscordMessages(messages);
    EXPECT_NE(joined.find("xxx…"), std::string::npos);
    EXPECT_NE(joined.find("\\*\\@everyone\\`0"), std::string::npos);
}

// A report's fields are cut at byte positions next to ASCII separators; where
// the blank such a cut counts on is missing, the cut falls inside a character.
TEST(ShareText, FieldsCutInsideACharacterLoseTheHalfCharacter) {
    for (const char* report : {"12.03.2004 14:07 Uhr Battle at [1.2.3]Äpfelhain\n", // place after "]"
                               "Ödland Uhr Battle at nirgends\n",                   // no "]" at all
                               "12.03.2004 14:07 Uhr Battle at [1.2.3] Hain\n"
                               "Agility 1 [5/5] Fighter (a) fromÜ1.2.3 Ölf\n"}) { // coordinates after "from"
        const SharedConversion shared = ConvertForSharing(report, {}, "");
        for (const std::string& text :
             {shared.bbcode, shared.title, shared.json, JoinDiscordMessages(shared.discordMessages)})
            EXPECT_TRUE(IsValidUtf8(text)) << report << text;
    }
}

// --- Text pieces ---------------------------------------------------------------------

TEST(ShareText, ReadsTheTwoHeaderTimesAndNothingElse) {
    EXPECT_EQ(IsoText(ReadBattleTime("2026-03-14 21:07:55").value()), "2026-03-14T21:07:55");
    EXPECT_EQ(TimeText(ReadBattleTime("3.6.2026 19:44").value(), "{day}.{month}.{year} {hour}:{minute}"),
              "03.06.2026 19:44");
    for (const char* unreadable : {"", "2026-13-01 10:00", "31.12.2026", "1.1.2026 24:00", "1.1.2026 10:00 x",
                                   "99999999999.1.2026 10:00"})
        EXPECT_FALSE(ReadBattleTime(unreadable).has_value()) << unreadable;
}

TEST(ShareText, CountsCodePointsAndCutsBetweenThem) {
    EXPECT_EQ(CodePoints("Süd€𝄞"), 5u);
    EXPECT_EQ(CodePoints("\xC3\x28\xFF"), 3u); // broken sequences count byte by byte
    EXPECT_EQ(CutToCodePoints("äöüß", 3), "äö…");
    EXPECT_EQ(CutToCodePoints("äöü", 3), "äöü");
}

TEST(ShareFiles, FormatsGetTheirExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(ShareOutputFileName("kampf", ShareFormat::Html), "kampf.htm");
    EXPECT_EQ(ShareOutputFileName("kampf", ShareFormat::Discord), "kampf.md");
    EXPECT_EQ(ShareOutputFileName("kampf", ShareFormat::Json), "kampf.json");
    EXPECT_EQ(ShareOutputFileName("dir.x/kampf", ShareFormat::BBCode), "dir.x/kampf.txt");
    EXPECT_EQ(ShareOutputFileName("kampf.log", ShareFormat::Title), "kampf.log");
}

// Whatever the report's header holds, the name holds only what every file
// system takes: coordinates that are anything but digits and dots are left out.
TEST(ShareFiles, PagesAreNamedAfterTheFirstBattlesPlainCoordinatesAndDay) {
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"4.7.2", "2026-03-14"}, "Kampf 4.7.2 2026-03-14.htm"},
        {{"?.?.?", "2026-03-14"}, "Kampf 2026-03-14.htm"},
        {{"4.7.2", ""}, "Kampf 4.7.2.htm"},
        {{"", ""}, "Kampf.htm"},
        {{"../4.7.2", ""}, "Kampf.htm"},
        {{"4.7.2/x:*", "2026-03-14"}, "Kampf 2026-03-14.htm"},
    };
    for (const auto& [input, name] : cases)
        EXPECT_EQ(SuggestedPageFileName(input.first, input.second), name) << input.first;
}

// --- In the chosen language ------------------------------------------------------------

class InEnglish : public ::testing::Test {
protected:
    void SetUp() override { SetCoreLanguage("en"); }
    void TearDown() override { SetCoreLanguage("de"); }
};

// Runs of letters; every byte of a multi-byte character counts as a letter.
std::set<std::string> WordsOf(const std::string& text) {
    std::set<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
            word += c;
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
    return words;
}

// The words of every text of a catalog, placeholders left out.
std::set<std::string> CatalogWords(const CCatalog& catalog) {
    static const std::regex placeholder(R"(\{[a-z]+\})");
    std::set<std::string> words;
    for (const std::string& id : catalog.Ids())
        words.merge(WordsOf(std::regex_replace(std::string(catalog.Text(id)), placeholder, " ")));
    return words;
}

enum Output { kPage, kBBCode, kDiscord, kTitle };

TEST_F(InEnglish, EveryFormatSpeaksEnglishAroundTheReportsOwnWords) {
    SetCoreLanguage("de");
    const std::set<std::string> german = CatalogWords(CoreTexts());
    SetCoreLanguage("en");
    const std::set<std::string> english = CatalogWords(CoreTexts());
    struct Case {
        std::string report;
        Redaction redaction;
        const char* ownCoords;
        std::vector<std::pair<Output, std::string>> expected;
    };
    const Case cases[] = {
        {SampleText("several-battles"),
         {},
         "",
         {{kPage, ">ATTACKERS<"},
          {kPage, ">DEFENDERS<"},
          {kPage, ">Total<"},
          {kPage, ">Losses<"},
          {kPage, ">Remaining<"},
          {kPage, ">Sum<"},
          {kPage, ">Corvettes<"},
          {kBBCode, "[b]Battle at [\u200B3.3.3] Kalte Ebene — 2026-05-17 08:12[/b]"},
          {kBBCode, "[b]All battles together[/b]"},
          {kBBCode, "Class         brought lamed destroyed lost\nFrigates "},
          {kDiscord, "**Defenders:** "},
          {kTitle, "Attackers: 1 fleet, 58 ships, 10 lost"}}},
        {SampleText("roids-and-salvage"),
         {},
         "",
         {{kBBCode, "Roids: Renke (2.11.7) captured 38 Roids"},
          {kBBCode, "Salvage: Your fleet salvaged 27400 Metal !"},
          {kDiscord, "Salvage: Your fleet"},
          {kTitle, "Defenders: 1 fleet, 15 ships, 15 lost · 50 Roids captured"}}},
        {SampleText("one-battle"),
         {.hideNames = true},
         "",
         {{kPage, "Fleet 1"}, {kPage, "(Squadron 1)"}, {kBBCode, "Fleet 2 (9.1.13)"}}},
        {SampleText("own-planet"), {.hideOwn = true}, "8.8.1", {{kPage, "(hidden)"}}},
        {"no battle here",
         {},
         "",
         {{kBBCode, "[b]No battle in the report.[/b]"}, {kDiscord, "No battle in the report."}}},
    };
    for (const Case& c : cases) {
        const SharedConversion shared = ConvertForSharing(c.report, c.redaction, c.ownCoords);
        const std::string outputs[] = {shared.html, shared.bbcode,
                                       JoinDiscordMessages(shared.discordMessages), shared.title};
        const std::set<std::string> reportWords = WordsOf(c.report);
        for (const std::string& output : outputs)
            for (const std::string& word : WordsOf(output))
                EXPECT_FALSE(german.contains(word) && !english.contains(word) && !reportWords.contains(word))
                    << word << " in\n"
                    << output;
        for (const auto& [output, text] : c.expected)
            EXPECT_NE(outputs[output].find(text), std::string::npos) << text << " in\n" << outputs[output];
    }
}

TEST(SharePlurals, CountsTakeTheirPluralFormInEveryLanguage) {
    const std::string battle = "2026-03-14 21:07:55 Uhr Battle at [4.7.2] Eisnebel\n";
    const std::string fleet = "Agility 1 [1/1] Fighter (a) from 1.1.1 Solo\n";
    const std::string ones = battle + fleet + "Roid-Capture : [1.1.1] Solo has captured 1 Roids\n";
    const std::string twoFleets = battle + fleet + "Agility 1 [2/2] Shuttle (b) from 1.1.2 Duo\n";
    struct Case {
        std::string_view language;
        const std::string& report;
        std::string SharedConversion::*output;
        std::string_view expected;
    };
    const Case cases[] = {
        {"en", ones, &SharedConversion::title,
         "Eisnebel, 2026-03-14 21:07 — Attackers: 1 fleet, 1 ship, 0 lost · 1 Roid captured\n"},
        {"en", ones, &SharedConversion::bbcode, "Roids: Solo (1.1.1) captured 1 Roid["},
        {"en", twoFleets, &SharedConversion::title, "No side: 2 fleets, 3 ships, 0 lost"},
        {"de", ones, &SharedConversion::title,
         "Eisnebel, 14.03.2026 21:07 — Angreifer: 1 Flotte, 1 Schiff, 0 verloren · 1 Roid erobert\n"},
        {"de", ones, &SharedConversion::bbcode, "Roids: Solo (1.1.1) erobert 1 Roid["},
        {"de", twoFleets, &SharedConversion::title, "ohne Seite: 2 Flotten, 3 Schiffe, 0 verloren"},
    };
    for (const Case& c : cases) {
        SetCoreLanguage(c.language);
        const std::string output = ConvertForSharing(c.report, {}, "").*c.output;
        EXPECT_NE(output.find(c.expected), std::string::npos) << c.expected << " in\n" << output;
    }
    SetCoreLanguage("de");
}

} // namespace
} // namespace skarnwald::test
