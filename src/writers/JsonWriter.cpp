#include "reading/SideList.h"
#include "writers/ShareText.h"
#include "writers/ShareWriters.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace skarnwald {

namespace {

using Json = nlohmann::ordered_json;

// Room reserved for the document: see BeginReport.
constexpr std::size_t kJsonFixedRoom = 16 * 1024, kJsonBytesPerReportByte = 5;

// Report text may hold bytes that are no UTF-8; they become U+FFFD, so the
// document is always valid.
void AppendDumped(std::string& out, const Json& json) {
    out += json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A JSON string of report text. Text that needs no escaping is copied as it
// stands; everything else goes through the library.
void AppendString(std::string& out, std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
    });
    if (!plain) {
        AppendDumped(out, Json(std::string(text)));
        return;
    }
    out += '"';
    out += text;
    out += '"';
}

// The summaries follow every battle: written straight into the document
// like the events, not built as a tree first and then dumped.
void AppendClassCounts(std::string& out, const ClassCounts& counts) {
    ObjectText object(out);
    for (int k = 0; k < kShipClassCount; ++k)
        object.Int(kTallyWords[k], counts[k]);
}

void AppendFigures(std::string& out, const SummaryFigures& figures) {
    ObjectText object(out);
    const std::pair<std::string_view, const ClassCounts&> parts[] = {{"brought", figures.ships},
                                                                     {"lamed", figures.lamed},
                                                                     {"destroyed", figures.destroyed},
                                                                     {"lost", figures.losses}};
    for (const auto& [key, counts] : parts) {
        object.Key(key);
        AppendClassCounts(out, counts);
    }
}

void AppendFleets(std::string& out, const ReportSummary& summary) {
    out += '[';
    bool first = true;
    for (const FleetSummary& fleet : summary.fleets) {
        if (!first)
            out += ',';
        first = false;
        ObjectText entry(out);
        entry.String("name", fleet.name);
        entry.String("coords", fleet.coords);
        entry.Side("side", SideIndex(fleet.side));
        entry.Key("counts");
        AppendFigures(out, fleet.figures);
    }
    out += ']';
}

void AppendSides(std::string& out, const ReportSummary& summary) {
    ObjectText object(out);
    const std::pair<std::string_view, int> sides[] = {
        {"attacking", kAttackingSide}, {"defending", kDefendingSide}, {"none", kNoSideIndex}};
    for (const auto& [key, side] : sides) {
        object.Key(key);
        AppendFigures(out, summary.sides[side]);
    }
}

std::string_view WithoutParentheses(std::string_view name) {
    name = Trim(name);
    if (name.size() >= 2 && name.front() == '(' && name.back() == ')')
        name = name.substr(1, name.size() - 2);
    return name;
}

} // namespace

ObjectText::ObjectText(std::string& out) : out_(out) {
    out_ += '{';
}

ObjectText::~ObjectText() {
    if (!open_)
        out_ += '}';
}

void ObjectText::Key(std::string_view key) {
    if (!first_)
        out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += key; // keys are this writer's own words
    out_ += "\":";
}

void ObjectText::String(std::string_view key, std::string_view value) {
    Key(key);
    AppendString(out_, value);
}

void ObjectText::Int(std::string_view key, std::int64_t value) {
    Key(key);
    AppendInt(out_, value);
}

void ObjectText::Bool(std::string_view key, bool value) {
    Key(key);
    out_ += value ? "true" : "false";
}

void ObjectText::Null(std::string_view key) {
    Key(key);
    out_ += "null";
}

void ObjectText::Side(std::string_view key, int sideIndex) {
    if (sideIndex == kAttackingSide || sideIndex == kDefendingSide)
        String(key, sideIndex == kAttackingSide ? "attacking" : "defending");
    else
        Null(key);
}

void ObjectText::NumberAfter(std::string_view key, std::string_view text, std::string_view word) {
    const Pos at = Find(text, word);
    if (at < 0)
        Null(key);
    else
        Int(key, Atoi(TakeFrom(text, at + static_cast<Pos>(word.size()))));
}

void ObjectText::FleetRef(std::string_view key, std::string_view name, std::string_view coords) {
    Key(key);
    ObjectText fleet(out_);
    fleet.String("name", name);
    fleet.String("coords", coords);
}

void CJsonWriter::BeginReport(const ReportStartEvent& event) {
    text_.clear();
    // A large report's document runs to about four times the report (a
    // short one's to more, around its fixed fields). Growing it would copy
    // it whole and hold both copies at once.
    text_.reserve(kJsonFixedRoom + event.reportSize * kJsonBytesPerReportByte);
    text_ += "{\"schema\":\"";
    text_ += kJsonSchemaId;
    text_ += "\",\"generator\":\"Skarnwald " SKARNWALD_VERSION "\",\"redaction\":";
    AppendDumped(text_, Json{{"hideOwn", event.redaction.hideOwn},
                             {"hideNames", event.redaction.hideNames},
                             {"hideCoords", event.redaction.hideCoords}});
    text_ += ",\"battles\":[";
    fleets_.clear();
    fleetLines_ = 0;
    battles_ = 0;
    battleOpen_ = false;
}

void CJsonWriter::OpenBattle(const HeaderEvent* header) {
    if (battleOpen_)
        return;
    battleOpen_ = true;
    firstEvent_ = true;
    if (battles_++ > 0)
        text_ += ',';
    ObjectText battle(text_);
    const auto time = header ? ReadBattleTime(header->when) : std::nullopt;
    const auto textOrNull = [&](std::string_view key, std::string_view value) {
        if (header && !value.empty())
            battle.String(key, value);
        else
            battle.Null(key);
    };
    textOrNull("title", header ? header->title : "");
    textOrNull("date", header ? header->when : "");
    textOrNull("isoDate", time ? IsoText(*time) : "");
    if (header)
        battle.String("coords", header->coords);
    else
        battle.Null("coords");
    if (header)
        battle.String("place", header->parts.place);
    else
        battle.Null("place");
    // The events follow as they come; the battle's object stays open.
    battle.Key("events");
    text_ += '[';
    battle.LeaveOpen();
}

ObjectText CJsonWriter::StartEvent(std::string_view type) {
    OpenBattle(nullptr);
    if (!firstEvent_)
        text_ += ',';
    firstEvent_ = false;
    ObjectText event(text_);
    event.String("type", type);
    return event;
}

void CJsonWriter::Header(const HeaderEvent& event) {
    OpenBattle(&event);
}

void CJsonWriter::FleetLine(const FleetLineEvent& event) {
    const FleetParts& parts = event.parts;
    if (fleetLines_ > 0)
        fleets_ += ',';
    {
        ObjectText fleet(fleets_);
        fleet.String("owner", event.name);
        fleet.String("coords", event.coords);
        fleet.String("shipClass", Trim(parts.shipType));
        fleet.String("shipName", WithoutParentheses(parts.shipName));
        fleet.Int("count", parts.ships);
        fleet.Int("stackSize", parts.stackSize);
        fleet.NumberAfter("agility", parts.agility, "Agility");
        fleet.NumberAfter("speed", parts.agility, "Speed");
        fleet.Side("side", SideIndexOfLine(event.side));
    }
    StartEvent("fleet").Int("fleet", fleetLines_++);
}

void CJsonWriter::Hit(const HitEvent& event) {
    const CombatParts& parts = event.parts;
    ObjectText hit = StartEvent(parts.kind == CombatKind::Lamed ? "lamed" : "destroyed");
    hit.String("weapon", parts.subject);
    hit.Bool("counted", event.counted);
    if (!event.counted)
        return;
    hit.Int("ships", parts.n1);
    if (parts.kind == CombatKind::Lamed)
        hit.Int("second", parts.n2);
    hit.Int("stackSize", parts.n3);
    hit.String("shipClass", Trim(parts.classText));
    hit.String("shipName", WithoutParentheses(parts.shipName));
    hit.FleetRef("shooter", event.shooterName, event.shooterCoords);
    hit.FleetRef("target", event.targetName, event.targetCoords);
}

void CJsonWriter::NoLoss(const NoLossEvent& event) {
    ObjectText line = StartEvent(event.parts.kind == CombatKind::Causes ? "causes" : "attempt");
    line.String("weapon", event.parts.subject);
    line.String("detail", Trim(event.parts.detail));
}

void CJsonWriter::RoidCapture(const RoidCaptureEvent& event) {
    ObjectText capture = StartEvent("roidCapture");
    capture.String("name", event.name);
    capture.String("coords", event.coords);
    capture.Int("roids", event.roids);
}

void CJsonWriter::Salvage(const SalvageEvent& event) {
    StartEvent("salvage").String("text", event.text);
}

void CJsonWriter::BattleEnd(const BattleEndEvent& event) {
    OpenBattle(nullptr);
    text_ += "],\"fleetLines\":[";
    text_ += fleets_;
    text_ += "],\"fleets\":";
    AppendFleets(text_, event.summary);
    text_ += ",\"sides\":";
    AppendSides(text_, event.summary);
    text_ += '}';
    fleets_.clear();
    fleetLines_ = 0;
    battleOpen_ = false;
}

void CJsonWriter::ReportEnd(const ReportEndEvent& event) {
    text_ += "],\"fleets\":";
    AppendFleets(text_, event.summary);
    text_ += ",\"sides\":";
    AppendSides(text_, event.summary);
    text_ += "}\n";
}

} // namespace skarnwald
