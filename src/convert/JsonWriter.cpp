#include "convert/ShareText.h"
#include "convert/ShareWriters.h"
#include "convert/SideList.h"

#include <nlohmann/json.hpp>

namespace skarnwald {

namespace {

using Json = nlohmann::ordered_json;

// Report text may hold bytes that are no UTF-8; they become U+FFFD, so the
// document is always valid.
void AppendDumped(std::string& out, const Json& json) {
    out += json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void AppendElement(std::string& array, const Json& json) {
    if (!array.empty())
        array += ',';
    AppendDumped(array, json);
}

Json JsonText(std::string_view text) {
    return Json(std::string(text));
}

Json SideValue(int sideIndex) {
    return sideIndex == kAttackingSide   ? Json("attacking")
           : sideIndex == kDefendingSide ? Json("defending")
                                         : Json(nullptr);
}

Json ClassObject(const ClassCounts& counts) {
    Json object = Json::object();
    for (int k = 0; k < kShipClassCount; ++k)
        object[std::string(kTallyWords[k])] = counts[k];
    return object;
}

Json FiguresObject(const SummaryFigures& figures) {
    return Json{{"brought", ClassObject(figures.ships)},
                {"lamed", ClassObject(figures.lamed)},
                {"destroyed", ClassObject(figures.destroyed)},
                {"lost", ClassObject(figures.losses)}};
}

Json FleetsArray(const ReportSummary& summary) {
    Json fleets = Json::array();
    for (const FleetSummary& fleet : summary.fleets) {
        Json entry{{"name", JsonText(fleet.name)},
                   {"coords", JsonText(fleet.coords)},
                   {"side", SideValue(SideIndex(fleet.side))}};
        entry["counts"] = FiguresObject(fleet.figures);
        fleets.push_back(std::move(entry));
    }
    return fleets;
}

Json SidesObject(const ReportSummary& summary) {
    return Json{{"attacking", FiguresObject(summary.sides[kAttackingSide])},
                {"defending", FiguresObject(summary.sides[kDefendingSide])},
                {"none", FiguresObject(summary.sides[kNoSideIndex])}};
}

// The number after `word` in a fleet line's agility text, null without it.
Json NumberAfter(std::string_view text, std::string_view word) {
    const Pos at = Find(text, word);
    return at < 0 ? Json(nullptr) : Json(Atoi(TakeFrom(text, at + static_cast<Pos>(word.size()))));
}

std::string_view WithoutParentheses(std::string_view name) {
    name = Trim(name);
    if (name.size() >= 2 && name.front() == '(' && name.back() == ')')
        name = name.substr(1, name.size() - 2);
    return name;
}

Json FleetRef(std::string_view name, std::string_view coords) {
    return Json{{"name", JsonText(name)}, {"coords", JsonText(coords)}};
}

} // namespace

template <typename Event> void CJsonWriter::AddEvent(const Event& event) {
    AppendElement(events_, event);
}

void CJsonWriter::BeginReport() {
    text_.clear();
    text_ += "{\"schema\":\"";
    text_ += kJsonSchemaId;
    text_ += "\",\"generator\":\"Skarnwald " SKARNWALD_VERSION "\",\"redaction\":";
    AppendDumped(text_, Json{{"hideOwn", redaction_.hideOwn},
                             {"hideNames", redaction_.hideNames},
                             {"hideCoords", redaction_.hideCoords}});
    text_ += ",\"battles\":[";
    battleHead_.clear();
    fleets_.clear();
    events_.clear();
    fleetLines_ = 0;
    firstBattle_ = true;
}

void CJsonWriter::Header(const HeaderEvent& event) {
    const auto time = ReadBattleTime(event.when);
    battleHead_.clear();
    AppendDumped(battleHead_, Json{{"title", JsonText(event.title)},
                                   {"date", event.when.empty() ? Json(nullptr) : JsonText(event.when)},
                                   {"isoDate", time ? Json(IsoText(*time)) : Json(nullptr)},
                                   {"coords", JsonText(event.coords)},
                                   {"place", JsonText(event.parts.place)}});
}

void CJsonWriter::FleetLine(const FleetLineEvent& event) {
    const FleetParts& parts = event.parts;
    AppendElement(fleets_, Json{{"owner", JsonText(event.name)},
                                {"coords", JsonText(event.coords)},
                                {"shipClass", JsonText(Trim(parts.shipType))},
                                {"shipName", JsonText(WithoutParentheses(parts.shipName))},
                                {"count", parts.ships},
                                {"stackSize", parts.stackSize},
                                {"agility", NumberAfter(parts.agility, "Agility")},
                                {"speed", NumberAfter(parts.agility, "Speed")},
                                {"side", SideValue(SideIndexOfLine(event.side))}});
    AddEvent(Json{{"type", "fleet"}, {"fleet", fleetLines_++}});
}

void CJsonWriter::Hit(const HitEvent& event) {
    const CombatParts& parts = event.parts;
    Json hit{{"type", parts.kind == CombatKind::Lamed ? "lamed" : "destroyed"},
             {"weapon", JsonText(parts.subject)},
             {"counted", event.counted}};
    if (event.counted) {
        hit["ships"] = parts.n1;
        if (parts.kind == CombatKind::Lamed)
            hit["second"] = parts.n2;
        hit["stackSize"] = parts.n3;
        hit["shipClass"] = JsonText(Trim(parts.classText));
        hit["shipName"] = JsonText(WithoutParentheses(parts.shipName));
        hit["shooter"] = FleetRef(event.shooterName, event.shooterCoords);
        hit["target"] = FleetRef(event.targetName, event.targetCoords);
    }
    AddEvent(hit);
}

void CJsonWriter::NoLoss(const NoLossEvent& event) {
    AddEvent(Json{{"type", event.parts.kind == CombatKind::Causes ? "causes" : "attempt"},
                  {"weapon", JsonText(event.parts.subject)},
                  {"detail", JsonText(Trim(event.parts.detail))}});
}

void CJsonWriter::RoidCapture(const RoidCaptureEvent& event) {
    AddEvent(Json{{"type", "roidCapture"},
                  {"name", JsonText(event.name)},
                  {"coords", JsonText(event.coords)},
                  {"roids", event.roids}});
}

void CJsonWriter::Salvage(const SalvageEvent& event) {
    AddEvent(Json{{"type", "salvage"}, {"text", JsonText(event.text)}});
}

void CJsonWriter::BattleEnd(const BattleEndEvent& event) {
    if (!firstBattle_)
        text_ += ',';
    firstBattle_ = false;
    if (battleHead_.empty())
        AppendDumped(battleHead_, Json{{"title", nullptr},
                                       {"date", nullptr},
                                       {"isoDate", nullptr},
                                       {"coords", nullptr},
                                       {"place", nullptr}});
    battleHead_.pop_back(); // its closing brace; the battle goes on below
    text_ += battleHead_;
    text_ += ",\"fleetLines\":[";
    text_ += fleets_;
    text_ += "],\"events\":[";
    text_ += events_;
    text_ += "],\"fleets\":";
    AppendDumped(text_, FleetsArray(event.summary));
    text_ += ",\"sides\":";
    AppendDumped(text_, SidesObject(event.summary));
    text_ += '}';
    battleHead_.clear();
    fleets_.clear();
    events_.clear();
    fleetLines_ = 0;
}

void CJsonWriter::ReportEnd(const ReportEndEvent& event) {
    text_ += "],\"fleets\":";
    AppendDumped(text_, FleetsArray(event.summary));
    text_ += ",\"sides\":";
    AppendDumped(text_, SidesObject(event.summary));
    text_ += "}\n";
}

} // namespace skarnwald
