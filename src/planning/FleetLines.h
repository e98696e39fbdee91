#pragma once
// The fleet lines both planning views read from pasted text. A line is read
// only when it has one of the known forms from end to end; anything else is
// refused whole, so a line never turns into a row of misplaced pieces.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

struct FleetLine {
    std::int64_t ships = 0;
    std::string shipsText; // as written, or the sum when written "a+b"
    std::string origin;    // coordinates with blanks removed
    std::string target;    // coordinates with blanks removed
    bool defending = false;
    std::string eta;     // outgoing lines: the hours as written
    std::string arrival; // what the line says of the arrival: "ETA 5h", "[12:00 Uhr]"
};

// The game's list of outgoing fleets:
// "<ships> Ships attacking|defending <target> ETA <hours>h from <origin>".
std::optional<FleetLine> ReadOutgoingLine(std::string_view line);

// A fleet movement: "<ships> Ships from <origin> attacking|defending <target>",
// then what it says of the arrival ("ETA 3", "[12:00 Uhr]") if anything.
std::optional<FleetLine> ReadMovementLine(std::string_view line);

inline constexpr std::string_view kOutgoingExample = "100 Ships attacking 4.5.6 ETA 3h from 1.2.3";
inline constexpr std::string_view kMovementExample = "100 Ships from 1.2.3 attacking 4.5.6 ETA 3";

// What both programs tell about the lines a view did not take: how many, the
// first of them, each cut to a readable length, and the forms the view reads.
std::string RefusedLinesMessage(std::span<const std::string> refused,
                                std::span<const std::string_view> forms);

} // namespace skarnwald
