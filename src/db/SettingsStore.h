#pragma once
// The settings rows of table Einstellungen as the settings dialog and the
// command line write them.

#include "db/Connection.h"
#include "db/Query.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace skarnwald {

inline constexpr std::string_view kStoreSetting = "DBSpeichern";
inline constexpr std::string_view kPersStatSetting = "PersStat";
inline constexpr std::string_view kOwnCoordsSetting = "Koords";

// The Wert of one setting; empty when its row is missing or the query failed
// (reported).
std::string ReadSetting(CConnection& connection, std::string_view name);
void WriteSetting(CConnection& connection, std::string_view name, SqlValue value);

// Creates the rows "DBSpeichern", "PersStat" and "Koords" (Wert 0) that are missing.
void EnsureSettingsRows(CConnection& connection);
void WriteStoreSetting(CConnection& connection, std::int32_t value);
void WritePersStatSetting(CConnection& connection, std::int32_t value);
void WriteOwnCoords(CConnection& connection, std::string_view coords); // stored as UTF-8

// The own coordinates as the three fields of the settings dialog show them.
struct CoordFields {
    std::string first, second, third;
};
CoordFields SplitOwnCoords(std::string_view coords);
std::string JoinOwnCoords(const CoordFields& fields); // "%s.%s.%s"

} // namespace skarnwald
