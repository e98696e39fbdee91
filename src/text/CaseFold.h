#pragma once
// Case folding for searching names: every letter of the Basic Multilingual
// Plane folds to one letter (Ö to ö, Д to д, Σ and ς to σ), so a search
// matches whatever case a name was typed in. Nothing else is equated: ö stays
// apart from o, and ß from "ss".

#include <string>
#include <string_view>

namespace skarnwald {

// `text` with every letter folded. Bytes that are not UTF-8 stay as they are.
std::string FoldCase(std::string_view text);

// The same into `folded`, reusing its room; false when `text` held bytes
// that are not UTF-8.
bool FoldCaseInto(std::string_view text, std::string& folded);

} // namespace skarnwald
