#pragma once
// The seven ship classes in their fixed order. Every per-class array, table
// column run and SQL value list follows this order; each place has its own word.

#include "text/TextRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skarnwald {

enum class ShipClass { Shuttle, Fighter, Frigate, Corvette, Starcruiser, Battleship, Doomstar };

inline constexpr int kShipClassCount = 7;

template <typename T> using PerClass = std::array<T, kShipClassCount>;
using ClassCounts = PerClass<std::int32_t>;

// Adds `values` into `sum` class by class, wrapping like every 32-bit counter.
inline void AddInto(ClassCounts& sum, const ClassCounts& values) {
    for (int k = 0; k < kShipClassCount; ++k)
        sum[k] = WrapAdd(sum[k], values[k]);
}

// Words matched in report lines by the tally (exact, case-sensitive).
inline constexpr PerClass<std::string_view> kTallyWords = {"Shuttle",     "Fighter",    "Frigate", "Corvette",
                                                           "Starcruiser", "Battleship", "Doomstar"};

// Column names of the class columns in the PersStat and Statistik tables.
inline constexpr PerClass<std::string_view> kPersStatColumns = {
    "Shuttle", "Fighter", "Fregatte", "Corvette", "Starcruiser", "Battleship", "Doomstar"};

// Index of the class whose tally word equals `word` exactly.
inline std::optional<int> MatchTallyWord(std::string_view word) {
    for (int k = 0; k < kShipClassCount; ++k)
        if (kTallyWords[k] == word)
            return k;
    return std::nullopt;
}

} // namespace skarnwald
