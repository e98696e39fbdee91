#pragma once
// The settings rows of table Einstellungen: written by the settings dialog
// and the command line, read by every program before it converts.

#include "archive/Connection.h"
#include "archive/Query.h"
#include "reading/Redaction.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace skarnwald {

inline constexpr std::string_view kStoreSetting = "DBSpeichern";
inline constexpr std::string_view kPersStatSetting = "PersStat";
inline constexpr std::string_view kOwnCoordsSetting = "Koords";
// What shared conversions hide, 1 for on; rows that are missing count as off.
inline constexpr std::string_view kHideOwnSetting = "TeilenEigene";
inline constexpr std::string_view kHideNamesSetting = "TeilenNamen";
inline constexpr std::string_view kHideCoordsSetting = "TeilenKoords";

// The Wert of one setting; empty when its row is missing or the query failed
// (reported).
std::string ReadSetting(CConnection& connection, std::string_view name);
void WriteSetting(CConnection& connection, std::string_view name, SqlValue value);

// Creates the rows "DBSpeichern", "PersStat" and "Koords" (Wert 0) that are missing.
void EnsureSettingsRows(CConnection& connection);
void WriteStoreSetting(CConnection& connection, std::int32_t value);
void WritePersStatSetting(CConnection& connection, std::int32_t value);
void WriteOwnCoords(CConnection& connection, std::string_view coords); // stored as UTF-8

// The switches of storing a conversion and the own coordinates.
struct StoringSettings {
    // The switches as the settings table holds them; each counts as on only
    // when equal to 1.
    std::int32_t storeInDb = 0;     // DBSpeichern
    std::int32_t personalStats = 0; // PersStat
    std::string ownCoords;          // Koords: the own fleet of the personal record

    bool StoresBattles() const { return storeInDb == 1; }
    bool KeepsRecord() const { return personalStats == 1; }
    // Whether a conversion has anything to store at all.
    bool Any() const { return StoresBattles() || KeepsRecord(); }
};

// A missing row reads as 0 or "".
StoringSettings ReadStoringSettings(CConnection& connection);

Redaction ReadRedaction(CConnection& connection);
// Writes the three switches, adding their rows when they are missing.
void WriteRedaction(CConnection& connection, const Redaction& redaction);

// The own coordinates as the three fields of the settings dialog show them.
struct CoordFields {
    std::string first, second, third;
};
CoordFields SplitOwnCoords(std::string_view coords);
std::string JoinOwnCoords(const CoordFields& fields); // "%s.%s.%s"

} // namespace skarnwald
