#pragma once
// The writers of the formats players share a battle in: forum markup
// (BBCode), chat messages (Discord's Markdown, split to its message limit), one
// title line per battle, and the conversion as JSON data.

#include "reading/Redaction.h"
#include "reading/ReportWriter.h"
#include "writers/ShareText.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
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
    void BeginReport(const ReportStartEvent& event) override;
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
    const ShareWords& Words() const { return words_; }

private:
    ShareWords words_; // looked up when the report begins
    CollectedBattle battle_;
    std::unordered_map<std::string, std::size_t> fleetIndex_; // name, NUL, coords -> battle_.fleets
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

// Lines of a Discord message that are never cut apart; a block that keeps
// with the next ends no message.
struct DiscordBlock {
    std::string text;
    bool keepWithNext = false;
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
    // Blocks in one message when they fit in one.
    void AppendTogether(std::span<const DiscordBlock> blocks);
    // A battle's blocks: in one message when they fit, else cut only after a
    // block that need not keep with the next.
    void Place(std::span<const DiscordBlock> blocks);
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

// One JSON object written straight into a text, member by member; closed when
// it goes out of scope. Strings are escaped by the JSON library.
class ObjectText {
public:
    explicit ObjectText(std::string& out);
    ~ObjectText();
    ObjectText(ObjectText&& other) noexcept : out_(other.out_), first_(other.first_), open_(other.open_) {
        other.open_ = true; // only one of the two closes the object
    }
    ObjectText(const ObjectText&) = delete;
    ObjectText& operator=(const ObjectText&) = delete;

    void Key(std::string_view key);
    void String(std::string_view key, std::string_view value);
    void Int(std::string_view key, std::int64_t value);
    void Bool(std::string_view key, bool value);
    void Null(std::string_view key);
    void Side(std::string_view key, int sideIndex); // "attacking", "defending" or null
    // The number after `word` in `text`, null when `word` is missing.
    void NumberAfter(std::string_view key, std::string_view text, std::string_view word);
    void FleetRef(std::string_view key, std::string_view name, std::string_view coords);
    // The object goes on after this one's members; someone else closes it.
    void LeaveOpen() { open_ = true; }

private:
    std::string& out_;
    bool first_ = true;
    bool open_ = false;
};

// Streams the JSON document while the walk goes on: events go into it as
// they come; a battle's fleet lines and figures follow when it ends.
class CJsonWriter : public IReportWriter {
public:
    std::string& Text() { return text_; }

    void BeginReport(const ReportStartEvent& event) override;
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
    // Starts the battle's object (with its header, if it has one) and its
    // event list, which the events then go straight into.
    void OpenBattle(const HeaderEvent* header);
    ObjectText StartEvent(std::string_view type);

    std::string text_;
    std::string fleets_; // the battle's fleet lines, written when it ends
    std::int64_t fleetLines_ = 0;
    std::size_t battles_ = 0;
    bool battleOpen_ = false;
    bool firstEvent_ = true;
};

} // namespace skarnwald
