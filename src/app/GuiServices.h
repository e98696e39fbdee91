#pragma once
// The converter's and the database's services as the desktop program offers
// them: the progress bar and database errors.

#include "archive/Connection.h"
#include "reading/ConversionServices.h"

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

// Database errors in a message box with an OK button, inside a German sentence.
class DbErrorBox : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override;
};

} // namespace skarnwald
