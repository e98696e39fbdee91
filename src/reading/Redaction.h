#pragma once
// Hiding details before a conversion is shared: the user's own fleets, every
// owner name, every coordinate. Sides and numbers never change.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace skarnwald {

struct Redaction {
    bool hideOwn = false;    // fleets at the own coordinates lose name and coordinates
    bool hideNames = false;  // owner names become "Flotte 1", "Flotte 2", ...
    bool hideCoords = false; // every coordinate becomes "?.?.?"

    bool Any() const { return hideOwn || hideNames || hideCoords; }
};

inline constexpr std::string_view kHiddenCoords = "?.?.?";
inline constexpr std::string_view kHiddenOwnName = "(verborgen)";

// Decides how one report's names and coordinates are shown. Names hidden by
// hide-names are numbered in the order they are first asked for, so one
// owner keeps one number throughout the report.
class CRedactor {
public:
    void Reset(const Redaction& redaction, std::string_view ownCoords);
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
    bool HidesCoords(std::string_view coords) const;

private:
    bool IsOwn(std::string_view coords) const;

    Redaction redaction_;
    std::string ownCoords_;
    // Node-based, so the views handed out stay valid while names are added.
    mutable std::unordered_map<std::string, std::string> numberedNames_;
};

} // namespace skarnwald
