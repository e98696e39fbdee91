#include "reading/ReportSummary.h"

#include "reading/Redaction.h"
#include "text/TextRules.h"

#include <algorithm>

namespace skarnwald {

SummaryFigures FiguresOf(const FleetTally& tally) {
    SummaryFigures figures;
    for (int k = 0; k < kShipClassCount; ++k) {
        figures.ships[k] = tally.Ships(k);
        figures.losses[k] = tally.Losses(k);
    }
    figures.lamed = tally.lamedByFleet;
    figures.destroyed = tally.destroyedByFleet;
    return figures;
}

void AddFigures(SummaryFigures& sum, const SummaryFigures& figures) {
    AddInto(sum.ships, figures.ships);
    AddInto(sum.lamed, figures.lamed);
    AddInto(sum.destroyed, figures.destroyed);
    AddInto(sum.losses, figures.losses);
}

void AddFleetSummary(ReportSummary& summary, FleetSummary fleet) {
    const int side = SideIndex(fleet.side);
    AddFigures(summary.sides[side], fleet.figures);
    ++summary.fleetCounts[side];
    summary.fleets.push_back(std::move(fleet));
}

ReportSummary SummarizeReport(const FleetTallyTree& tree, const SideList& sides, const CRedactor* redactor) {
    ReportSummary summary;
    summary.fleets.reserve(tree.size());
    tree.visitInOrder([&](const FleetTally& tally) {
        FleetSummary fleet;
        fleet.name = redactor ? std::string(redactor->Name(tally.name, tally.coords)) : tally.name;
        fleet.coords = redactor ? std::string(redactor->Coords(tally.coords)) : tally.coords;
        fleet.side = sides.FindSide(tally.coords);
        fleet.figures = FiguresOf(tally);
        AddFleetSummary(summary, std::move(fleet));
    });
    // Listed by the names shown, so a report written back with its hidden
    // names replaced lists its fleets as the original did.
    if (redactor && redactor->Active())
        std::stable_sort(summary.fleets.begin(), summary.fleets.end(),
                         [redactor](const FleetSummary& left, const FleetSummary& right) {
                             return redactor->ShownNameBefore(left.name, right.name);
                         });
    return summary;
}

} // namespace skarnwald
