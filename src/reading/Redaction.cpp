#include "reading/Redaction.h"

#include "text/Catalog.h"

namespace skarnwald {

namespace {

// The numbered stand-in of `key` in `numbered`, made on its first ask: `form`
// with its "{number}" filled in.
std::string_view Numbered(std::unordered_map<std::string, std::string>& numbered, std::string_view key,
                          std::string_view form) {
    auto [it, added] = numbered.try_emplace(std::string(key));
    if (added)
        it->second = FillIn(form, {{"number", std::to_string(numbered.size())}});
    return it->second;
}

} // namespace

std::string NormalizedCoords(std::string_view typed) {
    std::string coords;
    for (char c : typed)
        if (c != ' ' && c != '\t')
            coords.push_back(c);
    if (coords.size() >= 2 && coords.front() == '[' && coords.back() == ']')
        coords = coords.substr(1, coords.size() - 2);
    return coords;
}

void CRedactor::Reset(const Redaction& redaction, std::string_view ownCoords, bool standIns) {
    redaction_ = redaction;
    ownCoords_ = NormalizedCoords(ownCoords);
    standIns_ = standIns;
    const CCatalog& texts = CoreTexts();
    ownerForm_ = texts.Text("redaction.owner");
    fleetForm_ = texts.Text("redaction.fleetName");
    hiddenOwnName_ = texts.Text("redaction.hidden");
    numberedNames_.clear();
    numberedFleets_.clear();
    numberedCoords_.clear();
}

bool CRedactor::IsOwn(std::string_view coords) const {
    // Without own coordinates set there is nothing to recognise.
    return redaction_.hideOwn && !ownCoords_.empty() && coords == ownCoords_;
}

bool CRedactor::HidesCoords(std::string_view coords) const {
    return redaction_.hideCoords || IsOwn(coords);
}

std::string_view CRedactor::StandIn(std::string_view coords) const {
    if (!standIns_ || IsOwn(coords))
        return kHiddenCoords;
    return Numbered(numberedCoords_, coords, "?.?.{number}");
}

std::string_view CRedactor::Coords(std::string_view coords, std::string_view shown) const {
    return HidesCoords(coords) ? StandIn(coords) : shown;
}

std::string_view CRedactor::Name(std::string_view name, std::string_view coords,
                                 std::string_view shown) const {
    if (redaction_.hideNames)
        return Numbered(numberedNames_, name, ownerForm_);
    return IsOwn(coords) ? hiddenOwnName_ : shown;
}

std::string_view CRedactor::FleetName(std::string_view fleet, std::string_view coords) const {
    if (fleet.empty())
        return fleet;
    if (redaction_.hideNames)
        return Numbered(numberedFleets_, fleet, fleetForm_);
    return IsOwn(coords) ? hiddenOwnName_ : fleet;
}

bool CRedactor::ShownNameBefore(std::string_view left, std::string_view right) const {
    // "Flotte 2" before "Flotte 10": one form for all, so the shorter number is the smaller.
    if (redaction_.hideNames && left.size() != right.size())
        return left.size() < right.size();
    return left < right;
}

} // namespace skarnwald
