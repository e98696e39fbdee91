#include "planning/PlanFile.h"

#include "text/Catalog.h"
#include "text/TextRules.h"

#include <nlohmann/json.hpp>

namespace skarnwald {
namespace {

using nlohmann::json;

constexpr std::string_view kFormatName = "skarnwald-angriffsplan";
// Targets with fleets under them, and the sum rows below those: deeper rows
// are no plan this program wrote.
constexpr int kMaxRowDepth = 4;

json RowToJson(const PlanRow& row) {
    json children = json::array();
    for (const PlanRow& child : row.children)
        children.push_back(RowToJson(child));
    return {{"cells", row.cells},
            {"textSlot", row.textSlot},
            {"backgroundSlot", row.backgroundSlot},
            {"expanded", row.expanded},
            {"children", std::move(children)}};
}

// A colour slot of the lists' palette (0 for none, 1 to 7); anything else,
// a huge or fractional number among them, is no plan this program wrote.
int SlotFromJson(const json& row, const char* key) {
    const auto slot = row.find(key);
    if (slot == row.end())
        return kNoSlot;
    if (!slot->is_number_integer() || *slot < 0 || *slot > 7)
        throw std::runtime_error(CoreTexts().Format("plan.colourOutsidePalette", {{"key", key}}));
    return slot->get<int>();
}

PlanRow RowFromJson(const json& value, int depth) {
    if (depth > kMaxRowDepth)
        throw std::runtime_error(std::string(CoreTexts().Text("plan.rowsTooDeep")));
    PlanRow row;
    const json& cells = value.at("cells");
    for (std::size_t c = 0; c < kPlanColumnCount && c < cells.size(); ++c)
        row.cells[c] = cells.at(c).get<std::string>();
    row.textSlot = SlotFromJson(value, "textSlot");
    row.backgroundSlot = SlotFromJson(value, "backgroundSlot");
    row.expanded = value.value("expanded", false);
    // By reference: a copy of a deeply nested value recurses as deep as it goes.
    if (const auto children = value.find("children"); children != value.end())
        for (const json& child : children->get_ref<const json::array_t&>())
            row.children.push_back(RowFromJson(child, depth + 1));
    return row;
}

json FleetToJson(const OutgoingFleet& fleet) {
    return {{"eta", fleet.eta}, {"origin", fleet.origin}, {"ships", fleet.ships}, {"target", fleet.target}};
}

OutgoingFleet FleetFromJson(const json& value) {
    return {value.at("eta").get<std::string>(), value.at("origin").get<std::string>(),
            value.at("ships").get<std::string>(), value.at("target").get<std::string>()};
}

} // namespace

std::string SavePlanText(const AttackPlan& plan) {
    json rows = json::array();
    for (const PlanRow& row : plan.planTable)
        rows.push_back(RowToJson(row));
    json fleets = json::array();
    for (const OutgoingFleet& fleet : plan.outgoingFleets)
        fleets.push_back(FleetToJson(fleet));
    const json file = {{"format", kFormatName},
                       {"version", kPlanFileVersion},
                       {"rows", std::move(rows)},
                       {"outgoings", std::move(fleets)}};
    // Cells hold what the user typed; a byte that is no UTF-8 must not make
    // the whole plan unsavable.
    return file.dump(1, '\t', false, json::error_handler_t::replace) + "\n";
}

PlanLoadResult LoadPlanText(std::string_view text) {
    const json file = json::parse(text, nullptr, false);
    // Compared as JSON values: a "format" of another type is simply no plan
    // (value() with a string default would throw on it).
    if (file.is_discarded() || !file.is_object() || !file.contains("format") || file["format"] != kFormatName)
        return {std::nullopt, std::string(CoreTexts().Text("plan.notAPlan"))};
    if (const json version = file.value("version", json()); version != kPlanFileVersion)
        return {std::nullopt,
                CoreTexts().Format("plan.otherVersion",
                                   {{"version", version.dump()}, {"supported", IntText(kPlanFileVersion)}})};
    try {
        AttackPlan plan;
        for (const json& row : file.at("rows"))
            plan.planTable.push_back(RowFromJson(row, 1));
        for (const json& fleet : file.at("outgoings"))
            plan.outgoingFleets.push_back(FleetFromJson(fleet));
        return {std::move(plan), {}};
    } catch (const std::exception& broken) {
        return {std::nullopt, CoreTexts().Format("plan.damaged", {{"reason", broken.what()}})};
    }
}

} // namespace skarnwald
