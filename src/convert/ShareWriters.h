#pragma once
// The writers of the formats players share a battle in: forum markup
// (BBCode), chat messages (Discord's Markdown, split to its message limit), one
// title line per battle, and the conversion as JSON data.

#include "convert/Redaction.h"
#include "convert/ReportWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skarnwald {

// What a text format shows of one battle, gathered until the battle ends.
struct CollectedFleet {
    std::string name, coords;
    int sideIndex;
    std::vector<std::pair<std::string, std::int64_t>> ships; // ship type, ships of it brought
};
struct CollectedCapture {
    std::string coords, name;
    std::int32_t roids;
};
struct CollectedBattle {
    bool hasHeader = false;
    std::string coords, place, when;
    std::vector<CollectedFleet> fleets; // in the order of their first fleet line
    std::vector<CollectedCapture> captures;
    std::vector<std::string> salvages;
    std::int64_t roids = 0;
};

// Collects each battle's header, fleets, roid captures and salvage and hands
// them over with the battle's figures when it ends.
class CBattleCollector : public IReportWriter {
public:
    void BeginReport() override;
    void Header(const HeaderEvent& event) override;
    void FleetLine(const FleetLineEvent& event) override;
    void RoidCapture(const RoidCaptureEvent& event) override;
    void Salvage(const SalvageEvent& event) override;
    void BattleEnd(const BattleEndEvent& event) override;
    bool WantsBattleSummaries() const override { return true; }

protected:
    virtual void StartReport() {}
    virtual void WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) = 0;
    std::size_t BattlesWritten() const { return battlesWritten_; }

private:
    CollectedBattle battle_;
    std::size_t battlesWritten_ = 0;
};

class CBBCodeWriter : public CBattleCollector {
public:
    std::string& Text() { return text_; }
    void ReportEnd(const ReportEndEvent& event) override;

protected:
    void StartReport() override;
    void WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) override;

private:
    void WriteSideTables(const BattleSummary& summary);
    std::string text_;
};

class CDiscordWriter : public CBattleCollector {
public:
    std::vector<std::string>& Messages() { return messages_; }
    void ReportEnd(const ReportEndEvent& event) override;

protected:
    void StartReport() override;
    void WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) override;

private:
    // A line (or a block of lines) that must stay in one message.
    void Append(std::string_view block);
    // A line of items that may continue in the next message, after `resumed`.
    void AppendList(const std::string& start, const std::string& resumed,
                    const std::vector<std::string>& items);
    void EndMessage();

    std::vector<std::string> messages_;
    std::string message_;
    std::size_t messageLength_ = 0;
};

class CTitleWriter : public CBattleCollector {
public:
    std::string& Text() { return text_; }

protected:
    void StartReport() override { text_.clear(); }
    void WriteBattle(const CollectedBattle& battle, const BattleSummary& summary) override;

private:
    std::string text_;
};

inline constexpr std::string_view kJsonSchemaId = "skarnwald-battles/1";

// Streams the JSON document while the walk goes on: each battle is written
// when it ends, so memory stays bounded by one battle.
class CJsonWriter : public IReportWriter {
public:
    explicit CJsonWriter(const Redaction& redaction) : redaction_(redaction) {}
    std::string& Text() { return text_; }

    void BeginReport() override;
    void Header(const HeaderEvent& event) override;
    void FleetLine(const FleetLineEvent& event) override;
    void Hit(const HitEvent& event) override;
    void NoLoss(const NoLossEvent& event) override;
    void RoidCapture(const RoidCaptureEvent& event) override;
    void Salvage(const SalvageEvent& event) override;
    void BattleEnd(const BattleEndEvent& event) override;
    void ReportEnd(const ReportEndEvent& event) override;
    bool WantsBattleSummaries() const override { return true; }

private:
    template <typename Json> void AddEvent(const Json& event);

    Redaction redaction_;
    std::string text_;
    std::string battleHead_, fleets_, events_;
    std::int64_t fleetLines_ = 0;
    bool firstBattle_ = true;
};

} // namespace skarnwald
