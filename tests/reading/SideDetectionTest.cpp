// The side detection of a whole conversion against the literal reference (the
// walk and the pre-pass at every header done the slow way), on many random
// reports. The converter's pre-pass works on a line table cut once, interned
// coordinates, a memo for roid-capture pieces, and carries only what differs
// from the pre-pass before it; the colours of its fleet rows, its side table
// after every header and the members it leaves must be exactly the
// reference's.

#include "ConvertTestSupport.h"
#include "LiteralPrescan.h"

#include <gtest/gtest.h>

#include <random>

namespace skarnwald::test {
namespace {

std::string RandomReport(std::mt19937& random) {
    const char* const coords[] = {"1.1.1", "2.2.2", "3. 3. 3", "4.4.4", "5.5.5"};
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string report;
    const int lines = 1 + pick(40);
    for (int i = 0; i < lines; ++i) {
        const std::string c = coords[pick(5)];
        switch (pick(12)) {
        case 0:
            report += "2026-01-01 Uhr Battle at [" + c + "] Ort";
            break;
        case 1:
            report += "Battle at [" + c + "] at the start";
            break;
        case 2:
        case 3:
        case 4:
            report += "Agility 1 [5/5] Fighter (a) from " + c + " Name" + c.substr(0, 1);
            break;
        case 5:
        case 6:
            report += "Fighter (a) destroyed [1/5] Fighter (b) from " + c + " N";
            break;
        case 7:
            report += "Fighter (a) lamed [1/2/5] Fighter (b) from " + c + " N";
            break;
        case 8:
            report += "Fighter (a) lamed [1/5] Fighter (causes) from " + c + " N";
            break;
        case 9:
            report += "Roid-Capture : [" + c + "] N has captured 3 Roids";
            break;
        case 10:
            report += pick(2) ? "Fighter (a) causes 5 Damage" : "Fighter (a) attempt 3 ships";
            break;
        default: {
            const std::string odd[] = {"ab",
                                       "Roid-Capture :", "Roid-Capture: [" + c + "] N has captured 3 Roids"};
            report += odd[pick(3)];
            break;
        }
        }
        report += pick(4) ? "\n" : "\r\n";
    }
    return report;
}

// Many battles over a small pool of coordinates, as in the archive of a round:
// planets come back, fleets change sides, some battles close an odd ring of
// hits so that sides flip from one pre-pass to the next, roid captures stand
// before and after headers, and lines stand before the first header.
std::string RandomCampaign(std::mt19937& random) {
    const char* const coords[] = {"1.1.1", "2.2.2", "3. 3. 3", "4.4.4", "5.5.5", "6.6.6"};
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int pool = 3 + pick(4);
    const auto any = [&] { return std::string(coords[pick(pool)]); };
    const auto fleet = [&](const std::string& c) {
        return "Agility 1 [5/5] Fighter (a) from " + c + " N" + c + "\n";
    };
    const auto hit = [&](const std::string& c) {
        return std::string("Fighter (a) ") + (pick(2) ? "destroyed" : "lamed") + " [1/5] Fighter (b) from " +
               c + " N\n";
    };
    const auto capture = [&] { return "Roid-Capture : [" + any() + "] N has captured 3 Roids\n"; };
    std::string report;
    if (pick(2))
        report += "Kampfberichte der Runde\n" + fleet(any()) + hit(any());
    if (pick(3) == 0)
        report += capture();
    for (int battle = 4 + pick(30); battle > 0; --battle) {
        report += "2026-01-01 Uhr Battle at [" + any() + "] Ort\n";
        if (pick(4) == 0)
            report += capture();
        for (int f = 1 + pick(4); f > 0; --f) {
            report += fleet(any());
            for (int h = pick(4); h > 0; --h)
                report += hit(any());
        }
        if (pick(4) == 0) {
            const std::string a = any(), b = any(), c = any();
            report += fleet(a) + hit(b) + fleet(b) + hit(c) + fleet(c) + hit(a);
        }
        if (pick(4) == 0)
            report += capture();
    }
    return report;
}

TEST(SideDetection, CaptureThatOnlyALaterPrepassCutsOutStillSeeds) {
    // The first pre-passes cut the text from their first capture into pieces
    // that hide [4.4.4] behind the short line "[9]"; the third header's
    // pre-pass starts at that capture and makes B an attacker, so B's target
    // C defends.
    const std::string report = "a Battle at [1.1.1] P\n"
                               "a Battle at [1.1.1] P\n"
                               "Roid-Capture : [2.2.2] A has captured 1 Roids\n"
                               "b Battle at [3.3.3] Q\n"
                               "[9]\n"
                               "Roid-Capture : [4.4.4] B has captured 1 Roids\n"
                               "Agility 1 [5/5] Fighter (a) from 4.4.4 B\n"
                               "Fighter (a) destroyed [1/5] Fighter (b) from 5.5.5 C\n"
                               "Agility 1 [5/5] Fighter (a) from 5.5.5 C\n";
    CReportConverter ref;
    EXPECT_EQ(ReferenceFleetColours(ref, report), (std::vector<std::string>{"#ff0000", "#00ff00"}));
    EXPECT_EQ(FleetRowColours(ConvertToPage(report)), (std::vector<std::string>{"#ff0000", "#00ff00"}));
}

// Converts `rounds` reports made by `generate` and compares each with the
// literal reference: fleet colours, the whole side table after every header
// and at the end, and the members the conversion leaves.
void ExpectSameAsLiteral(std::uint32_t seed, int rounds, std::string (*generate)(std::mt19937&)) {
    std::mt19937 random(seed);
    for (int round = 0; round < rounds; ++round) {
        const std::string report = generate(random);
        CReportConverter converter;
        SideTableRecorder recorder(converter);
        converter.AddWriter(&recorder);
        const std::string page = ConvertToPage(converter, report);
        CReportConverter ref;
        std::vector<std::string> tables;
        ASSERT_EQ(FleetRowColours(page), ReferenceFleetColours(ref, report, &tables)) << report;
        ASSERT_EQ(recorder.tables, tables) << report;
        ASSERT_EQ(ConverterInternals::currentFleetCoords(converter),
                  ConverterInternals::currentFleetCoords(ref))
            << report;
        ASSERT_EQ(ConverterInternals::currentFleetName(converter), ConverterInternals::currentFleetName(ref))
            << report;
    }
}

TEST(SideDetection, MatchesTheLiteralPrepassOnRandomReports) {
    ExpectSameAsLiteral(20260314, 1500, RandomReport);
}

TEST(SideDetection, MatchesTheLiteralPrepassOnLongMultiBattleReports) {
    ExpectSameAsLiteral(20261208, 300, RandomCampaign);
}

} // namespace
} // namespace skarnwald::test
