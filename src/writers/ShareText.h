#pragma once
// Text pieces the shared formats have in common: code point counts, the
// battle time read from a header, side names and the per-class table.

#include "writers/SummaryTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

// Characters as a chat service counts them: code points of UTF-8 text, each
// byte that belongs to no well-formed sequence counting as one.
std::size_t CodePoints(std::string_view text);
// At most `limit` code points of `text`, ending with "…" when it was cut.
std::string CutToCodePoints(std::string_view text, std::size_t limit);

struct BattleTime {
    int year, month, day, hour, minute, second;
};
// "2026-03-14 21:07:55" or "14.3.2026 21:07"; nothing for any other text.
std::optional<BattleTime> ReadBattleTime(std::string_view text);
std::string IsoText(const BattleTime& time);    // 2026-03-14T21:07:55
std::string GermanText(const BattleTime& time); // 14.03.2026 21:07
// The time as German text, or the header's own text when it cannot be read.
std::string ShownTime(std::string_view when);

// "Angreifer", "Verteidiger", "ohne Seite" for a sides[] index.
std::string_view SideName(int sideIndex);
// The sides[] index of a fleet line's side (kNoSideKampftyp: without side).
int SideIndexOfLine(std::int32_t side);

// Ships per class of one side, in aligned columns for a code block: brought,
// lamed, destroyed, lost. Only classes with a number other than 0 get a row;
// empty text when there is none. Every line ends with "\n".
std::string ClassTable(const SummaryFigures& figures);

// Sum of a count over all classes.
std::int64_t Total(const ClassCounts& counts);

// Fleet count in German: "1 Flotte", "3 Flotten".
std::string FleetCountText(std::int64_t count);

} // namespace skarnwald
