#include "reading/Redaction.h"

namespace skarnwald {

void CRedactor::Reset(const Redaction& redaction, std::string_view ownCoords) {
    redaction_ = redaction;
    ownCoords_ = std::string(ownCoords);
    numberedNames_.clear();
}

bool CRedactor::IsOwn(std::string_view coords) const {
    // Without own coordinates set there is nothing to recognise.
    return redaction_.hideOwn && !ownCoords_.empty() && coords == ownCoords_;
}

bool CRedactor::HidesCoords(std::string_view coords) const {
    return redaction_.hideCoords || IsOwn(coords);
}

std::string_view CRedactor::Coords(std::string_view coords, std::string_view shown) const {
    return HidesCoords(coords) ? kHiddenCoords : shown;
}

std::string_view CRedactor::Name(std::string_view name, std::string_view coords,
                                 std::string_view shown) const {
    if (redaction_.hideNames) {
        auto [it, added] = numberedNames_.try_emplace(std::string(name));
        if (added)
            it->second = "Flotte " + std::to_string(numberedNames_.size());
        return it->second;
    }
    return IsOwn(coords) ? kHiddenOwnName : shown;
}

} // namespace skarnwald
