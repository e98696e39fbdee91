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
    void StoreBattle(const BattleToStore& battle) override {
        ++battleId_;
        calls.push_back(Record("Battle", {battle.datum, battle.coords, battle.place}));
    }
    void StoreFleetLine(const FleetLineToStore& line) override {
        calls.push_back(Record("Fleet", {line.agility, line.count, line.shipType, line.shipName, line.coords,
                                         line.owner, std::to_string(line.side)}));
    }
    void StoreCombatLine(const CombatLineToStore& line) override {
        calls.push_back(Record("Combat", {line.weapon, line.deed, line.count, line.shipType, line.shipName,
                                          line.targetCoords, line.coords, line.targetOwner}));
    }
    std::int32_t GetCurrentBattleId() const override { return battleId_; }
    void StoreStatisticsRow(std::int32_t battleId, const StatisticsRowToStore& row) override {
        calls.push_back(
            Join({"Stat|", std::to_string(battleId), "|", std::string(row.coords), "|", std::string(row.typ),
                  "|", std::to_string(row.sortId), "|", Counts(row.values)}));
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
    // "kind|value|value...", a missing value (stored as NULL) as "NULL".
    static std::string Record(std::string_view kind, std::initializer_list<DigestValue> values) {
        std::string call(kind);
        for (DigestValue value : values)
            call += "|" + std::string(value.value_or("NULL"));
        return call;
    }

    std::int32_t battleId_ = 0;
};

} // namespace skarnwald::test
