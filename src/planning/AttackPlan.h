#pragma once
// The attack-organisation plan: outgoing fleets read from pasted text, one
// top-level row per target with its fleets as child rows, and per-target sum
// rows of the attacking and defending ships per class. Every cell is text, so
// the user may type anything into it; sums read the cells' leading numbers.

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

// Columns of the plan table.
enum PlanColumn : std::size_t {
    kColName = 0,       // target coordinates, fleet origin, or "ATT"/"DEFF" on sum rows
    kColEta = 1,        // fleet ETA as read
    kColFirstClass = 2, // seven ship classes, Shuttle to Doomstar
    kColLastClass = 8,
    kColTotal = 9,  // total ships of the row
    kColIsSum = 10, // "SUM" on the rows computeSums adds
    kColSide = 11,  // "ATT" on fleet rows, "DEFF" on target rows
    kPlanColumnCount = 12,
};
inline constexpr std::size_t kClassColumnCount = kColLastClass - kColFirstClass + 1;

// Slots of the lists' shared colour palette; 0 means the default colour.
enum PaletteSlot : int { kNoSlot = 0, kSlotRed = 3, kSlotGreen = 5, kSlotLightGrey = 7 };

struct PlanRow {
    std::array<std::string, kPlanColumnCount> cells;
    int textSlot = kNoSlot; // colour of cell 0's text
    int backgroundSlot = kNoSlot;
    bool expanded = false;
    std::vector<PlanRow> children;
};

// One attack read from a line: "<ships> Ships attacking <target> ETA <eta>h from <origin>".
struct OutgoingFleet {
    std::string eta;    // as typed
    std::string origin; // blanks removed
    std::string ships;  // "a+b" already added up
    std::string target; // blanks removed

    bool operator==(const OutgoingFleet&) const = default;
};

struct PastedOutgoings {
    std::vector<OutgoingFleet> fleets;
    std::vector<std::string> refused; // lines that are no attack, as pasted
};
// Every attack line in input order; every other line that is not blank is
// refused.
PastedOutgoings ParseOutgoings(std::string_view text);

// What the programs say about refused outgoing lines; empty for none.
std::string RefusedOutgoingsMessage(std::span<const std::string> refused);

// ETAs from 1 to 29 place a fleet in the plan; others never do.
inline constexpr int kFirstEta = 1;
inline constexpr int kLastEta = 29;

class AttackPlan {
public:
    // Appends the fleets of `text` to outgoingFleets, adds a target row for
    // each new target and attaches only these fleets under their targets,
    // ordered by ETA and then by input order. A fleet the plan already holds
    // (same ships, target, ETA and origin) is not added again, so pasting the
    // same outgoings twice adds only the fleets that are new. Gives back the
    // lines it refused.
    std::vector<std::string> importOutgoings(std::string_view text);

    // Removes the fleet row `child` of target row `target` and its entry in
    // outgoingFleets; false when that row is no fleet row (a sum row, say).
    bool removeFleet(std::size_t target, std::size_t child);

    // The row at `path`: a target's index, then child indexes; null when
    // there is none.
    PlanRow* rowAt(std::span<const std::size_t> path);
    const PlanRow* rowAt(std::span<const std::size_t> path) const;

    // Why the seven class texts may not go into the row at `path`, in
    // German; empty when they may. A fleet's classes must not add up to more
    // ships than the fleet was pasted with.
    std::string classesRefusal(std::span<const std::size_t> path, std::span<const std::string> classes) const;
    // Writes the class texts as typed (numbers or not: sums read each cell's
    // leading number) unless classesRefusal has a reason, which it gives back.
    std::string setClasses(std::span<const std::size_t> path, std::span<const std::string> classes);

    // Whether computeSums has added sum rows that an edit must refresh.
    bool hasSums() const;

    // Refreshes each target's separator, "ATT" and "DEFF" rows from its
    // current child rows (the target row's own class cells count as
    // defenders), then writes each row's class total into "Summe".
    void computeSums();

    // Top-level rows are targets.
    std::vector<PlanRow> planTable;
    std::vector<OutgoingFleet> outgoingFleets;
};

} // namespace skarnwald
