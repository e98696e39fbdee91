// What the two planning tabs call. The page keeps the attack plan as the bytes
// of its file and hands them in with every change: each call reads the plan
// with the desktop's loader, changes it as the desktop's dialog does and gives
// back the plan file's bytes with the rows to show. So "Plan speichern" hands
// out exactly what the desktop writes, and the worker holds no plan between
// calls.

#include "JsValues.h"

#include "planning/FleetMoves.h"
#include "planning/PlanFile.h"
#include "text/ReportFiles.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using emscripten::val;
using namespace skarnwald;

// A chosen file is read as the desktop reads it: NUL padding cut, made UTF-8.
std::string FileText(const std::string& bytes) {
    std::istringstream in{bytes};
    return ReadReport(in).value_or(std::string());
}

// The page's plan bytes always come from SavePlanText; none yet is an empty plan.
AttackPlan PlanOf(const std::string& bytes) {
    if (bytes.empty())
        return {};
    PlanLoadResult loaded = LoadPlanText(bytes);
    return loaded.plan ? std::move(*loaded.plan) : AttackPlan();
}

template <class Texts> val TextArray(const Texts& texts) {
    val list = val::array();
    for (const std::string& text : texts)
        list.call<void>("push", text);
    return list;
}

val RowsOf(const std::vector<PlanRow>& rows) {
    val list = val::array();
    for (const PlanRow& row : rows) {
        val shown = val::object();
        shown.set("cells", TextArray(row.cells));
        shown.set("textSlot", row.textSlot);
        shown.set("backgroundSlot", row.backgroundSlot);
        shown.set("expanded", row.expanded);
        shown.set("children", RowsOf(row.children));
        list.call<void>("push", shown);
    }
    return list;
}

// {plan: the file's bytes, rows: the table as shown}
val Shown(const AttackPlan& plan) {
    val result = val::object();
    result.set("plan", web::Bytes(SavePlanText(plan)));
    result.set("rows", RowsOf(plan.planTable));
    return result;
}

// Once sums are shown they follow every change of the plan.
val Changed(AttackPlan& plan) {
    if (plan.hasSums())
        plan.computeSums();
    return Shown(plan);
}

// The row path the page sends: the target's index, then child indexes; none
// when an index is negative.
std::optional<std::vector<std::size_t>> PathOf(val path) {
    std::vector<std::size_t> indexes;
    for (const int index : emscripten::vecFromJSArray<int>(path)) {
        if (index < 0)
            return std::nullopt;
        indexes.push_back(static_cast<std::size_t>(index));
    }
    return indexes;
}

// `fromFile`: the outgoings are a chosen file's bytes rather than pasted text.
// The result also says which lines were refused ("refusal", empty for none).
val ImportOutgoings(const std::string& planBytes, const std::string& text, bool fromFile) {
    AttackPlan plan = PlanOf(planBytes);
    const std::vector<std::string> refused = plan.importOutgoings(fromFile ? FileText(text) : text);
    val result = Changed(plan);
    result.set("refusal", RefusedOutgoingsMessage(refused));
    return result;
}

val ComputeSums(const std::string& planBytes) {
    AttackPlan plan = PlanOf(planBytes);
    plan.computeSums();
    return Shown(plan);
}

// Writes the seven class cells of one row as typed, numbers or not; null when
// there is no such row, {refusal} in German when the fleet has fewer ships.
val EditClasses(const std::string& planBytes, val path, val classes) {
    AttackPlan plan = PlanOf(planBytes);
    const std::optional<std::vector<std::size_t>> rowPath = PathOf(path);
    if (!rowPath || plan.rowAt(*rowPath) == nullptr)
        return val::null();
    if (std::string refusal = plan.setClasses(*rowPath, emscripten::vecFromJSArray<std::string>(classes));
        !refusal.empty()) {
        val result = val::object();
        result.set("refusal", refusal);
        return result;
    }
    return Changed(plan);
}

// Null when that row is no fleet row.
val RemoveFleet(const std::string& planBytes, int target, int child) {
    AttackPlan plan = PlanOf(planBytes);
    if (target < 0 || child < 0 ||
        !plan.removeFleet(static_cast<std::size_t>(target), static_cast<std::size_t>(child)))
        return val::null();
    return Changed(plan);
}

// The plan file keeps which targets show their fleets.
val SetExpanded(const std::string& planBytes, val path, bool expanded) {
    AttackPlan plan = PlanOf(planBytes);
    if (const auto rowPath = PathOf(path))
        if (PlanRow* row = plan.rowAt(*rowPath))
            row->expanded = expanded;
    return Shown(plan);
}

// A plan file's bytes: the plan as shown, or {error} in German.
val LoadPlan(const std::string& fileBytes) {
    PlanLoadResult loaded = LoadPlanText(FileText(fileBytes));
    if (!loaded.plan) {
        val result = val::object();
        result.set("error", loaded.error);
        return result;
    }
    return Shown(*loaded.plan);
}

// What one press of "Eintragen" gives: {rows: [{cells, textSlot,
// backgroundSlot}], refusal: the message on refused lines, empty for none}.
val GroupMoves(const std::string& text) {
    const FleetMoves moves = GroupFleetMoves(text);
    val list = val::array();
    for (const MoveRow& row : moves.rows) {
        val shown = val::object();
        shown.set("cells", TextArray(row.cells));
        shown.set("textSlot", row.textSlot);
        shown.set("backgroundSlot", row.backgroundSlot);
        list.call<void>("push", shown);
    }
    val result = val::object();
    result.set("rows", list);
    result.set("refusal", RefusedMovesMessage(moves.refused));
    return result;
}

} // namespace

EMSCRIPTEN_BINDINGS(planning) {
    emscripten::function("planImportOutgoings", &ImportOutgoings);
    emscripten::function("planComputeSums", &ComputeSums);
    emscripten::function("planEditClasses", &EditClasses);
    emscripten::function("planRemoveFleet", &RemoveFleet);
    emscripten::function("planSetExpanded", &SetExpanded);
    emscripten::function("planLoad", &LoadPlan);
    emscripten::function("fleetMoves", &GroupMoves);
}
