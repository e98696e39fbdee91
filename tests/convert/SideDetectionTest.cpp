// The side detection of a whole conversion against a plain reference: the
// walk and the pre-pass at every header done the slow, literal way (copying
// the remaining text, re-cutting every line, the line converters in pre-pass
// mode), on many random reports. The converter's pre-pass works on a line
// table cut once, interned coordinates and a memo for roid-capture pieces;
// the colours of its fleet rows must be exactly the reference's.

#include "ConvertTestSupport.h"

#include "convert/TextRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace skarnwald::test {
namespace {

bool Has(std::string_view line, std::string_view word) {
    return Find(line, word) >= 0;
}
bool HasAfterStart(std::string_view line, std::string_view word) {
    return Find(line, word) > 0;
}

// Calls `visit` with every trimmed line and the remaining text that begins with it.
void WalkLines(std::string_view text, const std::function<void(std::string_view, std::string_view)>& visit) {
    std::string_view rest = Trim(text);
    while (rest.size() > 5) {
        rest = TrimLeft(rest);
        const Pos newline = Find(rest, "\n", 5);
        const std::string_view line =
            Trim(newline < 0 ? rest : rest.substr(0, static_cast<std::size_t>(newline)));
        visit(line, rest);
        rest.remove_prefix(line.size());
    }
}

void ReferencePrescan(CReportConverter& ref, std::string rest) {
    const Pos firstCapture = Find(rest, "Roid-Capture :");
    if (firstCapture >= 0) {
        std::string pieces = rest.substr(static_cast<std::size_t>(firstCapture));
        while (!pieces.empty()) {
            const Pos newline = Find(pieces, "\n", 5);
            const std::string piece =
                newline < 0 ? pieces : pieces.substr(0, static_cast<std::size_t>(newline));
            if (Has(piece, "Roid-Capture :")) {
                const Pos open = Find(piece, "[");
                const std::string coords = RemoveBlanks(Take(piece, open + 1, Find(piece, "]") - open - 1));
                if (!ref.sideList.FindSide(coords))
                    ref.sideList.AddSide(coords, kAttackingSide);
            }
            pieces = pieces.substr(piece.size());
        }
    }
    WalkLines(rest, [&](std::string_view line, std::string_view) {
        if (HasAfterStart(line, "Battle at"))
            ref.ConvertHeaderLine(line, true);
        else if (Has(line, "Agility"))
            ref.ConvertFleetLine(line, true);
        else if (HasAfterStart(line, "destroyed") || HasAfterStart(line, "lamed") ||
                 HasAfterStart(line, "causes"))
            ref.ConvertCombatLine(line, true);
    });
}

std::vector<std::string> ReferenceFleetColours(CReportConverter& ref, std::string_view report) {
    std::vector<std::string> colours;
    WalkLines(report, [&](std::string_view line, std::string_view rest) {
        if (HasAfterStart(line, "Battle at")) {
            ReferencePrescan(ref, std::string(rest));
            ref.ConvertHeaderLine(line, true);
        } else if (Has(line, "Agility")) {
            ref.ConvertFleetLine(line, true);
            const auto side = ref.sideList.FindSide(ref.currentFleetCoords);
            colours.push_back(!side ? "#0000FF" : *side == kDefendingSide ? "#00ff00" : "#ff0000");
        }
    });
    return colours;
}

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

TEST(SideDetection, MatchesTheLiteralPrepassOnRandomReports) {
    std::mt19937 random(20260314);
    for (int round = 0; round < 1500; ++round) {
        const std::string report = RandomReport(random);
        CReportConverter converter;
        const std::string page = ConvertToPage(converter, report);
        CReportConverter ref;
        ASSERT_EQ(FleetRowColours(page), ReferenceFleetColours(ref, report)) << report;
        ASSERT_EQ(converter.currentFleetCoords, ref.currentFleetCoords) << report;
        ASSERT_EQ(converter.currentFleetName, ref.currentFleetName) << report;
    }
}

} // namespace
} // namespace skarnwald::test
