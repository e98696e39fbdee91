#pragma once
// The converter's single lines and walk state, for tests and fuzz targets
// that check one line's bookkeeping or compare the pre-pass with a literal
// reference.

#include "reading/ReportConverter.h"

#include <string>
#include <string_view>

namespace skarnwald {

struct ConverterInternals {
    static void ConvertHeaderLine(CReportConverter& c, std::string_view line, bool prescan) {
        c.ConvertHeaderLine(line, prescan);
    }
    static void ConvertFleetLine(CReportConverter& c, std::string_view line, bool prescan) {
        c.ConvertFleetLine(line, prescan);
    }
    static void ConvertCombatLine(CReportConverter& c, std::string_view line, bool prescan) {
        c.ConvertCombatLine(line, prescan);
    }
    static void ConvertRoidCaptureLine(CReportConverter& c, std::string_view line) {
        c.ConvertRoidCaptureLine(line);
    }
    static void ConvertSalvageLine(CReportConverter& c, std::string_view line) { c.ConvertSalvageLine(line); }

    template <typename Converter> static auto& currentFleetName(Converter& c) { return c.currentFleetName; }
    template <typename Converter> static auto& currentFleetCoords(Converter& c) {
        return c.currentFleetCoords;
    }
    template <typename Converter> static auto& targetName(Converter& c) { return c.targetName; }
    template <typename Converter> static auto& targetCoords(Converter& c) { return c.targetCoords; }
    template <typename Converter> static auto& tallyTree(Converter& c) { return c.tallyTree; }
    template <typename Converter> static auto& sideList(Converter& c) { return c.sideList; }
};

} // namespace skarnwald
