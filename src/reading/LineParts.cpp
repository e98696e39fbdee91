#include "reading/LineParts.h"

namespace skarnwald {

FromParts CutAfterFrom(std::string_view line) {
    const Pos f = Find(line, "from");
    const Pos p1 = Find(line, ".", f + 1);
    const Pos p2 = Find(line, ".", p1 + 1);
    const Pos s = Find(line, " ", p2 + 2);
    return {Take(line, f + 5, s - f - 5), TakeFrom(line, s)};
}

std::string BracketCoords(std::string_view line) {
    const Pos open = Find(line, "[");
    const Pos close = Find(line, "]");
    return RemoveBlanks(Take(line, open + 1, close - open - 1));
}

HeaderParts CutHeaderLine(std::string_view line) {
    HeaderParts parts;
    parts.coords = BracketCoords(line);
    const Pos uhr = Find(line, "Uhr");
    parts.date = uhr > 0 ? Take(line, 0, uhr - 1) : std::string_view{};
    parts.place = Trim(TakeFrom(line, Find(line, "]") + 2));
    parts.title = TakeFrom(line, Find(line, "Battle at"));
    parts.hasStamp = line.size() > 4 && line[4] == '-';
    parts.stamp = parts.hasStamp ? Take(line, 0, 20) : std::string_view{};
    return parts;
}

FleetParts CutFleetLine(std::string_view line) {
    const Pos open = Find(line, "[");
    const Pos slash = Find(line, "/");
    const Pos close = Find(line, "]");
    const Pos paren = Find(line, "(");
    const Pos parenClose = Find(line, ")");
    FleetParts parts;
    parts.agility = Take(line, 0, open - 1);
    parts.count = Take(line, open, close - open + 1);
    // Both cuts reach past their number; atoi stops at the separator.
    parts.ships = Atoi(Take(line, open + 1, slash - open + 1));
    parts.stackSize = Atoi(Take(line, slash + 1, close - slash + 1));
    parts.shipType = Take(line, close + 1, paren - close - 1);
    parts.shipName = Take(line, paren, parenClose - paren + 1);
    parts.from = CutAfterFrom(line);
    return parts;
}

namespace {

// The number between two separators, read from right after the first.
std::int32_t NumberBetween(std::string_view line, Pos open, Pos close) {
    return Atoi(Take(line, open + 1, close - open - 1));
}

void CutHitLine(std::string_view line, Pos verb, CombatParts& parts) {
    parts.subject = Take(line, 0, verb - 1);
    parts.alsoCausesOrAttempt = StopsAfterVerb(line);

    // The first figure is searched from the verb, the others from the line's
    // start, so a "/" or "[" in the subject shifts only the later two.
    parts.n1 = NumberBetween(line, Find(line, "[", verb), Find(line, "/", verb));
    const Pos firstSlash = Find(line, "/", Find(line, "["));
    const Pos secondSlash = firstSlash < 0 ? -1 : Find(line, "/", firstSlash + 1);
    parts.n2 = secondSlash < 0 ? 0 : NumberBetween(line, firstSlash, secondSlash);
    if (parts.n2 != 0) {
        const Pos lineSecondSlash = Find(line, "/", Find(line, "/") + 1);
        parts.n3 = NumberBetween(line, lineSecondSlash, Find(line, "]", lineSecondSlash));
    } else {
        parts.n3 = Atoi(TakeFrom(line, Find(line, "/") + 1));
    }

    const Pos close = Find(line, "]", verb);
    const Pos paren = Find(line, "(", verb);
    parts.classText = Take(line, close + 1, paren - close - 1);
    parts.shipName = Take(line, paren, Find(line, "from") - 1 - paren);
    parts.target = CutAfterFrom(line);
}

} // namespace

bool StopsAfterVerb(std::string_view line) {
    return Find(line, "causes") > 0 || Find(line, "attempt") > 0;
}

CombatParts CutCombatLine(std::string_view line) {
    CombatParts parts{};
    const Pos lamed = Find(line, "lamed");
    const Pos destroyed = Find(line, "destroyed");
    if (lamed > 0 || destroyed > 0) {
        parts.kind = lamed > 0 ? CombatKind::Lamed : CombatKind::Destroyed;
        CutHitLine(line, lamed > 0 ? lamed : destroyed, parts);
        return parts;
    }
    const Pos causes = Find(line, "causes");
    if (causes > 0) {
        parts.kind = CombatKind::Causes;
        parts.subject = Take(line, 0, causes - 1);
        parts.detail = Take(line, causes + 7, Find(line, "Damage") - causes + 3);
        return parts;
    }
    const Pos attempt = Find(line, "attempt");
    parts.kind = CombatKind::Attempt;
    parts.subject = Take(line, 0, attempt - 1);
    parts.detail = Take(line, attempt + 7, Find(line, "ships") - attempt + 3);
    return parts;
}

RoidCaptureParts CutRoidCaptureLine(std::string_view line) {
    const Pos captured = Find(line, "captured");
    const Pos roids = Find(line, "Roids");
    return {BracketCoords(line), Atoi(Take(line, captured + 8, roids - captured - 8)), TakeFrom(line, 15)};
}

std::string_view CutSalvageText(std::string_view line) {
    const Pos your = Find(line, "Your");
    const Pos metal = Find(line, "Metal !");
    return Take(line, your, metal - your + 7);
}

} // namespace skarnwald
