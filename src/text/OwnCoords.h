#pragma once
// Reading coordinates a player types or pastes as the own Koords. The game
// writes them "7.2.5", with blanks after the points ("7. 2. 5") or in
// brackets ("[7.2.5]"); anything else is refused rather than guessed at, so
// a half-typed or mistyped value never becomes the own fleet.

#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

// "7.2.5" for every form the game writes, without leading zeros; nothing for
// any other text. Each number has one to four digits.
std::optional<std::string> ReadOwnCoordsText(std::string_view typed);

} // namespace skarnwald
