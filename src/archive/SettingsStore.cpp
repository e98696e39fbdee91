#include "archive/SettingsStore.h"

#include "archive/Query.h"
#include "text/TextRules.h"
#include "text/Utf8Text.h"

namespace skarnwald {

namespace {
constexpr std::string_view kReadSetting = "SELECT * FROM Einstellungen WHERE Einstellung = ?";
} // namespace

std::string ReadSetting(CConnection& connection, std::string_view name) {
    CStatement read(connection, kReadSetting);
    read.Bind({name});
    return read.Step() ? read.ReadField("Wert") : std::string{};
}

void WriteSetting(CConnection& connection, std::string_view name, SqlValue value) {
    RunStatement(connection, "UPDATE Einstellungen SET Wert = ? WHERE Einstellung = ?", {value, name});
}

namespace {

void EnsureSettingRow(CConnection& connection, std::string_view name) {
    CStatement read(connection, kReadSetting);
    read.Bind({name});
    const bool exists = read.Step();
    if (!exists && !read.Failed())
        RunStatement(connection, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES (?,0)", {name});
}

} // namespace

void EnsureSettingsRows(CConnection& connection) {
    for (std::string_view name : {kStoreSetting, kPersStatSetting, kOwnCoordsSetting})
        EnsureSettingRow(connection, name);
}

StoringSettings ReadStoringSettings(CConnection& connection) {
    return {Atoi(ReadSetting(connection, kStoreSetting)), Atoi(ReadSetting(connection, kPersStatSetting)),
            ReadSetting(connection, kOwnCoordsSetting)};
}

Redaction ReadRedaction(CConnection& connection) {
    const auto on = [&](std::string_view name) { return Atoi(ReadSetting(connection, name)) == 1; };
    return {on(kHideOwnSetting), on(kHideNamesSetting), on(kHideCoordsSetting)};
}

void WriteRedaction(CConnection& connection, const Redaction& redaction) {
    const std::pair<std::string_view, bool> switches[] = {{kHideOwnSetting, redaction.hideOwn},
                                                          {kHideNamesSetting, redaction.hideNames},
                                                          {kHideCoordsSetting, redaction.hideCoords}};
    for (const auto& [name, on] : switches) {
        EnsureSettingRow(connection, name);
        WriteSetting(connection, name, std::int64_t{on ? 1 : 0});
    }
}

void WriteStoreSetting(CConnection& connection, std::int32_t value) {
    WriteSetting(connection, kStoreSetting, std::int64_t{value});
}

void WritePersStatSetting(CConnection& connection, std::int32_t value) {
    WriteSetting(connection, kPersStatSetting, std::int64_t{value});
}

void WriteOwnCoords(CConnection& connection, std::string_view coords) {
    // Command-line arguments arrive in whatever encoding the terminal uses.
    WriteSetting(connection, kOwnCoordsSetting, NormaliseText(coords));
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
