#pragma once
// The converter's and the database's services as the desktop program offers
// them: the progress bar and database errors.

#include "archive/Connection.h"
#include "reading/ConversionServices.h"

#include <QCoreApplication>

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

// Database errors in a message box with an OK button, inside a sentence of
// the language spoken.
class DbErrorBox : public IDbErrorReporter {
    Q_DECLARE_TR_FUNCTIONS(DbErrorBox)

public:
    void ReportDbError(std::string_view message) override;
};

} // namespace skarnwald
