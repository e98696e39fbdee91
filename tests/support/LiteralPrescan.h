#pragma once
// The side detection done the slow, literal way, as a reference for the
// converter's pre-pass: the walk copies the remaining text, every pre-pass
// re-cuts every line of the rest of the report and runs the line converters
// in pre-pass mode. Used by the side detection tests and the conversion
// fuzzer.

#include "ConverterInternals.h"
#include "reading/ReportConverter.h"
#include "reading/ReportWriter.h"
#include "text/TextRules.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald::test {

inline bool Has(std::string_view line, std::string_view word) {
    return Find(line, word) >= 0;
}
inline bool HasAfterStart(std::string_view line, std::string_view word) {
    return Find(line, word) > 0;
}

// Calls `visit` with every trimmed line and the remaining text that begins with it.
inline void WalkLines(std::string_view text,
                      const std::function<void(std::string_view, std::string_view)>& visit) {
    std::string_view rest = Trim(text);
    while (rest.size() > 5) {
        rest = TrimLeft(rest);
        const Pos newline = Find(rest, "\n", 5);
        const std::string_view line =
            Trim(newline < 0 ? rest : rest.substr(0, static_cast<std::size_t>(newline)));
        visit(line, rest);
        rest.remove_prefix(line.size());
    }
}

inline void ReferencePrescan(CReportConverter& ref, std::string rest) {
    const Pos firstCapture = Find(rest, "Roid-Capture :");
    if (firstCapture >= 0) {
        std::string pieces = rest.substr(static_cast<std::size_t>(firstCapture));
        while (!pieces.empty()) {
            const Pos newline = Find(pieces, "\n", 5);
            const std::string piece =
                newline < 0 ? pieces : pieces.substr(0, static_cast<std::size_t>(newline));
            if (Has(piece, "Roid-Capture :")) {
                const Pos open = Find(piece, "[");
                const std::string coords = RemoveBlanks(Take(piece, open + 1, Find(piece, "]") - open - 1));
                if (!ConverterInternals::sideList(ref).FindSide(coords))
                    ConverterInternals::sideList(ref).AddSide(coords, kAttackingSide);
            }
            pieces = pieces.substr(piece.size());
        }
    }
    WalkLines(rest, [&](std::string_view line, std::string_view) {
        if (HasAfterStart(line, "Battle at"))
            ConverterInternals::ConvertHeaderLine(ref, line, true);
        else if (Has(line, "Agility"))
            ConverterInternals::ConvertFleetLine(ref, line, true);
        else if (HasAfterStart(line, "destroyed") || HasAfterStart(line, "lamed") ||
                 HasAfterStart(line, "causes"))
            ConverterInternals::ConvertCombatLine(ref, line, true);
    });
}

// The side table as text: every entry in order, then the count with duplicates.
inline std::string SideTableText(const SideList& sides) {
    std::string text;
    for (const SideEntry& entry : sides.Entries())
        text += entry.coords + "=" + std::to_string(entry.side) + " ";
    return text + "#" + std::to_string(sides.size());
}

// The fleet row colours; `tables`, when given, gets the side table after every
// header line and at the end.
inline std::vector<std::string> ReferenceFleetColours(CReportConverter& ref, std::string_view report,
                                                      std::vector<std::string>* tables = nullptr) {
    std::vector<std::string> colours;
    WalkLines(report, [&](std::string_view line, std::string_view rest) {
        if (HasAfterStart(line, "Battle at")) {
            ReferencePrescan(ref, std::string(rest));
            ConverterInternals::ConvertHeaderLine(ref, line, true);
            if (tables)
                tables->push_back(SideTableText(ConverterInternals::sideList(ref)));
        } else if (Has(line, "Agility")) {
            ConverterInternals::ConvertFleetLine(ref, line, true);
            const auto side =
                ConverterInternals::sideList(ref).FindSide(ConverterInternals::currentFleetCoords(ref));
            colours.push_back(!side ? "#0000FF" : *side == kDefendingSide ? "#00ff00" : "#ff0000");
        }
    });
    if (tables)
        tables->push_back(SideTableText(ConverterInternals::sideList(ref)));
    return colours;
}

// The colour of every fleet row of a page, in page order.
inline std::vector<std::string> FleetRowColours(const std::string& page) {
    const std::string marker = "<tr style='COLOR: ";
    std::vector<std::string> colours;
    for (std::size_t at = page.find(marker); at != std::string::npos; at = page.find(marker, at + 1))
        colours.push_back(page.substr(at + marker.size(), 7));
    return colours;
}

// The converter's side table after every header line and at the end, to set
// against the `tables` of ReferenceFleetColours.
class SideTableRecorder : public IReportWriter {
public:
    explicit SideTableRecorder(const CReportConverter& converter) : converter_(converter) {}
    void Header(const HeaderEvent&) override {
        tables.push_back(SideTableText(ConverterInternals::sideList(converter_)));
    }
    void ReportEnd(const ReportEndEvent&) override {
        tables.push_back(SideTableText(ConverterInternals::sideList(converter_)));
    }
    std::vector<std::string> tables;

private:
    const CReportConverter& converter_;
};

} // namespace skarnwald::test
