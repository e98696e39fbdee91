#include "planning/AttackPlan.h"

#include "planning/FleetLines.h"
#include "planning/PastedLines.h"
#include "text/Catalog.h"
#include "text/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace skarnwald {

namespace {

constexpr std::string_view kAttackSide = "ATT";
constexpr std::string_view kDefenceSide = "DEFF";
constexpr std::string_view kSumMarker = "SUM";
constexpr std::string_view kSeparatorCell = "_____";
constexpr std::string_view kSeparatorTotal = "_______";
// A row whose Corvette cell holds the separator line is never counted.
constexpr std::size_t kSeparatorProbeColumn = 5;

using ClassSums = std::array<std::int64_t, kClassColumnCount>;

PlanRow NewTargetRow(const std::string& target) {
    PlanRow row;
    row.cells[kColName] = target;
    row.cells[kColSide] = kDefenceSide;
    return row;
}

PlanRow NewFleetRow(const OutgoingFleet& fleet) {
    PlanRow row;
    row.cells[kColName] = fleet.origin;
    row.cells[kColEta] = fleet.eta;
    row.cells[kColTotal] = fleet.ships;
    row.cells[kColSide] = kAttackSide;
    row.textSlot = kSlotRed;
    return row;
}

bool IsSumRow(const PlanRow& row) {
    return row.cells[kColIsSum] == kSumMarker;
}
bool IsSeparator(const PlanRow& row) {
    return row.cells[kSeparatorProbeColumn] == kSeparatorCell;
}

void AddClasses(ClassSums& sums, const PlanRow& row) {
    for (std::size_t k = 0; k < kClassColumnCount; ++k)
        sums[k] += Atoi(row.cells[kColFirstClass + k]);
}

PlanRow NewSumRow(std::string_view name, std::string_view classCell, std::string_view total) {
    PlanRow row;
    row.cells[kColName] = name;
    std::fill_n(row.cells.begin() + kColFirstClass, kClassColumnCount, std::string(classCell));
    row.cells[kColTotal] = total;
    row.cells[kColIsSum] = kSumMarker;
    return row;
}

PlanRow NewSumRow(std::string_view name, const ClassSums& sums) {
    PlanRow row = NewSumRow(name, "", "");
    for (std::size_t k = 0; k < kClassColumnCount; ++k)
        row.cells[kColFirstClass + k] = IntText(sums[k]);
    return row;
}

// Drops the target's old sum rows and appends fresh ones after its fleets.
void RefreshSumRows(PlanRow& target) {
    ClassSums attacking{};
    ClassSums defending{};
    AddClasses(defending, target);
    std::erase_if(target.children, IsSumRow);
    for (const PlanRow& child : target.children)
        if (!IsSeparator(child))
            AddClasses(child.cells[kColSide] == kAttackSide ? attacking : defending, child);
    target.children.push_back(NewSumRow("", kSeparatorCell, kSeparatorTotal));
    target.children.push_back(NewSumRow(kAttackSide, attacking));
    target.children.push_back(NewSumRow(kDefenceSide, defending));
}

// A row without any class cell keeps its imported ship count; the separator
// keeps its line.
void WriteRowTotals(PlanRow& row) {
    const auto first = row.cells.begin() + kColFirstClass;
    const bool hasClasses = std::any_of(first, first + kClassColumnCount, [](auto& c) { return !c.empty(); });
    if (hasClasses && !(IsSumRow(row) && IsSeparator(row))) {
        ClassSums sums{};
        AddClasses(sums, row);
        std::int64_t total = 0;
        for (std::int64_t s : sums)
            total += s;
        row.cells[kColTotal] = IntText(total);
    }
    for (PlanRow& child : row.children)
        WriteRowTotals(child);
}

auto FleetKey(const OutgoingFleet& fleet) {
    return std::tie(fleet.ships, fleet.target, fleet.eta, fleet.origin);
}

// The pasted fleets the plan does not hold yet; a fleet pasted again is left
// out as often as the plan already holds it.
std::vector<OutgoingFleet> NotYetPlanned(std::vector<OutgoingFleet> pasted,
                                         const std::vector<OutgoingFleet>& planned) {
    std::map<decltype(FleetKey(planned.front())), int> held;
    for (const OutgoingFleet& fleet : planned)
        ++held[FleetKey(fleet)];
    std::erase_if(pasted, [&](const OutgoingFleet& fleet) {
        const auto found = held.find(FleetKey(fleet));
        return found != held.end() && found->second-- > 0;
    });
    return pasted;
}

// The ships a fleet row was pasted with. Fleets alike in target, origin and
// ETA cannot be told apart, so the largest of them counts; none for a row
// whose fleet the plan no longer lists.
std::optional<std::int64_t> PastedShips(const std::vector<OutgoingFleet>& fleets, const std::string& target,
                                        const PlanRow& row) {
    std::optional<std::int64_t> most;
    for (const OutgoingFleet& fleet : fleets) {
        std::int64_t ships = 0;
        const char* end = fleet.ships.data() + fleet.ships.size();
        const auto read = std::from_chars(fleet.ships.data(), end, ships);
        if (read.ec == std::errc() && read.ptr == end && fleet.target == target &&
            fleet.origin == row.cells[kColName] && fleet.eta == row.cells[kColEta])
            most = std::max(most.value_or(0), ships);
    }
    return most;
}

} // namespace

PastedOutgoings ParseOutgoings(std::string_view text) {
    PastedOutgoings pasted;
    ForEachPastedLine(text, [&](std::string_view line) {
        std::optional<FleetLine> fleet = ReadOutgoingLine(line);
        // The plan is one of attacks: a defending fleet has no row in it.
        if (!fleet || fleet->defending)
            pasted.refused.emplace_back(Trim(line));
        else
            pasted.fleets.push_back({std::move(fleet->eta), std::move(fleet->origin),
                                     std::move(fleet->shipsText), std::move(fleet->target)});
    });
    return pasted;
}

std::string RefusedOutgoingsMessage(std::span<const std::string> refused) {
    const std::string_view forms[] = {kOutgoingExample};
    return RefusedLinesMessage(refused, forms);
}

std::vector<std::string> AttackPlan::importOutgoings(std::string_view text) {
    PastedOutgoings pasted = ParseOutgoings(text);
    std::vector<OutgoingFleet> fleets = NotYetPlanned(std::move(pasted.fleets), outgoingFleets);

    // Only top-level rows are targets: a fleet whose origin equals a target
    // is not one.
    std::unordered_map<std::string, std::size_t> rowOfTarget;
    for (std::size_t i = 0; i < planTable.size(); ++i)
        rowOfTarget.emplace(planTable[i].cells[kColName], i);
    for (const OutgoingFleet& fleet : fleets)
        if (rowOfTarget.emplace(fleet.target, planTable.size()).second)
            planTable.push_back(NewTargetRow(fleet.target));

    std::vector<const OutgoingFleet*> placed;
    for (const OutgoingFleet& fleet : fleets)
        if (const int eta = Atoi(fleet.eta); eta >= kFirstEta && eta <= kLastEta)
            placed.push_back(&fleet);
    std::stable_sort(placed.begin(), placed.end(),
                     [](auto* a, auto* b) { return Atoi(a->eta) < Atoi(b->eta); });
    for (const OutgoingFleet* fleet : placed) {
        PlanRow& target = planTable[rowOfTarget.at(fleet->target)];
        target.children.push_back(NewFleetRow(*fleet));
        target.expanded = true;
    }

    outgoingFleets.insert(outgoingFleets.end(), std::make_move_iterator(fleets.begin()),
                          std::make_move_iterator(fleets.end()));
    return std::move(pasted.refused);
}

bool AttackPlan::removeFleet(std::size_t target, std::size_t child) {
    if (target >= planTable.size() || child >= planTable[target].children.size())
        return false;
    std::vector<PlanRow>& fleets = planTable[target].children;
    const PlanRow& row = fleets[child];
    if (IsSumRow(row) || row.cells[kColSide] != kAttackSide)
        return false;
    const auto entry =
        std::find_if(outgoingFleets.begin(), outgoingFleets.end(), [&](const OutgoingFleet& fleet) {
            return fleet.target == planTable[target].cells[kColName] && fleet.origin == row.cells[kColName] &&
                   fleet.eta == row.cells[kColEta];
        });
    if (entry != outgoingFleets.end())
        outgoingFleets.erase(entry);
    fleets.erase(fleets.begin() + static_cast<std::ptrdiff_t>(child));
    return true;
}

bool AttackPlan::hasSums() const {
    return std::any_of(planTable.begin(), planTable.end(), [](const PlanRow& target) {
        return std::any_of(target.children.begin(), target.children.end(), IsSumRow);
    });
}

void AttackPlan::computeSums() {
    for (PlanRow& target : planTable)
        RefreshSumRows(target);
    for (PlanRow& row : planTable)
        WriteRowTotals(row);
}

const PlanRow* AttackPlan::rowAt(std::span<const std::size_t> path) const {
    const std::vector<PlanRow>* rows = &planTable;
    const PlanRow* row = nullptr;
    for (const std::size_t index : path) {
        if (index >= rows->size())
            return nullptr;
        row = &(*rows)[index];
        rows = &row->children;
    }
    return row;
}

PlanRow* AttackPlan::rowAt(std::span<const std::size_t> path) {
    return const_cast<PlanRow*>(std::as_const(*this).rowAt(path));
}

std::string AttackPlan::classesRefusal(std::span<const std::size_t> path,
                                       std::span<const std::string> classes) const {
    const PlanRow* row = rowAt(path);
    if (row == nullptr || path.size() != 2 || IsSumRow(*row) || row->cells[kColSide] != kAttackSide)
        return {};
    const std::optional<std::int64_t> ships =
        PastedShips(outgoingFleets, planTable[path[0]].cells[kColName], *row);
    std::int64_t typed = 0;
    for (const std::string& count : classes)
        typed += Atoi(count);
    if (!ships || typed <= *ships)
        return {};
    return CoreTexts().Plural("plan.tooManyShips", *ships,
                              {{"origin", row->cells[kColName]}, {"typed", IntText(typed)}});
}

std::string AttackPlan::setClasses(std::span<const std::size_t> path, std::span<const std::string> classes) {
    std::string refusal = classesRefusal(path, classes);
    PlanRow* row = rowAt(path);
    if (!refusal.empty() || row == nullptr)
        return refusal;
    for (std::size_t k = 0; k < kClassColumnCount; ++k)
        row->cells[kColFirstClass + k] = k < classes.size() ? classes[k] : std::string();
    return {};
}

} // namespace skarnwald
