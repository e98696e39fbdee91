#include "writers/ShareWriters.h"

#include "reading/SideList.h"
#include "text/Catalog.h"
#include "text/Utf8Text.h"
#include "writers/ShareFormats.h"
#include "writers/ShareText.h"

#include <algorithm>
#include <span>

namespace skarnwald {

namespace {

// Beyond this many ship types a fleet's list ends in "…".
constexpr std::size_t kShipTypesShown = 8;

// Line breaks, tabs and other control characters, which a shared line shows as blanks.
bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// A report field as a shared text keeps: fields are cut by byte arithmetic
// around ASCII separators, and on odd input a cut can fall inside a character.
std::string Whole(std::string_view field) {
    return std::string(TrimPartialCharacters(field));
}

std::string Heading(const CollectedBattle& battle, const ShareWords& words) {
    if (!battle.hasHeader)
        return words.battleWithoutHeader;
    if (battle.place.empty())
        return FillIn(words.battle, {{"coords", battle.coords}});
    return FillIn(words.battleAtPlace, {{"coords", battle.coords}, {"place", battle.place}});
}

std::string FleetText(const CollectedFleet& fleet, std::size_t nameLimit) {
    std::string text = CutToCodePoints(fleet.name.empty() ? "?" : fleet.name, nameLimit);
    text += " (" + CutToCodePoints(fleet.coords, 24) + ")";
    std::string_view separator = ": ";
    for (const auto& [type, ships] : fleet.ships) {
        text += separator;
        if (type.empty()) {
            text += "…";
            break;
        }
        text += std::to_string(ships) + " " + CutToCodePoints(type, 32);
        separator = ", ";
    }
    return text;
}

bool SideTookPart(const CollectedBattle& battle, const BattleSummary& summary, int side) {
    if (summary.fleetCounts[side] > 0)
        return true;
    for (const CollectedFleet& fleet : battle.fleets)
        if (fleet.sideIndex == side)
            return true;
    return false;
}

std::string CaptureText(const CollectedCapture& capture) {
    std::string fleet;
    if (!capture.name.empty())
        fleet = CutToCodePoints(capture.name, 64) + " ";
    fleet += "(" + CutToCodePoints(capture.coords, 24) + ")";
    return CoreTexts().Plural("share.capture", capture.roids, {{"fleet", fleet}});
}

// --- BBCode ---------------------------------------------------------------

// Colours between light and dark, readable on the usual forum themes.
constexpr std::string_view kSideColours[] = {"#E03C31", "#2E9E44", "#3D7DD8"};
constexpr std::string_view kYieldColour = "#C9A227";

// Report text in a post: an opening bracket followed by an invisible joiner
// can never start a tag, and control characters become blanks.
void AppendBBText(std::string& out, std::string_view text) {
    for (char c : text) {
        if (IsControl(c))
            out += ' ';
        else if (c == '[')
            out += "[\u200B";
        else
            out += c;
    }
}

void AppendColoured(std::string& out, std::string_view colour, std::string_view text) {
    out += "[color=";
    out += colour;
    out += ']';
    AppendBBText(out, text);
    out += "[/color]";
}

// A line of its own in bold.
void AppendBoldLine(std::string& out, std::string_view text) {
    out += "[b]";
    AppendBBText(out, text);
    out += "[/b]\n";
}

void AppendBBTable(std::string& out, const SummaryFigures& figures, const ShareWords& words) {
    const std::string table = ClassTable(figures, words);
    if (table.empty())
        return;
    out += "[code]\n";
    out += table;
    out += "[/code]\n";
}

// --- Discord --------------------------------------------------------------

// Markdown and mention characters lose their meaning behind a backslash.
std::string DiscordText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (IsControl(c)) {
            out += ' ';
            continue;
        }
        if (std::string_view("\\*_~`|<>@[]").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

// Code points of a line with its line feed.
std::size_t LengthOf(std::string_view line) {
    return CodePoints(line) + 1;
}

std::size_t LengthOf(std::span<const DiscordBlock> blocks) {
    std::size_t length = 0;
    for (const DiscordBlock& block : blocks)
        length += LengthOf(block.text);
    return length;
}

// A side's fleets as lines that each fit in a message, the first after
// `before` code points that keep with it, the last before `after` code points
// it keeps with; the lines after the first start with `resumed`.
std::vector<std::string> SideLines(const std::string& start, const std::string& resumed,
                                   const std::vector<std::string>& items, std::size_t before,
                                   std::size_t after) {
    constexpr std::string_view kSeparator = " · ";
    const std::size_t separatorLength = CodePoints(kSeparator);
    std::vector<std::string> lines{start};
    std::size_t length = LengthOf(start);
    std::size_t room = kDiscordMessageLimit - before;
    std::size_t itemsInLine = 0, lastItemAt = 0;
    for (const std::string& item : items) {
        const std::size_t itemLength = CodePoints(item);
        if (itemsInLine > 0 && length + separatorLength + itemLength > room) {
            lines.push_back(resumed);
            length = LengthOf(resumed);
            room = kDiscordMessageLimit;
            itemsInLine = 0;
        }
        std::string& line = lines.back();
        lastItemAt = line.size();
        if (itemsInLine > 0) {
            line += kSeparator;
            length += separatorLength;
        }
        line += item;
        length += itemLength;
        ++itemsInLine;
    }
    // The last line and what follows do not fit together: its last item
    // opens a line of its own.
    if (itemsInLine > 1 && length + after > room) {
        std::string& line = lines.back();
        std::string moved = resumed + line.substr(lastItemAt + kSeparator.size());
        line.resize(lastItemAt);
        lines.push_back(std::move(moved));
    }
    return lines;
}

} // namespace

// --- Collecting ---------------------------------------------------------------

void CBattleCollector::BeginReport(const ReportStartEvent&) {
    words_ = CurrentShareWords();
    battle_ = {};
    fleetIndex_.clear();
    battlesWritten_ = 0;
    StartReport();
}

void CBattleCollector::Header(const HeaderEvent& event) {
    battle_.hasHeader = true;
    battle_.coords = Whole(event.coords);
    battle_.place = Whole(event.parts.place);
    battle_.when = ShownTime(TrimPartialCharacters(event.when), words_.date);
}

void CBattleCollector::FleetLine(const FleetLineEvent& event) {
    std::string key(event.name);
    key += '\0';
    key += event.coords;
    auto& fleets = battle_.fleets;
    const auto [found, added] = fleetIndex_.try_emplace(std::move(key), fleets.size());
    if (added)
        fleets.push_back({Whole(event.name), Whole(event.coords), SideIndexOfLine(event.side), {}});
    CollectedFleet* fleet = &fleets[found->second];
    const std::string_view type = TrimPartialCharacters(Trim(event.parts.shipType));
    auto& ships = fleet->ships;
    auto entry = std::find_if(ships.begin(), ships.end(), [&](const auto& s) { return s.first == type; });
    if (entry != ships.end())
        entry->second += event.parts.ships;
    else if (ships.size() < kShipTypesShown)
        ships.emplace_back(std::string(type), event.parts.ships);
    else if (ships.size() == kShipTypesShown)
        ships.emplace_back(std::string(), 0); // marks the list as cut
}

void CBattleCollector::RoidCapture(const RoidCaptureEvent& event) {
    battle_.captures.push_back({Whole(event.coords), Whole(event.name), event.roids});
    battle_.roids += event.roids;
}

void CBattleCollector::Salvage(const SalvageEvent& event) {
    battle_.salvages.push_back(Whole(event.text));
}

void CBattleCollector::BattleEnd(const BattleEndEvent& event) {
    WriteBattle(battle_, event.summary);
    ++battlesWritten_;
    battle_ = {};
    fleetIndex_.clear();
}

// --- BBCode -----------------------------------------------------------------

void CBBCodeWriter::StartReport() {
    text_.clear();
}

void CBBCodeWriter::WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) {
    if (BattlesWritten() > 0)
        text_ += '\n';
    const ShareWords& words = Words();
    text_ += "[b]";
    AppendBBText(text_, Heading(battle, words));
    if (!battle.when.empty()) {
        text_ += " — ";
        AppendBBText(text_, battle.when);
    }
    text_ += "[/b]\n";
    for (int side = 0; side < 3; ++side) {
        if (!SideTookPart(battle, summary, side))
            continue;
        text_ += "[b]";
        AppendColoured(text_, kSideColours[side], words.sides[side]);
        text_ += "[/b]\n";
        bool listed = false;
        for (const CollectedFleet& fleet : battle.fleets) {
            if (fleet.sideIndex != side)
                continue;
            text_ += listed ? "[*]" : "[list]\n[*]";
            listed = true;
            AppendColoured(text_, kSideColours[side], FleetText(fleet, 200));
            text_ += '\n';
        }
        if (listed)
            text_ += "[/list]\n";
        AppendBBTable(text_, summary.sides[side], words);
    }
    for (const CollectedCapture& capture : battle.captures) {
        AppendColoured(text_, kYieldColour, CaptureText(capture));
        text_ += '\n';
    }
    for (const std::string& salvage : battle.salvages) {
        AppendColoured(text_, kYieldColour, FillIn(words.salvage, {{"text", salvage}}));
        text_ += '\n';
    }
}

void CBBCodeWriter::WriteSideTables(const BattleSummary& summary) {
    for (int side : {kAttackingSide, kDefendingSide}) {
        text_ += "[b]";
        AppendColoured(text_, kSideColours[side], Words().sides[side]);
        text_ += "[/b]\n";
        AppendBBTable(text_, summary.sides[side], Words());
    }
}

void CBBCodeWriter::ReportEnd(const ReportEndEvent& event) {
    if (BattlesWritten() == 0) {
        AppendBoldLine(text_, Words().noBattle);
    } else if (BattlesWritten() > 1) {
        text_ += '\n';
        AppendBoldLine(text_, Words().allBattles);
        WriteSideTables(event.summary);
    }
}

// --- Discord ------------------------------------------------------------------

void CDiscordWriter::StartReport() {
    messages_.clear();
    message_.clear();
    messageLength_ = 0;
}

void CDiscordWriter::EndMessage() {
    if (message_.empty())
        return;
    message_.pop_back(); // the last line's line feed
    messages_.push_back(std::move(message_));
    message_.clear();
    messageLength_ = 0;
}

void CDiscordWriter::Append(std::string_view block) {
    const std::size_t length = CodePoints(block) + 1;
    if (messageLength_ + length > kDiscordMessageLimit)
        EndMessage();
    message_ += block;
    message_ += '\n';
    messageLength_ += length;
}

void CDiscordWriter::AppendTogether(std::span<const DiscordBlock> blocks) {
    if (messageLength_ + LengthOf(blocks) > kDiscordMessageLimit)
        EndMessage();
    for (const DiscordBlock& block : blocks)
        Append(block.text);
}

void CDiscordWriter::Place(std::span<const DiscordBlock> blocks) {
    if (LengthOf(blocks) <= kDiscordMessageLimit) {
        AppendTogether(blocks);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (!blocks[i].keepWithNext || i + 1 == blocks.size()) {
            AppendTogether(blocks.subspan(start, i + 1 - start));
            start = i + 1;
        }
}

void CDiscordWriter::WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) {
    const ShareWords& words = Words();
    std::string heading = "**" + DiscordText(CutToCodePoints(Heading(battle, words), 160)) + "**";
    if (!battle.when.empty())
        heading += " · " + DiscordText(CutToCodePoints(battle.when, 40));
    std::vector<DiscordBlock> blocks{{std::move(heading), true}};
    for (int side = 0; side < 3; ++side) {
        if (!SideTookPart(battle, summary, side))
            continue;
        std::vector<std::string> fleets;
        for (const CollectedFleet& fleet : battle.fleets)
            if (fleet.sideIndex == side)
                fleets.push_back(DiscordText(FleetText(fleet, 64)));
        const std::string table = ClassTable(summary.sides[side], words);
        const std::string fenced = table.empty() ? std::string() : "```\n" + table + "```";
        const std::string& name = words.sides[side];
        const std::string continued = FillIn(words.sideContinued, {{"side", name}});
        // The first side's first line keeps company with the heading.
        const std::size_t before = blocks.size() == 1 ? LengthOf(blocks.front().text) : 0;
        for (std::string& line : SideLines("**" + name + ":** ", "**" + continued + ":** ", fleets, before,
                                           fenced.empty() ? 0 : LengthOf(fenced)))
            blocks.push_back({std::move(line), false});
        blocks.back().keepWithNext = !fenced.empty(); // the side's last line stays with its table
        if (!fenced.empty())
            blocks.push_back({fenced, false});
    }
    for (const CollectedCapture& capture : battle.captures)
        blocks.push_back({DiscordText(CaptureText(capture)), false});
    for (const std::string& salvage : battle.salvages)
        blocks.push_back(
            {FillIn(words.salvage, {{"text", DiscordText(CutToCodePoints(salvage, 200))}}), false});
    blocks.back().keepWithNext = false;
    Place(blocks);
}

void CDiscordWriter::ReportEnd(const ReportEndEvent&) {
    if (BattlesWritten() == 0)
        Append(DiscordText(Words().noBattle));
    EndMessage();
}

// --- Title ------------------------------------------------------------------

void CTitleWriter::WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) {
    const ShareWords& words = Words();
    const CCatalog& texts = CoreTexts();
    std::string line = Heading(battle, words);
    if (!battle.when.empty())
        line += ", " + battle.when;
    std::string_view separator = " — ";
    for (int side = 0; side < 3; ++side) {
        if (!SideTookPart(battle, summary, side))
            continue;
        const SummaryFigures& figures = summary.sides[side];
        const std::string fleets = texts.Plural("share.fleets", summary.fleetCounts[side]);
        const std::string ships = texts.Plural("share.ships", Total(figures.ships));
        const std::string lost = FillIn(words.lost, {{"count", std::to_string(Total(figures.losses))}});
        line += separator;
        line += FillIn(words.sideFigures,
                       {{"side", words.sides[side]}, {"fleets", fleets}, {"ships", ships}, {"lost", lost}});
        separator = " · ";
    }
    if (battle.roids != 0) {
        line += separator;
        line += texts.Plural("share.roidsCaptured", battle.roids);
    }
    // One line per battle, whatever the report's text holds.
    std::replace_if(line.begin(), line.end(), IsControl, ' ');
    text_ += line;
    text_ += '\n';
}

} // namespace skarnwald
