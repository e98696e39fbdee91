#pragma once
// Pasted lists are read line by line from a working copy that is trimmed
// before each line, so blank lines and the ends of CR LF pairs vanish between
// lines while a line's own trailing CR stays with it.

#include "text/TextRules.h"

#include <string_view>

namespace skarnwald {

template <class UseLine> void ForEachPastedLine(std::string_view text, UseLine&& use) {
    for (std::string_view rest = Trim(text); !rest.empty(); rest = Trim(rest)) {
        const Pos lineEnd = Find(rest, "\n");
        const std::string_view line = lineEnd >= 0 ? Take(rest, 0, lineEnd) : rest;
        use(line);
        rest.remove_prefix(line.size());
    }
}

} // namespace skarnwald
