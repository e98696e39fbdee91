#pragma once
// Picture cards as PNG for the command line: the core writes a card as SVG,
// librsvg draws it here in the card's own font.

#include <optional>
#include <string>
#include <string_view>

namespace skarnwald::cli {

// How many pixels a PNG card has per pixel of the SVG: chats show the card at
// its SVG width, and the denser picture stays sharp on high-resolution screens.
inline constexpr int kCardPngScale = 2;

// The card drawn as PNG bytes at `scale` times its size; nothing, with
// `error` saying why, when the SVG cannot be drawn.
std::optional<std::string> CardPng(std::string_view svg, int scale, std::string& error);

} // namespace skarnwald::cli
