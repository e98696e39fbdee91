#pragma once
// Helpers shared by the conversion tests: reading fixture files, converting a
// text to its whole page, and a store that records every call it receives.

#include "LiteralPrescan.h"
#include "TestFiles.h"
#include "archive/ConversionStore.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald::test {

using testfiles::FileBytes;

inline std::string ConvertToPage(CReportConverter& converter, std::string_view text) {
    std::ostringstream page;
    ConvertToPage(converter, text, page);
    return page.str();
}

inline std::string ConvertToPage(std::string_view text) {
    CReportConverter converter;
    return ConvertToPage(converter, text);
}

inline std::string Join(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts)
        joined += part;
    return joined;
}

// Records each call as one line of text, so tests compare whole sequences.
class RecordingStore : public IConversionStore {
public:
    std::vector<std::string> calls;

    void BeginConversion() override { calls.push_back("Begin"); }
    void EndConversion() override { calls.push_back("End"); }
    void StoreBattle(std::string_view date, std::string_view coords, std::string_view name) override {
        ++battleId_;
        calls.push_back(
            Join({"Battle|", std::string(date), "|", std::string(coords), "|", std::string(name)}));
    }
    void StoreFleetLine(std::string_view agility, std::string_view count, std::string_view shipType,
                        std::string_view shipName, std::string_view spare, std::string_view coords,
                        std::string_view name, std::int32_t side) override {
        calls.push_back(Join({"Fleet|", std::string(agility), "|", std::string(count), "|",
                              std::string(shipType), "|", std::string(shipName), "|", std::string(spare), "|",
                              std::string(coords), "|", std::string(name), "|", std::to_string(side)}));
    }
    void StoreCombatLine(std::string_view weapon, std::string_view deed, std::string_view count,
                         std::string_view secondCount, std::string_view thirdCount, std::string_view shipType,
                         std::string_view shipName, std::string_view targetCoords,
                         std::string_view fleetCoords, std::string_view targetName) override {
        calls.push_back(Join({"Combat|", std::string(weapon),      "|", std::string(deed),
                              "|",       std::string(count),       "|", std::string(secondCount),
                              "|",       std::string(thirdCount),  "|", std::string(shipType),
                              "|",       std::string(shipName),    "|", std::string(targetCoords),
                              "|",       std::string(fleetCoords), "|", std::string(targetName)}));
    }
    std::int32_t GetCurrentBattleId() const override { return battleId_; }
    void StoreStatisticsRow(std::int32_t battleId, std::string_view coords, std::string_view typ,
                            std::int32_t sortId, const ClassCounts& values) override {
        calls.push_back(Join({"Stat|", std::to_string(battleId), "|", std::string(coords), "|",
                              std::string(typ), "|", std::to_string(sortId), "|", Counts(values)}));
    }
    void AddAsteroids(std::int32_t gain, std::int32_t loss) override {
        calls.push_back("Asteroids|" + std::to_string(gain) + "|" + std::to_string(loss));
    }
    void AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                          const ClassCounts& lamed) override {
        calls.push_back(Join({"Personal|", Counts(losses), "|", Counts(destroyed), "|", Counts(lamed)}));
    }

    // The recorded calls whose text starts with `prefix`.
    std::vector<std::string> CallsStartingWith(std::string_view prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : calls)
            if (call.starts_with(prefix))
                found.push_back(call);
        return found;
    }

    static std::string Counts(const ClassCounts& values) {
        std::string text;
        for (std::int32_t value : values) {
            if (!text.empty())
                text += ',';
            text += std::to_string(value);
        }
        return text;
    }

private:
    std::int32_t battleId_ = 0;
};

} // namespace skarnwald::test
