#pragma once
// A battle as a picture: an SVG card of fixed width to post in a chat, with
// the battle's place and time, each side's fleets and its ships per class
// brought, lamed, destroyed and lost, and the roids won. One card per battle,
// and a summary card of the whole report.
//
// The layout depends only on the conversion and the core's language: every
// length is a whole number and text widths are estimated from the text, never
// measured, so every program writes the same bytes.

#include "writers/ShareWriters.h"

#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

// The card's width in pixels: what chat services show of a picture inline.
inline constexpr int kCardWidth = 550;
// The one font the card is drawn in; the programs that draw it bring it along.
inline constexpr std::string_view kCardFontFamily = "DejaVu Sans";

struct BattleCards {
    std::string summary;              // the whole report (for one battle: its card)
    std::vector<std::string> battles; // one per battle, only when asked for
};

class CCardWriter : public CBattleCollector {
public:
    explicit CCardWriter(bool eachBattle = false) : eachBattle_(eachBattle) {}
    BattleCards& Cards() { return cards_; }
    void ReportEnd(const ReportEndEvent& event) override;

protected:
    void StartReport() override;
    void WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) override;

private:
    bool eachBattle_;
    BattleCards cards_;
    std::string firstBattleCard_; // the summary of a report of one battle
    std::string firstWhen_, lastWhen_;
    std::int64_t roids_ = 0;
};

// `text` as XML character data: markup characters as references, control
// characters as blanks, and bytes that are no UTF-8 (or code points XML
// forbids) as U+FFFD, so the card always parses.
std::string XmlText(std::string_view text);

} // namespace skarnwald
