#include "writers/BattleCard.h"

#include "reading/SideList.h"
#include "text/Catalog.h"
#include "text/Utf8Text.h"
#include "writers/HtmlFragments.h"

#include <algorithm>

namespace skarnwald {

namespace {

// The page's colours, so a card looks like the page it comes from.
constexpr std::string_view kBackground = "#000000";
constexpr std::string_view kTitleColour = "#00ff00";
constexpr std::string_view kDateColour = "#cccccc";
constexpr std::string_view kFleetColour = "#ffffff";
constexpr std::string_view kTableHeadBackground = "#4d4d4d";
constexpr std::string_view kRoidBackground = "#3c4d3c";
constexpr std::string_view kRoidColour = "yellow";
// brought, lamed, destroyed, lost: the colours of the summary tables' rows
constexpr std::string_view kColumnColours[] = {"#00ff00", "#dadafe", "#ffded9", "#ff0000"};
constexpr std::string_view kSideBackgrounds[] = {html::kAttackingBackground, html::kDefendingBackground,
                                                 html::kNoSideBackground};
constexpr std::string_view kSideHeadingColours[] = {html::kOtherHeadingColour, html::kDefendingHeadingColour,
                                                    html::kOtherHeadingColour};

// Every size is at least 14 px, readable where chats show the card at its width.
constexpr int kTitleSize = 20, kSideSize = 16, kNumberSize = 15, kTextSize = 14;
constexpr int kMargin = 16;
constexpr int kInnerWidth = kCardWidth - 2 * kMargin;
// Right edges of the four number columns, each wide enough for ten digits.
constexpr int kColumnWidth = 96;
constexpr int kLastColumnRight = kCardWidth - kMargin - 6;
// A side lists its biggest fleets; the rest are counted.
constexpr std::size_t kFleetsShown = 6;

// The advance of a code point in thousandths of the font size, close to the
// card's font: text is cut by this estimate, so it can never run off the card
// however the renderer measures it.
int Advance(char32_t cp) {
    if (cp == ' ')
        return 318;
    if (cp < 0x80) {
        const char c = static_cast<char>(cp);
        if (std::string_view("ijl.,:;'!|`").find(c) != std::string_view::npos)
            return 300;
        if (std::string_view("()[]{}frtI\"").find(c) != std::string_view::npos)
            return 420;
        if (c == 'm' || c == 'M' || c == 'W' || c == 'w' || c == '@' || c == '%')
            return 1000;
        if (c >= 'A' && c <= 'Z')
            return 760;
        return 640;
    }
    return cp >= 0x2E80 ? 1000 : 760; // wide scripts; every other letter as a capital
}

// The code point at `at` and the bytes it takes; a stray byte counts as one.
std::pair<char32_t, std::size_t> CodePointAt(std::string_view text, std::size_t at) {
    const std::size_t length = Utf8SequenceLength(text, at);
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 0)
        return {byte(0) < 0x80 ? byte(0) : 0xFFFD, 1};
    char32_t cp = byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        cp = (cp << 6) | (byte(i) & 0x3F);
    return {cp, length};
}

// `text` cut with "…" where it would pass `width` pixels at `size`.
std::string Fitted(std::string_view text, int size, bool bold, int width) {
    const long limit = static_cast<long>(width) * 1000 * (bold ? 10 : 11) / (size * 11);
    const long ellipsis = 1000;
    long used = 0;
    std::size_t fitsWithEllipsis = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto [cp, length] = CodePointAt(text, at);
        used += Advance(cp);
        if (used > limit)
            return std::string(text.substr(0, fitsWithEllipsis)) + "…";
        at += length;
        if (used + ellipsis <= limit)
            fitsWithEllipsis = at;
    }
    return std::string(text);
}

std::string Number(std::int64_t value) {
    return std::to_string(value);
}

// Builds a card from the top down; the height follows from what it holds.
class CardLayout {
public:
    void Text(int x, int baseline, int size, std::string_view colour, std::string_view text,
              bool bold = false, bool alignRight = false) {
        body_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(baseline) + "\" font-size=\"" + Number(size) +
                 "\" fill=\"";
        body_ += colour;
        body_ += '"';
        if (bold)
            body_ += " font-weight=\"bold\"";
        if (alignRight)
            body_ += " text-anchor=\"end\"";
        body_ += '>';
        body_ += XmlText(text);
        body_ += "</text>\n";
    }

    void Band(int height, std::string_view colour) {
        body_ += "<rect x=\"" + Number(kMargin) + "\" y=\"" + Number(y_) + "\" width=\"" +
                 Number(kInnerWidth) + "\" height=\"" + Number(height) + "\" fill=\"";
        body_ += colour;
        body_ += "\"/>\n";
    }

    // The heading and the line under it (time, battles).
    void Title(std::string_view heading, std::string_view detail) {
        y_ = 12;
        Text(kMargin, y_ + 22, kTitleSize, kTitleColour, Fitted(heading, kTitleSize, true, kInnerWidth),
             true);
        y_ += 30;
        if (!detail.empty()) {
            Text(kMargin, y_ + 17, kNumberSize, kDateColour, Fitted(detail, kNumberSize, false, kInnerWidth));
            y_ += 24;
        }
        y_ += 8;
    }

    void SideHeading(int side, std::string_view text) {
        Band(28, kSideBackgrounds[side]);
        Text(kMargin + 8, y_ + 20, kSideSize, kSideHeadingColours[side],
             Fitted(text, kSideSize, true, kInnerWidth - 16), true);
        y_ += 32;
    }

    void Line(std::string_view text, std::string_view colour) {
        Text(kMargin + 8, y_ + 15, kTextSize, colour, Fitted(text, kTextSize, false, kInnerWidth - 16));
        y_ += 20;
    }

    // Ships per class: a row for every class with a number, and their sums.
    void ClassTable(const SummaryFigures& figures, const ShareWords& words, std::string_view sumWord) {
        const ClassCounts* columns[] = {&figures.ships, &figures.lamed, &figures.destroyed, &figures.losses};
        std::int64_t sums[4] = {};
        bool anyRow = false;
        for (int k = 0; k < kShipClassCount; ++k) {
            const std::int64_t values[] = {(*columns[0])[k], (*columns[1])[k], (*columns[2])[k],
                                           (*columns[3])[k]};
            if (std::all_of(std::begin(values), std::end(values), [](std::int64_t v) { return v == 0; }))
                continue;
            if (!anyRow)
                TableHead(words);
            anyRow = true;
            TableRow(words.classes[k], values, false);
            for (int c = 0; c < 4; ++c)
                sums[c] += values[c];
        }
        if (anyRow)
            TableRow(sumWord, sums, true);
    }

    void Roids(std::string_view text) {
        Band(24, kRoidBackground);
        Text(kMargin + 8, y_ + 17, kTextSize, kRoidColour, Fitted(text, kTextSize, false, kInnerWidth - 16));
        y_ += 28;
    }

    void Gap(int pixels) { y_ += pixels; }

    std::string Finish() {
        const int height = y_ + 8;
        std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kCardWidth) +
                          "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(kCardWidth) + " " +
                          Number(height) + "\">\n<rect width=\"" + Number(kCardWidth) + "\" height=\"" +
                          Number(height) + "\" fill=\"";
        svg += kBackground;
        svg += "\"/>\n<g font-family=\"";
        svg += kCardFontFamily;
        svg += "\">\n";
        svg += body_;
        svg += "</g>\n</svg>\n";
        return svg;
    }

private:
    static int ColumnRight(int column) { return kLastColumnRight - (3 - column) * kColumnWidth; }

    void TableHead(const ShareWords& words) {
        Band(22, kTableHeadBackground);
        const int classWidth = ColumnRight(0) - kColumnWidth - kMargin - 6;
        Text(kMargin + 6, y_ + 16, kTextSize, kFleetColour,
             Fitted(words.columns[0], kTextSize, false, classWidth));
        for (int c = 0; c < 4; ++c)
            Text(ColumnRight(c), y_ + 16, kTextSize, kFleetColour,
                 Fitted(words.columns[c + 1], kTextSize, false, kColumnWidth - 6), false, true);
        y_ += 22;
    }

    void TableRow(std::string_view label, const std::int64_t (&values)[4], bool bold) {
        const int classWidth = ColumnRight(0) - kColumnWidth - kMargin - 6;
        Text(kMargin + 6, y_ + 17, kNumberSize, kFleetColour, Fitted(label, kNumberSize, bold, classWidth),
             bold);
        for (int c = 0; c < 4; ++c)
            Text(ColumnRight(c), y_ + 17, kNumberSize, kColumnColours[c], Number(values[c]), bold, true);
        y_ += 22;
    }

    std::string body_;
    int y_ = 0;
};

std::string SideHeadingText(const ShareWords& words, int side, std::int64_t fleets, std::int64_t ships) {
    const CCatalog& texts = CoreTexts();
    return words.sides[side] + " · " + texts.Plural("share.fleets", fleets) + " · " +
           texts.Plural("share.ships", ships);
}

void MoreFleets(CardLayout& card, std::size_t listed, std::size_t total) {
    if (total > listed)
        card.Line(CoreTexts().Plural("card.moreFleets", static_cast<std::int64_t>(total - listed)),
                  kDateColour);
}

std::string BattleCard(const CollectedBattle& battle, const BattleSummary& summary, const ShareWords& words) {
    const std::string sum(CoreTexts().Text("summary.sum"));
    CardLayout card;
    card.Title(Heading(battle, words), battle.when);
    for (int side = 0; side < 3; ++side) {
        if (!SideTookPart(battle, summary, side))
            continue;
        const SummaryFigures& figures = summary.sides[side];
        card.SideHeading(side, SideHeadingText(words, side, summary.fleetCounts[side], Total(figures.ships)));
        std::size_t fleets = 0;
        for (const CollectedFleet& fleet : battle.fleets)
            if (fleet.sideIndex == side && ++fleets <= kFleetsShown)
                card.Line(FleetText(fleet, 64), kFleetColour);
        MoreFleets(card, std::min(fleets, kFleetsShown), fleets);
        card.Gap(4);
        card.ClassTable(figures, words, sum);
        card.Gap(12);
    }
    for (const CollectedCapture& capture : battle.captures)
        card.Roids(CaptureText(capture));
    return card.Finish();
}

// The fleets of a side, those that brought most ships first.
std::vector<const FleetSummary*> FleetsOfSide(const ReportSummary& summary, int side) {
    std::vector<const FleetSummary*> fleets;
    for (const FleetSummary& fleet : summary.fleets)
        if (SideIndex(fleet.side) == side)
            fleets.push_back(&fleet);
    std::stable_sort(fleets.begin(), fleets.end(), [](const FleetSummary* a, const FleetSummary* b) {
        return Total(a->figures.ships) > Total(b->figures.ships);
    });
    return fleets;
}

bool HasFigures(const SummaryFigures& figures) {
    return Total(figures.ships) != 0 || Total(figures.lamed) != 0 || Total(figures.destroyed) != 0 ||
           Total(figures.losses) != 0;
}

} // namespace

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length > 0) {
            const std::string_view sequence = text.substr(at, length);
            const bool forbidden = sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF";
            out += forbidden ? "\xEF\xBF\xBD" : sequence;
            at += length;
            continue;
        }
        ++at;
        if (static_cast<unsigned char>(c) >= 0x80)
            out += "\xEF\xBF\xBD";
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            out += ' ';
        else if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '\'')
            out += "&apos;";
        else
            out += c;
    }
    return out;
}

void CCardWriter::StartReport() {
    cards_ = {};
    firstBattleCard_.clear();
    firstWhen_.clear();
    lastWhen_.clear();
    roids_ = 0;
}

void CCardWriter::WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) {
    if (BattlesWritten() == 0) {
        firstWhen_ = battle.when;
        firstBattleCard_ = BattleCard(battle, summary, Words());
        if (eachBattle_)
            cards_.battles.push_back(firstBattleCard_);
    } else if (eachBattle_) {
        cards_.battles.push_back(BattleCard(battle, summary, Words()));
    }
    if (!battle.when.empty())
        lastWhen_ = battle.when;
    roids_ += battle.roids;
}

void CCardWriter::ReportEnd(const ReportEndEvent& event) {
    const ShareWords& words = Words();
    const std::size_t battles = BattlesWritten();
    if (battles == 1) {
        cards_.summary = std::move(firstBattleCard_);
        return;
    }
    CardLayout card;
    if (battles == 0) {
        card.Title(words.noBattle, {});
        cards_.summary = card.Finish();
        return;
    }
    std::string detail = CoreTexts().Plural("card.battles", static_cast<std::int64_t>(battles));
    if (!firstWhen_.empty()) {
        detail += " · " + firstWhen_;
        if (lastWhen_ != firstWhen_)
            detail += " – " + lastWhen_;
    }
    card.Title(words.allBattles, detail);
    const ReportSummary& summary = event.summary;
    const std::string sum(CoreTexts().Text("summary.sum"));
    for (int side = 0; side < 3; ++side) {
        const std::vector<const FleetSummary*> fleets = FleetsOfSide(summary, side);
        if (fleets.empty() && !HasFigures(summary.sides[side]))
            continue;
        const SummaryFigures& figures = summary.sides[side];
        card.SideHeading(side, SideHeadingText(words, side, static_cast<std::int64_t>(fleets.size()),
                                               Total(figures.ships)));
        const std::size_t listed = std::min(fleets.size(), kFleetsShown);
        for (std::size_t f = 0; f < listed; ++f) {
            const FleetSummary& fleet = *fleets[f];
            card.Line(CutToCodePoints(fleet.name.empty() ? "?" : fleet.name, 64) + " (" +
                          CutToCodePoints(fleet.coords, 24) +
                          "): " + CoreTexts().Plural("share.ships", Total(fleet.figures.ships)),
                      kFleetColour);
        }
        MoreFleets(card, listed, fleets.size());
        card.Gap(4);
        card.ClassTable(figures, words, sum);
        card.Gap(12);
    }
    if (roids_ != 0)
        card.Roids(CoreTexts().Plural("share.roidsCaptured", roids_));
    cards_.summary = card.Finish();
}

} // namespace skarnwald
