#pragma once
// Text pieces the shared formats have in common: their words in the core's
// language, code point counts, the battle time read from a header and the
// per-class table.

#include "writers/SummaryTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

// The words the share formats write around the report's own text, in the
// core's language. A writer looks them up once per report; texts that depend
// on a count come from CoreTexts().Plural as they are needed.
struct ShareWords {
    std::string battle, battleAtPlace, battleWithoutHeader; // a battle's heading
    std::string allBattles, noBattle;
    std::string date;                   // the form of a battle's time
    std::array<std::string, 3> sides;   // by sides[] index
    std::string sideContinued;          // a side's fleets going on in the next message
    std::string sideFigures, lost;      // a side's figures in the title line
    std::string salvage;                // a salvage line with the report's text
    PerClass<std::string> classes;      // row heads of the class table
    std::array<std::string, 5> columns; // its column heads: class, brought, lamed, destroyed, lost
};
ShareWords CurrentShareWords();

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
std::string IsoText(const BattleTime& time); // 2026-03-14T21:07:55
// The time in `form`, whose {day}, {month}, {hour} and {minute} are two
// digits and {year} the year: "{day}.{month}.{year} {hour}:{minute}" gives
// "14.03.2026 21:07".
std::string TimeText(const BattleTime& time, std::string_view form);
// The time in `form`, or the header's own text when it cannot be read.
std::string ShownTime(std::string_view when, std::string_view form);

// The sides[] index of a fleet line's side (kNoSideKampftyp: without side).
int SideIndexOfLine(std::int32_t side);

// Ships per class of one side, in aligned columns for a code block: brought,
// lamed, destroyed, lost. Only classes with a number other than 0 get a row;
// empty text when there is none. Every line ends with "\n".
std::string ClassTable(const SummaryFigures& figures, const ShareWords& words);

// Sum of a count over all classes.
std::int64_t Total(const ClassCounts& counts);

} // namespace skarnwald
