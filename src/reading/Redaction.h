#pragma once
// Hiding details before a conversion is shared: the user's own fleets, every
// name that identifies a player, every coordinate. Sides and numbers never
// change.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace skarnwald {

struct Redaction {
    bool hideOwn = false;    // fleets at the own coordinates lose owner, fleet name and coordinates
    bool hideNames = false;  // owners become "Flotte 1", ...; fleet names "(Verband 1)", ... in German
    bool hideCoords = false; // every coordinate becomes "?.?.?", a battle's place goes with it

    bool Any() const { return hideOwn || hideNames || hideCoords; }
    bool operator==(const Redaction&) const = default;
};

inline constexpr std::string_view kHiddenCoords = "?.?.?";

// Koords as users type them: "11. 7. 8" and "[11.7.8]" are "11.7.8".
std::string NormalizedCoords(std::string_view typed);

// Decides how one report's names and coordinates are shown. Hidden names are
// numbered in the order they are first asked for, so one owner (or fleet)
// keeps one number throughout the report; their words are the core's language
// when the report begins.
class CRedactor {
public:
    // With `standIns`, hidden coordinates become "?.?.1", "?.?.2", ... (the
    // own ones "?.?.?"): report text written that way converts to the same
    // sides, and hides the same, as the report it was written from.
    void Reset(const Redaction& redaction, std::string_view ownCoords, bool standIns = false);
    bool Active() const { return redaction_.Any(); }

    // `coords` without blanks; `shown` is how the report writes them (returned
    // unchanged when nothing is hidden).
    std::string_view Coords(std::string_view coords, std::string_view shown) const;
    std::string_view Coords(std::string_view coords) const { return Coords(coords, coords); }
    // `name` trimmed, `coords` the owner's without blanks.
    std::string_view Name(std::string_view name, std::string_view coords, std::string_view shown) const;
    std::string_view Name(std::string_view name, std::string_view coords) const {
        return Name(name, coords, name);
    }
    // A fleet name with its parentheses, "(Nordwind)"; `coords` its owner's.
    std::string_view FleetName(std::string_view fleet, std::string_view coords) const;
    bool HidesCoords(std::string_view coords) const;
    // Shown names in the order summaries list them: numbered names by number.
    bool ShownNameBefore(std::string_view left, std::string_view right) const;

private:
    bool IsOwn(std::string_view coords) const;
    std::string_view StandIn(std::string_view coords) const;

    Redaction redaction_;
    std::string ownCoords_;
    bool standIns_ = false;
    std::string ownerForm_, fleetForm_,
        hiddenOwnName_; // "Flotte {number}", "(Verband {number})", "(verborgen)"
    // Node-based, so the views handed out stay valid while entries are added.
    mutable std::unordered_map<std::string, std::string> numberedNames_, numberedFleets_, numberedCoords_;
};

} // namespace skarnwald
