#include "db/SettingsStore.h"

#include "convert/TextRules.h"
#include "db/Query.h"

namespace skarnwald {

namespace {

struct SettingRow {
    std::string_view select;
    std::string_view create;
};
constexpr SettingRow kSettingRows[] = {
    {"SELECT * FROM Einstellungen WHERE Einstellung = 'DBSpeichern'",
     "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('DBSpeichern',0)"},
    {"SELECT * FROM Einstellungen WHERE Einstellung = 'PersStat'",
     "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('PersStat',0)"},
    {"SELECT * FROM Einstellungen WHERE Einstellung = 'Koords'",
     "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('Koords',0)"},
};

} // namespace

void EnsureSettingsRows(CConnection& connection) {
    for (const SettingRow& row : kSettingRows) {
        CStatement read(connection, row.select);
        const bool exists = read.Step();
        if (!exists && !read.Failed())
            RunStatement(connection, row.create);
    }
}

void WriteStoreSetting(CConnection& connection, std::int32_t value) {
    RunStatement(connection, "UPDATE Einstellungen SET Wert = ? WHERE Einstellung = 'DBSpeichern'",
                 {std::int64_t{value}});
}

void WritePersStatSetting(CConnection& connection, std::int32_t value) {
    RunStatement(connection, "UPDATE Einstellungen SET Wert = ? WHERE Einstellung = 'PersStat'",
                 {std::int64_t{value}});
}

void WriteOwnCoords(CConnection& connection, std::string_view coords) {
    RunStatement(connection, "UPDATE Einstellungen SET Wert = ? WHERE Einstellung = 'Koords'", {coords});
}

CoordFields SplitOwnCoords(std::string_view coords) {
    const Pos first = Find(coords, ".");
    const Pos second = first < 0 ? -1 : Find(coords, ".", first + 1);
    if (first < 0)
        return {"", "", std::string(coords)};
    if (second < 0)
        return {std::string(Take(coords, 0, first)), "", std::string(coords)};
    return {std::string(Take(coords, 0, first)), std::string(Take(coords, first + 1, second - first - 1)),
            std::string(TakeFrom(coords, second + 1))};
}

std::string JoinOwnCoords(const CoordFields& fields) {
    return fields.first + "." + fields.second + "." + fields.third;
}

} // namespace skarnwald
