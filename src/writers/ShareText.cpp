#include "writers/ShareText.h"

#include "reading/SideList.h"
#include "text/Catalog.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

namespace skarnwald {

namespace {

// Length of the well-formed UTF-8 sequence at `at`, 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// Byte length of the first `count` code points of `text`.
std::size_t BytesOfCodePoints(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (; at < text.size() && count > 0; --count)
        at += std::max<std::size_t>(1, SequenceLength(text, at));
    return at;
}

std::string TwoDigits(int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", value);
    return digits;
}

// Reads digits at `at`; false when there are none or more than `maxDigits`.
bool ReadNumber(std::string_view text, std::size_t& at, int maxDigits, int& value) {
    value = 0;
    int digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < maxDigits) {
        value = value * 10 + (text[at++] - '0');
        ++digits;
    }
    return digits > 0 && (at == text.size() || text[at] < '0' || text[at] > '9');
}

bool Expect(std::string_view text, std::size_t& at, char c) {
    if (at >= text.size() || text[at] != c)
        return false;
    ++at;
    return true;
}

bool ReadClock(std::string_view text, std::size_t& at, BattleTime& time) {
    time.second = 0;
    if (!ReadNumber(text, at, 2, time.hour) || !Expect(text, at, ':') ||
        !ReadNumber(text, at, 2, time.minute))
        return false;
    if (at < text.size() && text[at] == ':')
        return ReadNumber(text, ++at, 2, time.second);
    return true;
}

bool Plausible(const BattleTime& t) {
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour < 24 && t.minute < 60 &&
           t.second < 60;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    const std::size_t length = CodePoints(text);
    std::string padded(length < width ? width - length : 0, ' ');
    padded += text;
    return padded;
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    const std::size_t length = CodePoints(text);
    padded.append(length < width ? width - length : 0, ' ');
    return padded;
}

} // namespace

ShareWords CurrentShareWords() {
    const CCatalog& texts = CoreTexts();
    ShareWords words;
    words.battle = texts.Text("share.battle");
    words.battleAtPlace = texts.Text("share.battleAtPlace");
    words.battleWithoutHeader = texts.Text("share.battleWithoutHeader");
    words.allBattles = texts.Text("share.allBattles");
    words.noBattle = texts.Text("share.noBattle");
    words.date = texts.Text("share.date");
    words.sides[kAttackingSide] = texts.Text("share.side.attacking");
    words.sides[kDefendingSide] = texts.Text("share.side.defending");
    words.sides[kNoSideIndex] = texts.Text("share.side.none");
    words.sideContinued = texts.Text("share.sideContinued");
    words.sideFigures = texts.Text("share.sideFigures");
    words.lost = texts.Text("share.lost");
    words.salvage = texts.Text("share.salvage");
    words.classes = ClassHeadings();
    words.columns = {
        std::string(texts.Text("share.column.class")), std::string(texts.Text("share.column.brought")),
        std::string(texts.Text("share.column.lamed")), std::string(texts.Text("share.column.destroyed")),
        std::string(texts.Text("share.column.lost"))};
    return words;
}

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += std::max<std::size_t>(1, SequenceLength(text, at));
    return count;
}

std::string CutToCodePoints(std::string_view text, std::size_t limit) {
    if (CodePoints(text) <= limit)
        return std::string(text);
    std::string cut(text.substr(0, BytesOfCodePoints(text, limit > 0 ? limit - 1 : 0)));
    cut += "…";
    return cut;
}

std::optional<BattleTime> ReadBattleTime(std::string_view text) {
    BattleTime time{};
    std::size_t at = 0;
    bool read = false;
    if (text.size() > 4 && text[4] == '-') {
        read = ReadNumber(text, at, 4, time.year) && Expect(text, at, '-') &&
               ReadNumber(text, at, 2, time.month) && Expect(text, at, '-') &&
               ReadNumber(text, at, 2, time.day);
    } else {
        read = ReadNumber(text, at, 2, time.day) && Expect(text, at, '.') &&
               ReadNumber(text, at, 2, time.month) && Expect(text, at, '.') &&
               ReadNumber(text, at, 4, time.year);
    }
    if (!read || !Expect(text, at, ' '))
        return std::nullopt;
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (!ReadClock(text, at, time) || at != text.size() || !Plausible(time))
        return std::nullopt;
    return time;
}

std::string IsoText(const BattleTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

std::string TimeText(const BattleTime& t, std::string_view form) {
    const std::string day = TwoDigits(t.day), month = TwoDigits(t.month), year = std::to_string(t.year),
                      hour = TwoDigits(t.hour), minute = TwoDigits(t.minute);
    return FillIn(form, {{"day", day}, {"month", month}, {"year", year}, {"hour", hour}, {"minute", minute}});
}

std::string ShownTime(std::string_view when, std::string_view form) {
    const auto time = ReadBattleTime(when);
    return time ? TimeText(*time, form) : std::string(when);
}

int SideIndexOfLine(std::int32_t side) {
    return side == kAttackingSide || side == kDefendingSide ? side : kNoSideIndex;
}

std::int64_t Total(const ClassCounts& counts) {
    std::int64_t sum = 0;
    for (std::int32_t count : counts)
        sum += count;
    return sum;
}

std::string ClassTable(const SummaryFigures& figures, const ShareWords& words) {
    // The class column is at least this wide and one wider than every class
    // name, so all tables of a report line up whatever the language's names.
    constexpr std::size_t kClassWidth = 12;
    const std::string_view classHead = words.columns[0];
    std::size_t classWidth = std::max(kClassWidth, CodePoints(classHead) + 1);
    for (const std::string& name : words.classes)
        classWidth = std::max(classWidth, CodePoints(name) + 1);
    const std::span<const std::string> columns(words.columns.data() + 1, 4);
    struct Row {
        int shipClass;
        std::string values[4];
    };
    std::vector<Row> rows;
    std::size_t widths[4];
    for (int c = 0; c < 4; ++c)
        widths[c] = CodePoints(columns[c]);
    for (int k = 0; k < kShipClassCount; ++k) {
        const std::int32_t values[] = {figures.ships[k], figures.lamed[k], figures.destroyed[k],
                                       figures.losses[k]};
        if (values[0] == 0 && values[1] == 0 && values[2] == 0 && values[3] == 0)
            continue;
        Row& row = rows.emplace_back(Row{k, {}});
        for (int c = 0; c < 4; ++c) {
            row.values[c] = std::to_string(values[c]);
            widths[c] = std::max(widths[c], row.values[c].size());
        }
    }
    if (rows.empty())
        return {};
    std::string table = PadRight(classHead, classWidth);
    for (int c = 0; c < 4; ++c)
        table += PadLeft(columns[c], widths[c] + 1);
    table += '\n';
    for (const Row& row : rows) {
        table += PadRight(words.classes[row.shipClass], classWidth);
        for (int c = 0; c < 4; ++c)
            table += PadLeft(row.values[c], widths[c] + 1);
        table += '\n';
    }
    return table;
}

} // namespace skarnwald
