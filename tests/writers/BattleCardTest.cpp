// The picture cards: their tables show the numbers the JSON output has, for
// the whole report and for each battle; their text stays readable at the
// width chats show them, and report text can never break the SVG.

#include "ConvertTestSupport.h"
#include "GeneratedReport.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "text/Utf8Text.h"
#include "writers/ShareFormats.h"
#include "writers/ShareText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <fstream>
#include <map>
#include <regex>

namespace skarnwald::test {
namespace {

using nlohmann::json;

// Per side name: brought, lamed, destroyed, lost of each class.
using CardNumbers = std::map<std::string, std::array<ClassCounts, 4>>;

// The class tables of a card, read back from its text elements: a side
// heading ("Angreifer · …"), then rows of a class and its four numbers.
CardNumbers NumbersOnCard(const std::string& svg) {
    static const std::regex text(R"re(<text x="(\d+)" y="\d+" font-size="(\d+)"[^>]*>([^<]*)</text>)re");
    const ShareWords words = CurrentShareWords();
    CardNumbers numbers;
    std::string side;
    int shipClass = -1, column = 4;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it) {
        const std::string content = (*it)[3];
        if ((*it)[2] == "16") { // a side's heading
            side = content.substr(0, content.find(" · "));
            numbers[side] = {};
        } else if ((*it)[1] == "22" && (*it)[2] == "15") { // a row's class
            const auto found = std::find(words.classes.begin(), words.classes.end(), content);
            shipClass = found == words.classes.end() ? -1 : static_cast<int>(found - words.classes.begin());
            column = 0;
        } else if (column < 4) {
            if (shipClass >= 0)
                numbers[side][column][shipClass] = std::stoi(content);
            ++column;
        }
    }
    return numbers;
}

CardNumbers NumbersInJson(const json& sides) {
    const ShareWords words = CurrentShareWords();
    const char* const keys[] = {"attacking", "defending", "none"};
    const char* const columns[] = {"brought", "lamed", "destroyed", "lost"};
    const char* const classes[] = {"Shuttle",     "Fighter",    "Frigate", "Corvette",
                                   "Starcruiser", "Battleship", "Doomstar"};
    CardNumbers numbers;
    for (int side = 0; side < 3; ++side) {
        std::array<ClassCounts, 4> counts{};
        bool any = false;
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < kShipClassCount; ++k) {
                counts[c][k] = sides[keys[side]][columns[c]][classes[k]].get<std::int32_t>();
                any |= counts[c][k] != 0;
            }
        if (any)
            numbers[words.sides[side]] = counts;
    }
    return numbers;
}

// A card's sides without numbers (fleets that did nothing) are left out.
CardNumbers WithNumbers(CardNumbers numbers) {
    std::erase_if(numbers, [](const auto& side) {
        for (const ClassCounts& counts : side.second)
            if (Total(counts) != 0)
                return false;
        return true;
    });
    return numbers;
}

// The smallest text as it shows at the card's inline width.
int SmallestShownFontSize(const std::string& svg) {
    static const std::regex width(R"re(<svg [^>]*width="(\d+)")re"), size(R"re(font-size="(\d+)")re");
    std::smatch found;
    EXPECT_TRUE(std::regex_search(svg, found, width));
    const int cardWidth = std::stoi(found[1]);
    int smallest = 1000;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), size); it != std::sregex_iterator(); ++it)
        smallest = std::min(smallest, std::stoi((*it)[1]) * kCardWidth / cardWidth);
    return smallest;
}

std::string SampleText(const std::string& name) {
    std::ifstream in(std::filesystem::path(SKARNWALD_SAMPLES) / (name + ".txt"), std::ios::binary);
    return PrepareCopiedReport(ReadReport(in).value_or(""));
}

class CardReports : public ::testing::TestWithParam<std::string> {};

TEST_P(CardReports, ShowTheJsonNumbersReadably) {
    const std::string name = GetParam();
    const std::string report = name.starts_with("generated-")
                                   ? skarnwald::testing::GenerateReport(std::stoi(name.substr(10)))
                                   : SampleText(name);
    const json document = json::parse(ConvertShareTexts(report, {}, "").json);
    const BattleCards cards = ConvertToCards(report, {}, "", true);

    ASSERT_EQ(cards.battles.size(), document["battles"].size());
    for (std::size_t b = 0; b < cards.battles.size(); ++b)
        EXPECT_EQ(WithNumbers(NumbersOnCard(cards.battles[b])),
                  NumbersInJson(document["battles"][b]["sides"]))
            << "battle " << b;
    EXPECT_EQ(WithNumbers(NumbersOnCard(cards.summary)), NumbersInJson(document["sides"]));

    for (const std::string* card : {&cards.summary, &cards.battles.front()}) {
        EXPECT_GE(SmallestShownFontSize(*card), 14);
        EXPECT_TRUE(card->starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"550\""));
    }
    // The summary card is the one the share outputs carry.
    EXPECT_EQ(ConvertShareTexts(report, {}, "").card, cards.summary);
}

INSTANTIATE_TEST_SUITE_P(SamplesAndGenerated, CardReports,
                         ::testing::Values("one-battle", "opera-copy", "own-planet", "roids-and-salvage",
                                           "several-battles", "generated-20", "generated-199",
                                           "generated-400"));

TEST(CardText, ReportTextNeverBreaksTheMarkup) {
    const std::string report =
        "2026-03-14 21:07:55 Uhr Battle at [4.7.2] <i>&amp;\n"
        "Agility 40 [120/120] Fighter (Falke) from 4.7.2 Mi\"<rela>'\x01&\n"
        "Fighter (Falke) destroyed [12/60] Corvette (Vogel) from 9.1.13 T\xEF\xBF\xBEorvik\n"
        "Agility 25 [60/60] Corvette (Vogel) from 9.1.13 T\xEF\xBF\xBEorvik\n";
    const std::string card = ConvertToCards(report, {}, "", false).summary;
    EXPECT_NE(card.find("Mi&quot;&lt;rela&gt;&apos; &amp;"), std::string::npos);
    EXPECT_NE(card.find("&lt;i&gt;&amp;amp;"), std::string::npos);
    EXPECT_EQ(card.find("\xEF\xBF\xBE"), std::string::npos);
    EXPECT_TRUE(IsValidUtf8(card));
    EXPECT_EQ(XmlText("a\xFF\x80z"), "a\xEF\xBF\xBD\xEF\xBF\xBDz");
}

TEST(CardText, LongNamesAreCutAndEveryFleetBeyondTheFirstSixIsCounted) {
    std::string report = "2026-03-14 21:07:55 Uhr Battle at [4.7.2] Eisnebel\n";
    for (int i = 0; i < 9; ++i)
        report += "Agility 1 [5/5] Fighter (a) from 1." + std::to_string(i) + ".1 " + std::string(80, 'W') +
                  std::to_string(i) + "\n";
    const std::string card = ConvertToCards(report, {}, "", false).summary;
    EXPECT_EQ(card.find(std::string(60, 'W')), std::string::npos);
    EXPECT_NE(card.find("… und 3 weitere Flotten"), std::string::npos);
}

} // namespace
} // namespace skarnwald::test
