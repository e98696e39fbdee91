#include "reading/ReportConverter.h"

#include "reading/LineParts.h"
#include "reading/ReportSummary.h"
#include "text/Catalog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace skarnwald {

namespace {

constexpr std::string_view kRoidCaptureMarker = "Roid-Capture :";

bool FoundAfterStart(std::string_view line, std::string_view word) {
    return Find(line, word) > 0;
}
bool Contains(std::string_view line, std::string_view word) {
    return Find(line, word) >= 0;
}

bool IsCombatLine(std::string_view line) {
    return FoundAfterStart(line, "destroyed") || FoundAfterStart(line, "lamed") ||
           FoundAfterStart(line, "causes") || FoundAfterStart(line, "attempt");
}

// The fleet and target members change with nearly every line; refilling them
// in place keeps their storage instead of allocating a new text each time.
void AssignWithoutBlanks(std::string& member, std::string_view text) {
    member.clear();
    for (char c : text)
        if (c != ' ')
            member.push_back(c);
}

void TrimInPlace(std::string& member) {
    const std::string_view trimmed = Trim(member);
    if (trimmed.size() != member.size())
        member = std::string(trimmed);
}

// A header's title ("Battle at [x.y.z] place") with the coordinates replaced
// by `coords` and the place left out.
std::string HiddenTitle(std::string_view title, std::string_view coords) {
    const Pos open = Find(title, "[");
    const Pos close = Find(title, "]", open + 1);
    if (open < 0 || close < 0)
        return "Battle at";
    return std::string(Take(title, 0, open + 1)) + std::string(coords) + "]";
}

// A capture text ("[x.y.z] Name has captured ...") with the coordinates before
// its first "]" replaced by `coords`; a copy that lost the "[" has them from its start.
std::string WithHiddenCaptureCoords(std::string_view shown, std::string_view coords) {
    const Pos close = Find(shown, "]");
    if (close < 0)
        return std::string(shown);
    const std::size_t open = shown.rfind('[', static_cast<std::size_t>(close));
    const std::size_t start = open == std::string_view::npos ? 0 : open + 1;
    return std::string(shown.substr(0, start)) + std::string(coords) + std::string(TakeFrom(shown, close));
}

// What a header says of the battle's time: the text before "Battle at".
std::string_view BattleTime(std::string_view line) {
    std::string_view when = Trim(Take(line, 0, Find(line, "Battle at")));
    if (when.ends_with("Uhr"))
        when = TrimRight(when.substr(0, when.size() - 3));
    return when;
}

// "[x.y.z] Name has captured 7 Roids": the name between the coordinates and
// "has captured", empty when there is none.
std::string_view CapturerName(std::string_view shown) {
    const Pos close = Find(shown, "]");
    if (close < 0)
        return {};
    const Pos has = Find(shown, "has captured", close);
    return Trim(has < 0 ? TakeFrom(shown, close + 1) : Take(shown, close + 1, has - close - 1));
}

// The capture text with its coordinates and capturer shown as redaction wants.
std::string RedactedCapture(std::string_view shown, bool hideCoords, std::string_view coords,
                            std::string_view name, std::string_view shownName) {
    std::string text = hideCoords ? WithHiddenCaptureCoords(shown, coords) : std::string(shown);
    if (!name.empty() && name != shownName) {
        const Pos close = Find(text, "]");
        const Pos at = Find(text, name, close + 1);
        if (at >= 0)
            text.replace(static_cast<std::size_t>(at), name.size(), shownName);
    }
    return text;
}

// The fleet name a subject ("Fighter (Nordwind)") carries: its first "(" to its last ")".
std::string_view FleetNameIn(std::string_view subject) {
    const std::size_t open = subject.find('(');
    const std::size_t close = subject.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {};
    return subject.substr(open, close - open + 1);
}

// `subject` with its fleet name shown as `shown`, kept in `storage` when it changes.
std::string_view WithFleetName(std::string_view subject, std::string_view fleet, std::string_view shown,
                               std::string& storage) {
    if (fleet == shown)
        return subject;
    const auto at = static_cast<std::size_t>(fleet.data() - subject.data());
    storage.assign(subject.substr(0, at));
    storage += shown;
    storage += subject.substr(at + fleet.size());
    return storage;
}

int ProgressUnits(std::size_t characters) {
    return static_cast<int>(std::min<std::size_t>(characters / 100, static_cast<std::size_t>(INT32_MAX)));
}

} // namespace

// ---------------------------------------------------------------------------
// Line converters

template <typename Event>
void CReportConverter::Emit(void (IReportWriter::*handler)(const Event&), const Event& event) {
    battleOpen_ = true;
    for (IReportWriter* writer : walking_ ? activeWriters_ : writers_)
        (writer->*handler)(event);
}

void CReportConverter::NoteBattleFleet(std::string_view name) {
    if (wantBattleFigures_)
        battleFigures_.Note(name);
}

CombatParts CReportConverter::ShownSubject(const CombatParts& parts) {
    CombatParts shown = parts;
    if (redactor_.Active()) {
        const std::string_view fleet = FleetNameIn(parts.subject);
        shown.subject = WithFleetName(parts.subject, fleet, redactor_.FleetName(fleet, currentFleetCoords),
                                      shownSubject_);
    }
    return shown;
}

void CReportConverter::ConvertHeaderLine(std::string_view line, bool prescan) {
    const HeaderParts parts = CutHeaderLine(line);
    // The planet where the battle takes place is the defending side.
    sideList.AddSide(parts.coords, kDefendingSide);
    if (prescan)
        return;

    // Hidden coordinates take the battle's place, which names the planet, with them.
    if (redactor_.Active() && redactor_.HidesCoords(parts.coords)) {
        HeaderParts shown = parts;
        shown.coords = std::string(redactor_.Coords(parts.coords));
        shown.place = {};
        shownTitle_ = HiddenTitle(parts.title, shown.coords);
        shown.title = shownTitle_;
        Emit(&IReportWriter::Header, HeaderEvent{shown, shown.title, shown.coords, BattleTime(line)});
        return;
    }
    Emit(&IReportWriter::Header, HeaderEvent{parts, parts.title, parts.coords, BattleTime(line)});
}

void CReportConverter::ConvertFleetLine(std::string_view line, bool prescan) {
    const FleetParts parts = CutFleetLine(line);
    AssignWithoutBlanks(currentFleetCoords, parts.from.coords);
    currentFleetName.assign(Trim(parts.from.owner));
    if (prescan)
        return;

    const std::int32_t side = sideList.FindSide(currentFleetCoords).value_or(kNoSideKampftyp);
    tallyTree.update(currentFleetName, currentFleetCoords, parts.ships, parts.stackSize, Trim(parts.shipType),
                     TallyEvent::FleetLine);
    NoteBattleFleet(currentFleetName);

    FleetParts shown = parts;
    FleetLineEvent event{shown, parts.from.coords, parts.from.owner, currentFleetCoords, currentFleetName,
                         side};
    if (redactor_.Active()) {
        shown.shipName = redactor_.FleetName(parts.shipName, currentFleetCoords);
        event.rawCoords = redactor_.Coords(currentFleetCoords, parts.from.coords);
        event.rawOwner = redactor_.Name(currentFleetName, currentFleetCoords, parts.from.owner);
        event.coords = redactor_.Coords(currentFleetCoords);
        event.name = redactor_.Name(currentFleetName, currentFleetCoords);
    }
    Emit(&IReportWriter::FleetLine, event);
}

void CReportConverter::ConvertCombatLine(std::string_view line, bool prescan) {
    const CombatParts parts = CutCombatLine(line);
    if (parts.kind == CombatKind::Causes || parts.kind == CombatKind::Attempt) {
        if (!prescan)
            Emit(&IReportWriter::NoLoss, NoLossEvent{ShownSubject(parts)});
        return;
    }

    const bool lamed = parts.kind == CombatKind::Lamed;
    // A line that also speaks of damage or an attempt ends after its verb cell
    // and counts for nothing.
    if (parts.alsoCausesOrAttempt) {
        if (!prescan)
            Emit(&IReportWriter::Hit, HitEvent{ShownSubject(parts), false, {}, {}, {}, {}, {}, {}});
        return;
    }

    AssignWithoutBlanks(targetCoords, parts.target.coords);
    targetName.assign(Trim(parts.target.owner));
    std::erase(currentFleetCoords, ' ');
    TrimInPlace(currentFleetName);
    const std::string classWord = RemoveBlanks(parts.classText);

    if (prescan) {
        sideList.GiveOppositeSides(sideList.Intern(currentFleetCoords), sideList.Intern(targetCoords));
        return;
    }

    tallyTree.update(currentFleetName, currentFleetCoords, parts.n1, parts.n3, classWord,
                     lamed ? TallyEvent::EnemyLamed : TallyEvent::EnemyDestroyed);
    tallyTree.update(targetName, targetCoords, parts.n1, parts.n3, classWord,
                     lamed ? TallyEvent::ShipsLamed : TallyEvent::ShipsDestroyed);
    NoteBattleFleet(currentFleetName);
    NoteBattleFleet(targetName);

    const bool active = redactor_.Active();
    CombatParts shown = active ? ShownSubject(parts) : CombatParts{};
    if (active)
        shown.shipName = redactor_.FleetName(parts.shipName, targetCoords);
    HitEvent event{active ? shown : parts, true,       parts.target.coords, parts.target.owner,
                   targetCoords,           targetName, currentFleetCoords,  currentFleetName};
    if (active) {
        event.rawTargetCoords = redactor_.Coords(targetCoords, parts.target.coords);
        event.rawTargetOwner = redactor_.Name(targetName, targetCoords, parts.target.owner);
        event.targetCoords = redactor_.Coords(targetCoords);
        event.targetName = redactor_.Name(targetName, targetCoords);
        event.shooterCoords = redactor_.Coords(currentFleetCoords);
        event.shooterName = redactor_.Name(currentFleetName, currentFleetCoords);
    }
    Emit(&IReportWriter::Hit, event);
}

void CReportConverter::ConvertRoidCaptureLine(std::string_view line) {
    const RoidCaptureParts parts = CutRoidCaptureLine(line);
    const std::string_view name = CapturerName(parts.shown);
    RoidCaptureEvent event{parts.shown, parts.coords, name, parts.roids};
    if (redactor_.Active()) {
        event.coords = redactor_.Coords(parts.coords);
        event.name = name.empty() ? name : redactor_.Name(name, parts.coords);
        shownCapture_ =
            RedactedCapture(parts.shown, redactor_.HidesCoords(parts.coords), event.coords, name, event.name);
        event.shown = shownCapture_;
    }
    Emit(&IReportWriter::RoidCapture, event);
}

void CReportConverter::ConvertSalvageLine(std::string_view line) {
    Emit(&IReportWriter::Salvage, SalvageEvent{CutSalvageText(line)});
}

// ---------------------------------------------------------------------------
// The walk

std::string_view CReportConverter::LineText(std::size_t index) const {
    return text_.substr(lines_[index].offset, lines_[index].length);
}

void CReportConverter::CutLines(std::string_view text) {
    // Each line ends before the first line feed found from its sixth byte, so a
    // physical line shorter than five bytes joins the next one. The length test
    // is made on the remainder before it is trimmed.
    lines_.clear();
    std::size_t at = 0;
    while (text.size() - at > 5) {
        const std::string_view rest = TrimLeft(text.substr(at));
        at = text.size() - rest.size();
        const Pos newline = Find(rest, "\n", 5);
        const std::string_view line =
            Trim(newline < 0 ? rest : rest.substr(0, static_cast<std::size_t>(newline)));
        LineKind kind = LineKind::Skipped;
        if (FoundAfterStart(line, "Battle at"))
            kind = LineKind::Header;
        else if (Contains(line, "Agility"))
            kind = LineKind::Fleet;
        else if (IsCombatLine(line))
            kind = LineKind::Combat;
        else if (Contains(line, "SALVAGE-END-REPORT"))
            kind = LineKind::Salvage;
        else if (Contains(line, kRoidCaptureMarker))
            kind = LineKind::RoidCapture;
        lines_.push_back({at, line.size(), kind});
        at += line.size();
    }
}

void CReportConverter::PlanPrescan(std::string_view text) {
    // Cut once what every pre-pass needs: the coordinates of headers, fleet
    // lines and the targets of "lamed"/"destroyed" lines. Lines with "attempt"
    // only, "causes" lines and hit lines that stop early change nothing there.
    prescanOps_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = LineText(i);
        switch (lines_[i].kind) {
        case LineKind::Header:
            prescanOps_.push_back({PrescanOp::Kind::Header, sideList.Intern(BracketCoords(line)), i});
            break;
        case LineKind::Fleet:
            prescanOps_.push_back(
                {PrescanOp::Kind::Fleet, sideList.Intern(RemoveBlanks(CutAfterFrom(line).coords)), i});
            break;
        case LineKind::Combat: {
            if (!FoundAfterStart(line, "lamed") && !FoundAfterStart(line, "destroyed"))
                break;
            if (!StopsAfterVerb(line))
                prescanOps_.push_back(
                    {PrescanOp::Kind::Hit, sideList.Intern(RemoveBlanks(CutAfterFrom(line).coords)), i});
            break;
        }
        default:
            break;
        }
    }

    lastFleetOpLine_ = lastHitOpLine_ = SIZE_MAX;
    for (const PrescanOp& op : prescanOps_) {
        if (op.kind == PrescanOp::Kind::Fleet)
            lastFleetOpLine_ = op.line;
        else if (op.kind == PrescanOp::Kind::Hit)
            lastHitOpLine_ = op.line;
    }
    prescanPasses_.Reset(&prescanOps_);

    roidCaptureOffsets_.clear();
    for (Pos at = Find(text, kRoidCaptureMarker); at >= 0; at = Find(text, kRoidCaptureMarker, at + 1))
        roidCaptureOffsets_.push_back(static_cast<std::size_t>(at));
    roidPieceVisited_.assign(roidCaptureOffsets_.empty() ? 0 : text.size() + 1, false);
}

void CReportConverter::SeedSidesFromRoidCaptures(std::size_t from) {
    // A fleet that captured asteroids is an attacker. The text from the first
    // capture on is walked in untrimmed pieces, each ending before the first
    // line feed found from its sixth byte. Once a piece start was walked by an
    // earlier pre-pass, everything after it was too: stop there.
    const auto first = std::lower_bound(roidCaptureOffsets_.begin(), roidCaptureOffsets_.end(), from);
    if (first == roidCaptureOffsets_.end())
        return;
    std::size_t at = *first;
    while (at < text_.size() && !roidPieceVisited_[at]) {
        roidPieceVisited_[at] = true;
        const Pos newline = Find(text_, "\n", static_cast<Pos>(at) + 5);
        const std::size_t end = newline < 0 ? text_.size() : static_cast<std::size_t>(newline);
        const std::string_view piece = text_.substr(at, end - at);
        if (Contains(piece, kRoidCaptureMarker)) {
            const std::string coords = BracketCoords(piece);
            if (!sideList.FindSide(coords))
                sideList.AddSide(coords, kAttackingSide);
        }
        at = end;
    }
}

void CReportConverter::PrescanBattle(std::size_t headerLine) {
    // Leaves the sides as a walk over everything from this header to the end
    // of the input, later battles included, would in pre-pass mode.
    const std::size_t entriesBefore = sideList.EntryCount();
    SeedSidesFromRoidCaptures(lines_[headerLine].offset);
    const SideList::CoordId shooter = sideList.Intern(currentFleetCoords);
    const std::vector<std::size_t>& headers = prescanPasses_.HeaderLines();
    const auto battle = static_cast<std::size_t>(
        std::lower_bound(headers.begin(), headers.end(), headerLine) - headers.begin());
    prescanPasses_.Run(battle, shooter, sideList.EntryCount() != entriesBefore, sideList);
    LeaveMembersAsThePrescanDoes(headerLine);
}

void CReportConverter::LeaveMembersAsThePrescanDoes(std::size_t headerLine) {
    // The pre-pass leaves the fleet and target members as its last lines set them.
    if (lastFleetOpLine_ != SIZE_MAX && lastFleetOpLine_ >= headerLine) {
        const FromParts from = CutAfterFrom(LineText(lastFleetOpLine_));
        currentFleetCoords = RemoveBlanks(from.coords);
        currentFleetName = std::string(Trim(from.owner));
    }
    if (lastHitOpLine_ != SIZE_MAX && lastHitOpLine_ >= headerLine) {
        const FromParts target = CutCombatLine(LineText(lastHitOpLine_)).target;
        targetCoords = RemoveBlanks(target.coords);
        targetName = std::string(Trim(target.owner));
    }
}

void CReportConverter::CloseBattle(bool reportEnds) {
    for (IReportWriter* writer : activeWriters_)
        writer->BattleClose({tallyTree, reportEnds});
}

void CReportConverter::ConvertHeader(std::size_t lineIndex) {
    const std::string_view line = LineText(lineIndex);
    CloseBattle(false);
    EndBattle();
    tallyTree.foldBattle();
    PrescanBattle(lineIndex);
    ConvertHeaderLine(line, false);
}

void CReportConverter::EndBattle() {
    if (!battleOpen_)
        return;
    battleOpen_ = false;
    const BattleSummary summary =
        wantBattleFigures_ ? battleFigures_.Close(tallyTree, sideList, redactor_) : BattleSummary{};
    for (IReportWriter* writer : activeWriters_)
        writer->BattleEnd({summary});
}

void CReportConverter::WriteEndOfReport() {
    tallyTree.foldBattle();
    const ReportSummary summary =
        SummarizeReport(tallyTree, sideList, redactor_.Active() ? &redactor_ : nullptr);
    for (IReportWriter* writer : activeWriters_)
        writer->ReportEnd({summary});
}

void CReportConverter::ConvertReport(std::string_view text, IReportWriter& first) {
    activeWriters_.assign(1, &first);
    activeWriters_.insert(activeWriters_.end(), writers_.begin(), writers_.end());
    Walk(text);
}

void CReportConverter::ConvertReport(std::string_view text) {
    activeWriters_ = writers_;
    Walk(text);
}

void CReportConverter::Walk(std::string_view text) {
    struct WalkScope {
        CReportConverter& converter;
        ~WalkScope() {
            converter.walking_ = false;
            converter.activeWriters_.clear();
        }
    } scope{*this};
    redactor_.Reset(redaction, ownCoords, standInCoords);
    wantBattleFigures_ =
        std::any_of(activeWriters_.begin(), activeWriters_.end(),
                    [](const IReportWriter* writer) { return writer->WantsBattleSummaries(); });
    battleFigures_.Clear();
    walking_ = true;
    battleOpen_ = false;

    for (IReportWriter* writer : activeWriters_)
        writer->BeginReport({redaction, text.size()});
    tallyTree.clear();

    text_ = Trim(text);
    if (progress_)
        progress_->SetRange(0, ProgressUnits(text_.size()));
    CutLines(text_);
    PlanPrescan(text_);

    std::size_t consumed = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = LineText(i);
        if (lines_[i].kind != LineKind::Skipped)
            for (IReportWriter* writer : activeWriters_)
                writer->Line(line);
        switch (lines_[i].kind) {
        case LineKind::Header:
            ConvertHeader(i);
            break;
        case LineKind::Fleet:
            ConvertFleetLine(line, false);
            break;
        case LineKind::Combat:
            ConvertCombatLine(line, false);
            break;
        case LineKind::Salvage:
            ConvertSalvageLine(line);
            break;
        case LineKind::RoidCapture:
            ConvertRoidCaptureLine(line);
            break;
        case LineKind::Skipped:
            break;
        }
        consumed += line.size();
        if (progress_)
            progress_->SetPos(ProgressUnits(consumed));
    }
    if (progress_)
        progress_->SetPos(ProgressUnits(text_.size()));
    EndBattle();
    for (IReportWriter* writer : activeWriters_)
        writer->LinesEnd();
    CloseBattle(true);
    WriteEndOfReport();

    sideList.clear();
    tallyTree.clear();
    battleFigures_.Clear();
    lines_.clear();
    prescanOps_.clear();
    battlesInLastReport_ = prescanPasses_.HeaderLines().size();
    prescanPasses_.Reset(&prescanOps_);
    roidCaptureOffsets_.clear();
    roidPieceVisited_.clear();
    text_ = {};
    if (notifier_)
        notifier_->ShowMessage(CoreTexts().Text("convert.done"));
}

} // namespace skarnwald
