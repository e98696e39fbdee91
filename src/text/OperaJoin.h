#pragma once
// Reports copied out of the Opera browser arrive with every table cell on a
// line of its own; this rebuilds one line per report row.

#include <string>
#include <string_view>

namespace skarnwald {

// The first line holds "Uhr" after its first byte and the same number of
// bytes after it hold "Battle".
bool LooksLikeOperaCopy(std::string_view text);

std::string JoinOperaCells(std::string_view text);

// The Opera test made for file and clipboard input: joined when it matches,
// unchanged otherwise.
std::string PrepareCopiedReport(std::string text);

} // namespace skarnwald
