#pragma once
// Stored battles as CSV files for spreadsheets (RFC 4180: every field quoted,
// CRLF line ends, a header row; UTF-8; dates "YYYY-MM-DD HH:MM:SS").
// Names come from other players: a text cell a spreadsheet would take for a
// formula gets a leading ' unless the export is raw. Text cells lose the
// blanks the report put around names and classes unless the export is raw.

#include "archive/Connection.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

enum class CsvTable { Battles, FleetLines, CombatLines };

inline constexpr CsvTable kAllCsvTables[] = {CsvTable::Battles, CsvTable::FleetLines, CsvTable::CombatLines};

// "kaempfe.csv", "flottenzeilen.csv", "kampfzeilen.csv".
std::string_view CsvFileName(CsvTable table);

struct CsvOptions {
    // ',' as RFC 4180 has it; ';' for spreadsheets set up for a decimal comma,
    // which read a file as UTF-8 only when it begins with a byte-order mark:
    // such a file gets one.
    char separator = ',';
    // Cells exactly as stored, for scripts: no ' before formula-like texts.
    bool raw = false;
};

// A text cell as written: without blanks at either end, and with a leading '
// when it then begins with =, +, -, @, a tab or a carriage return (unless raw).
std::string CsvCellText(std::string_view text, bool raw);

struct CsvExportResult {
    std::vector<std::filesystem::path> written;
    std::string error; // empty on success; otherwise why, in German
};

// Writes one table's rows of the given battles (in that order) to `file`,
// replacing it.
OperationResult ExportTableAsCsv(CConnection& connection, std::span<const std::int32_t> battleIds,
                                 CsvTable table, const std::filesystem::path& file,
                                 const CsvOptions& options = {});

// The same for each of `tables`, to its own file (CsvFileName) in `folder`,
// which is created when missing.
CsvExportResult ExportBattlesAsCsv(CConnection& connection, std::span<const std::int32_t> battleIds,
                                   const std::filesystem::path& folder, std::span<const CsvTable> tables,
                                   const CsvOptions& options = {});

} // namespace skarnwald
