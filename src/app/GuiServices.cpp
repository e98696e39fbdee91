#include "app/GuiServices.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"

#include <QApplication>
#include <QProgressBar>

namespace skarnwald {

void ProgressBarAdapter::SetRange(int lower, int upper) {
    bar_.setRange(lower, upper);
}

void ProgressBarAdapter::SetPos(int pos) {
    bar_.setValue(pos);
}

void DbErrorBox::ReportDbError(std::string_view message) {
    // SQLite words its errors in English; the sentence around them is German.
    MessageBoxes::Inform(QApplication::activeWindow(),
                         QStringLiteral("Die Datenbank meldet einen Fehler: %1").arg(DisplayText(message)));
}

} // namespace skarnwald
