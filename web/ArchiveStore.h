#pragma once
// Conversions that also store into the open archive, with the settings the
// archive holds, exactly as the desktop program stores them.

#include "WebConversion.h"

namespace skarnwald::web {

struct StoredConversion {
    ConversionResult conversion;
    bool storedBattles = false; // the battles went into the archive
    bool keptRecord = false;    // the personal record's figures changed
    int skipped = 0;            // battles left out as stored before
};

// The conversion `options` ask for, in whose walk the archive's settings
// decide what is stored. Without an open archive nothing is stored.
// `storeBattles`: the battles are stored whatever "Kämpfe speichern" says,
// as the player asked for them; the record still follows its own switch.
StoredConversion ConvertIntoArchive(std::string bytes, ConversionOptions options, bool storeBattles = false);

} // namespace skarnwald::web
