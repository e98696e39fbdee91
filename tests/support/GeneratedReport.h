#pragma once
// Battle reports of any length for tests and benchmarks: battles of one
// header, four fleet lines and fifteen combat lines, with fleets drawn from a
// pool of twelve so the tallies carry fleets from battle to battle.

#include <string>

namespace skarnwald::testing {

inline std::string FleetCoords(int fleet) {
    return std::to_string(1 + fleet % 3) + "." + std::to_string(fleet) + ".7";
}

inline std::string GenerateReport(int lineCount) {
    constexpr int kFleets = 12;
    constexpr const char* kClasses[] = {"Fighter", "Corvette", "Frigate", "Battleship"};
    std::string report;
    int lines = 0;
    for (int battle = 0; lines < lineCount; ++battle) {
        const int day = 1 + battle % 28;
        const int defender = battle % kFleets;
        report += std::to_string(day) + ".3.2004 14:" + std::to_string(10 + battle % 50) +
                  ":09 Uhr Battle at [ " + FleetCoords(defender) + " ] Planet " + std::to_string(battle) +
                  "\n";
        ++lines;
        int fleets[4];
        for (int f = 0; f < 4 && lines < lineCount; ++f, ++lines) {
            fleets[f] = (defender + f * 5) % kFleets;
            report += "Agility " + std::to_string(10 + f) + " [" + std::to_string(100 * (f + 1)) + "/" +
                      std::to_string(100 * (f + 1)) + "] " + kClasses[f] + " (Ship" + std::to_string(f) +
                      ") from " + FleetCoords(fleets[f]) + " Owner" + std::to_string(fleets[f]) + "\n";
        }
        for (int c = 0; c < 15 && lines < lineCount; ++c, ++lines) {
            const int target = fleets[c % 2 == 0 ? 0 : 1 + c % 3];
            const char* kind = kClasses[c % 2 == 0 ? 0 : 1 + c % 3];
            if (c % 7 == 6)
                report += "Ion Cannon causes 1200 Damage to the hull\n";
            else if (c % 2 == 0)
                report += "Laser lamed [" + std::to_string(1 + c) + "/2/100] " + kind + " (Ship" +
                          std::to_string(c % 2 == 0 ? 0 : 1 + c % 3) + ") from " + FleetCoords(target) +
                          " Owner" + std::to_string(target) + "\n";
            else
                report += "Rail Gun destroyed [" + std::to_string(c) + "/200] " + kind + " (Ship" +
                          std::to_string(1 + c % 3) + ") from " + FleetCoords(target) + " Owner" +
                          std::to_string(target) + "\n";
        }
    }
    return report;
}

} // namespace skarnwald::testing
