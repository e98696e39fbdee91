#include "archive/CsvExport.h"

#include "archive/Query.h"
#include "text/Catalog.h"
#include "text/TextRules.h"

#ifndef SKARNWALD_NO_LIBCSV
#include <csv.h>
#endif

#include <fstream>
#include <optional>

namespace skarnwald {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBattleColumns[] = {"ID", "Datum", "Koords", "Name"};
constexpr std::string_view kFleetLineColumns[] = {
    "ID", "BattleID", "Agility", "Anzahl", "Schiffsname", "Schiffstyp", "Koords", "Name", "Kampftyp"};
constexpr std::string_view kCombatLineColumns[] = {"ID",     "AgilityID",  "BattleID",    "Waffe",  "Tat",
                                                   "Anzahl", "Schiffstyp", "Schiffsname", "Koords", "Name"};

struct TableQuery {
    std::string_view sql; // one parameter: the battle id
    std::span<const std::string_view> columns;
};

TableQuery QueryOf(CsvTable table) {
    switch (table) {
    case CsvTable::FleetLines:
        return {"SELECT * FROM Agility WHERE BattleID = ? ORDER BY ID", kFleetLineColumns};
    case CsvTable::CombatLines:
        return {
            "SELECT d.*, a.BattleID AS BattleID FROM Battle_Details d JOIN Agility a ON a.ID = d.AgilityID "
            "WHERE a.BattleID = ? ORDER BY a.ID, d.ID",
            kCombatLineColumns};
    case CsvTable::Battles:
        break;
    }
    return {"SELECT * FROM Battles WHERE ID = ?", kBattleColumns};
}

// libcsv quotes the field and doubles the quotes inside it; the browser
// build, which has no libcsv, writes the same quoting itself.
void AppendField(std::string& record, std::string_view value, char separator) {
    if (!record.empty())
        record += separator;
#ifdef SKARNWALD_NO_LIBCSV
    record += '"';
    for (const char c : value) {
        if (c == '"')
            record += '"';
        record += c;
    }
    record += '"';
#else
    const std::size_t size = csv_write(nullptr, 0, value.data(), value.size());
    const std::size_t at = record.size();
    record.resize(at + size);
    csv_write(record.data() + at, size, value.data(), value.size());
#endif
}

void AppendRecord(std::string& out, std::span<const std::string> values, char separator) {
    std::string record;
    for (const std::string& value : values)
        AppendField(record, value, separator);
    out += record;
    out += "\r\n";
}

// The whole table as CSV text; nothing when a query failed (reported).
std::optional<std::string> TableText(CConnection& connection, CsvTable table,
                                     std::span<const std::int32_t> battleIds, const CsvOptions& options) {
    const TableQuery query = QueryOf(table);
    std::string text = options.separator == ';' ? "\xEF\xBB\xBF" : "";
    AppendRecord(text, std::vector<std::string>(query.columns.begin(), query.columns.end()),
                 options.separator);
    CStatement rows(connection, query.sql);
    std::vector<std::string> values(query.columns.size());
    for (std::int32_t id : battleIds) {
        rows.Bind({std::int64_t{id}});
        while (rows.Step()) {
            // Numbers stay numbers: only text cells can be taken for formulas.
            for (std::size_t i = 0; i < values.size(); ++i) {
                values[i] = rows.ReadStoredText(query.columns[i]).value_or("");
                if (!rows.HoldsNumber(query.columns[i]))
                    values[i] = CsvCellText(values[i], options.raw);
            }
            AppendRecord(text, values, options.separator);
        }
        if (rows.Failed())
            return std::nullopt;
    }
    return text;
}

} // namespace

std::string CsvCellText(std::string_view text, bool raw) {
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    if (raw)
        return std::string(text);
    text = Trim(text);
    if (text.empty() || kFormulaStarts.find(text.front()) == std::string_view::npos)
        return std::string(text);
    return "'" + std::string(text);
}

std::string_view CsvFileName(CsvTable table) {
    switch (table) {
    case CsvTable::FleetLines:
        return "flottenzeilen.csv";
    case CsvTable::CombatLines:
        return "kampfzeilen.csv";
    case CsvTable::Battles:
        break;
    }
    return "kaempfe.csv";
}

OperationResult ExportTableAsCsv(CConnection& connection, std::span<const std::int32_t> battleIds,
                                 CsvTable table, const fs::path& file, const CsvOptions& options) {
    const auto text = TableText(connection, table, battleIds, options);
    if (!text)
        return {std::string(CoreTexts().Text("csv.unreadable"))};
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text->data(), static_cast<std::streamsize>(text->size()));
    out.close();
    if (!out)
        return {CoreTexts().Format("csv.unwritable", {{"file", file.string()}})};
    return {};
}

CsvExportResult ExportBattlesAsCsv(CConnection& connection, std::span<const std::int32_t> battleIds,
                                   const fs::path& folder, std::span<const CsvTable> tables,
                                   const CsvOptions& options) {
    CsvExportResult result;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error =
            CoreTexts().Format("csv.folderUnmade", {{"folder", folder.string()}, {"reason", ec.message()}});
        return result;
    }
    for (CsvTable table : tables) {
        const fs::path file = folder / CsvFileName(table);
        result.error = ExportTableAsCsv(connection, battleIds, table, file, options).error;
        if (!result.error.empty())
            return result;
        result.written.push_back(file);
    }
    return result;
}

} // namespace skarnwald
