#pragma once
// Mending database files whose text is not all UTF-8: files written before
// the program kept its text as UTF-8, or by other programs.

#include "archive/Connection.h"

#include <optional>

namespace skarnwald {

// Rewrites every TEXT value of the six tables that is not valid UTF-8 as
// UTF-8 (NormaliseText), all in one transaction. Returns how many values it
// changed; nothing when the database reported an error, and then nothing has
// changed.
std::optional<int> RepairStoredText(CConnection& connection);

} // namespace skarnwald
