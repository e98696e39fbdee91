#pragma once
// Datei → "Mehrere Berichte umwandeln…": several report files into one folder,
// each its own page, with a progress dialog that can be cancelled between
// files and a summary of what was converted and what failed and why.

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace skarnwald {

class CConversionSession;
struct BatchResult;

struct BatchOutcome {
    QString summary;                               // what the summary box said
    std::optional<std::filesystem::path> lastPage; // the last page written
};

// Asks for the files and the folder; nothing when either is cancelled.
std::optional<BatchOutcome> RunBatchConversion(QWidget* parent, CConversionSession& session);

// The summary box's text.
QString BatchSummary(const BatchResult& result, std::size_t requested);

} // namespace skarnwald
