#pragma once
// The converter's and the database's services as the desktop program offers
// them: the progress bar, the end-of-conversion notice and database errors.

#include "archive/Connection.h"
#include "reading/ConversionServices.h"

#include <QStringList>

class QProgressBar;
class QWidget;

namespace skarnwald {

class ProgressBarAdapter : public IProgress {
public:
    explicit ProgressBarAdapter(QProgressBar& bar) : bar_(bar) {}
    void SetRange(int lower, int upper) override;
    void SetPos(int pos) override;

private:
    QProgressBar& bar_;
};

// Holds the converter's notices until the page is safely written, so that
// "Fertig" never appears for a page that could not be saved and the time the
// user takes to confirm it is not counted as conversion time.
class DeferredNotifier : public INotifier {
public:
    void ShowMessage(std::string_view text) override;
    void Show(QWidget* parent);
    void Discard() { pending_.clear(); }

private:
    QStringList pending_;
};

// Database errors in a message box with an OK button, inside a German sentence.
class DbErrorBox : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override;
};

} // namespace skarnwald
