#pragma once
// Cutting report lines into their fields by position arithmetic around the
// separators. No line is ever rejected: a missing separator makes a position
// -1 and the cut rules turn that into empty or shifted pieces. All views point
// into the line.

#include "text/TextRules.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace skarnwald {

// "from x.y.z owner": the coordinates as they stand and the owner name, which
// begins with the blank after the coordinates.
struct FromParts {
    std::string_view coords;
    std::string_view owner;
};
FromParts CutAfterFrom(std::string_view line);

// The text between the first "[" and the first "]" with every blank removed.
std::string BracketCoords(std::string_view line);

struct HeaderParts {
    std::string coords;     // blanks removed
    std::string_view date;  // text before the blank that precedes "Uhr"
    std::string_view place; // trimmed text after "] "
    std::string_view title; // from "Battle at" to the end
    std::string_view stamp; // first 20 bytes when the fifth byte is '-', else empty
    bool hasStamp;
};
HeaderParts CutHeaderLine(std::string_view line);

struct FleetParts {
    std::string_view agility;  // before the byte preceding the first "["
    std::string_view count;    // "[...]" with both brackets
    std::int32_t ships;        // first number of the bracket
    std::int32_t stackSize;    // second number of the bracket
    std::string_view shipType; // between "]" and "(", untrimmed
    std::string_view shipName; // "(...)" with both parentheses
    FromParts from;
};
FleetParts CutFleetLine(std::string_view line);

enum class CombatKind { Lamed, Destroyed, Causes, Attempt };

struct CombatParts {
    CombatKind kind;
    std::string_view subject; // what fired
    // "lamed" and "destroyed" lines:
    bool alsoCausesOrAttempt;   // such a line stops after its verb cell
    std::int32_t n1, n2, n3;    // ships hit, lamed-only middle figure, stack size
    std::string_view classText; // between "]" and "(" after the verb, untrimmed
    std::string_view shipName;  // from "(" up to the blank before "from"
    FromParts target;
    // "causes" and "attempt" lines: the damage or attempt text.
    std::string_view detail;
};
CombatParts CutCombatLine(std::string_view line);

// A "lamed" or "destroyed" line that also names "causes" or "attempt" after
// its first byte ends after its verb cell and counts for nothing.
bool StopsAfterVerb(std::string_view line);

struct RoidCaptureParts {
    std::string coords; // capturer, blanks removed
    std::int32_t roids;
    std::string_view shown; // the line from its sixteenth byte
};
RoidCaptureParts CutRoidCaptureLine(std::string_view line);

// From "Your" through "Metal !".
std::string_view CutSalvageText(std::string_view line);

} // namespace skarnwald
