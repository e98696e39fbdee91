#include "planning/FleetLines.h"

#include "text/Catalog.h"
#include "text/TextRules.h"
#include "text/Utf8Text.h"

#include <charconv>

namespace skarnwald {

namespace {

// More ships than any fleet has; it also keeps every sum of a pasted list
// far from the limits of the counters.
constexpr std::int64_t kMostShips = 999'999'999'999;
constexpr std::size_t kLinesNamed = 10;
constexpr std::size_t kLineBytesNamed = 120;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a line from its start, piece by piece. A step that fails ends the
// reading: the line is refused whole, whatever the cursor took so far.
class LineCursor {
public:
    explicit LineCursor(std::string_view line) : rest_(line) {}

    std::string_view Rest() const { return rest_; }
    bool AtEnd() const { return rest_.empty(); }

    void SkipBlanks() {
        while (!rest_.empty() && IsBlank(rest_.front()))
            rest_.remove_prefix(1);
    }
    // At least one blank: words are never glued together.
    bool Blanks() {
        const std::size_t before = rest_.size();
        SkipBlanks();
        return rest_.size() < before;
    }
    bool Word(std::string_view word) {
        if (!rest_.starts_with(word))
            return false;
        rest_.remove_prefix(word.size());
        return true;
    }
    // The word, then blanks before whatever follows.
    bool WordThenBlanks(std::string_view word) {
        const std::string_view before = rest_;
        if (Word(word) && Blanks())
            return true;
        rest_ = before;
        return false;
    }
    std::string_view Digits() {
        std::size_t n = 0;
        while (n < rest_.size() && IsDigit(rest_[n]))
            ++n;
        const std::string_view digits = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return digits;
    }

    // "1000" or a sum "1000+200" (blanks around "+" allowed); nothing when a
    // part is missing or the count is past any fleet.
    std::optional<std::int64_t> Ships() {
        std::int64_t total = 0;
        do {
            SkipBlanks();
            const std::string_view part = Digits();
            std::int64_t value = 0;
            if (part.empty() || part.size() > 12 ||
                std::from_chars(part.data(), part.data() + part.size(), value).ec != std::errc())
                return std::nullopt;
            total += value;
            if (total > kMostShips)
                return std::nullopt;
        } while (PlusFollows());
        return total;
    }

    // "x.y.z" with blanks allowed around the dots, as the game pads them;
    // given back with the blanks removed, as coordinates are kept everywhere.
    std::optional<std::string> Coords() {
        std::string coords;
        for (int part = 0; part < 3; ++part) {
            if (part > 0) {
                SkipBlanks();
                if (!Word("."))
                    return std::nullopt;
                SkipBlanks();
                coords += '.';
            }
            const std::string_view digits = Digits();
            if (digits.empty())
                return std::nullopt;
            coords += digits;
        }
        return coords;
    }

    // "attacking" or "defending"; true for defending.
    std::optional<bool> Side() {
        if (WordThenBlanks("attacking"))
            return false;
        if (WordThenBlanks("defending"))
            return true;
        return std::nullopt;
    }

private:
    // A "+" after optional blanks is taken with them; otherwise the blanks stay.
    bool PlusFollows() {
        const std::string_view before = rest_;
        SkipBlanks();
        if (Word("+"))
            return true;
        rest_ = before;
        return false;
    }

    std::string_view rest_;
};

// "<ships> Ships " at the start of every fleet line.
bool ReadShips(LineCursor& cursor, FleetLine& fleet, std::string_view line) {
    const std::optional<std::int64_t> ships = cursor.Ships();
    if (!ships)
        return false;
    const std::string_view written = Trim(line.substr(0, line.size() - cursor.Rest().size()));
    fleet.ships = *ships;
    fleet.shipsText = Find(written, "+") >= 0 ? IntText(*ships) : std::string(written);
    return cursor.Blanks() && cursor.WordThenBlanks("Ships");
}

std::string Shortened(std::string_view line) {
    if (line.size() <= kLineBytesNamed)
        return std::string(line);
    return std::string(TrimPartialCharacters(line.substr(0, kLineBytesNamed))) + " …";
}

} // namespace

std::optional<FleetLine> ReadOutgoingLine(std::string_view line) {
    line = Trim(line);
    LineCursor cursor(line);
    FleetLine fleet;
    if (!ReadShips(cursor, fleet, line))
        return std::nullopt;
    const std::optional<bool> defending = cursor.Side();
    std::optional<std::string> target = defending ? cursor.Coords() : std::nullopt;
    if (!target || !cursor.Blanks())
        return std::nullopt;
    const std::string_view arrivalStart = cursor.Rest();
    if (!cursor.Word("ETA"))
        return std::nullopt;
    cursor.SkipBlanks();
    const std::string_view hours = cursor.Digits();
    cursor.SkipBlanks();
    if (hours.empty() || !cursor.Word("h"))
        return std::nullopt;
    fleet.arrival = arrivalStart.substr(0, arrivalStart.size() - cursor.Rest().size());
    std::optional<std::string> origin;
    if (cursor.Blanks() && cursor.WordThenBlanks("from"))
        origin = cursor.Coords();
    // Whatever stands after the origin, beyond a blank, is no part of the fleet.
    if (!origin || !(cursor.AtEnd() || cursor.Blanks()))
        return std::nullopt;
    fleet.defending = *defending;
    fleet.target = std::move(*target);
    fleet.origin = std::move(*origin);
    fleet.eta = hours;
    return fleet;
}

std::optional<FleetLine> ReadMovementLine(std::string_view line) {
    line = Trim(line);
    LineCursor cursor(line);
    FleetLine fleet;
    if (!ReadShips(cursor, fleet, line) || !cursor.WordThenBlanks("from"))
        return std::nullopt;
    std::optional<std::string> origin = cursor.Coords();
    if (!origin || !cursor.Blanks())
        return std::nullopt;
    const std::optional<bool> defending = cursor.Side();
    std::optional<std::string> target = defending ? cursor.Coords() : std::nullopt;
    if (!target || !(cursor.AtEnd() || cursor.Blanks()))
        return std::nullopt;
    // The arrival is written "ETA …" or "[…]", after whatever the list puts
    // before it; without either, the rest of the line says it.
    const std::string_view rest = cursor.Rest();
    Pos arrival = Find(rest, "ETA");
    if (arrival < 0)
        arrival = Find(rest, "[");
    fleet.arrival = TakeFrom(rest, arrival);
    fleet.defending = *defending;
    fleet.origin = std::move(*origin);
    fleet.target = std::move(*target);
    return fleet;
}

std::string RefusedLinesMessage(std::span<const std::string> refused,
                                std::span<const std::string_view> forms) {
    if (refused.empty())
        return {};
    const CCatalog& texts = CoreTexts();
    std::string message = texts.Plural("lines.refused", static_cast<std::int64_t>(refused.size()));
    for (std::size_t i = 0; i < refused.size() && i < kLinesNamed; ++i)
        message += "\n" + Shortened(refused[i]);
    if (refused.size() > kLinesNamed)
        message += "\n" + texts.Plural("lines.more", static_cast<std::int64_t>(refused.size() - kLinesNamed));
    message += "\n\n";
    message += texts.Text("lines.forms");
    for (const std::string_view form : forms)
        message += "\n" + std::string(form);
    return message;
}

} // namespace skarnwald
