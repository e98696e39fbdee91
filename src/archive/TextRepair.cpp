#include "archive/TextRepair.h"

#include "archive/Query.h"
#include "text/Utf8Text.h"

#include <string>
#include <vector>

namespace skarnwald {
namespace {

struct TextFix {
    std::int64_t rowid;
    std::string column;
    std::string text;
};

// An identifier between double quotes, inner quotes doubled.
std::string QuotedName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += c;
    }
    return quoted + '"';
}

// The values of `table` that need rewriting. They are collected before any
// is written so the walk never sees its own updates.
std::vector<TextFix> FixesOf(CConnection& connection, std::string_view table, bool& failed) {
    std::vector<TextFix> fixes;
    CStatement rows(connection, "SELECT rowid, * FROM " + std::string(table));
    while (rows.Step())
        for (int c = 1; c < rows.ColumnCount(); ++c)
            if (const auto text = rows.StoredText(c); text && !IsValidUtf8(*text))
                fixes.push_back({rows.ColumnInt(0), rows.ColumnName(c), NormaliseText(*text)});
    failed = failed || rows.Failed();
    return fixes;
}

} // namespace

std::optional<int> RepairStoredText(CConnection& connection) {
    CTransaction transaction(connection);
    if (!transaction.Active())
        return std::nullopt;
    bool failed = false;
    int changed = 0;
    for (std::string_view table : kTableNames) {
        for (const TextFix& fix : FixesOf(connection, table, failed)) {
            const std::string update =
                "UPDATE " + std::string(table) + " SET " + QuotedName(fix.column) + " = ? WHERE rowid = ?";
            failed = failed || !RunStatement(connection, update, {std::string_view(fix.text), fix.rowid});
            ++changed;
        }
        if (failed)
            return std::nullopt;
    }
    if (!transaction.Commit())
        return std::nullopt;
    return changed;
}

} // namespace skarnwald
