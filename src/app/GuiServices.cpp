#include "app/GuiServices.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"

#include <QApplication>
#include <QProgressBar>

#include <utility>

namespace skarnwald {

void ProgressBarAdapter::SetRange(int lower, int upper) {
    bar_.setRange(lower, upper);
}

void ProgressBarAdapter::SetPos(int pos) {
    bar_.setValue(pos);
}

void DeferredNotifier::ShowMessage(std::string_view text) {
    pending_ << DisplayText(text);
}

void DeferredNotifier::Show(QWidget* parent) {
    for (const QString& text : std::exchange(pending_, {}))
        MessageBoxes::Inform(parent, text);
}

void DbErrorBox::ReportDbError(std::string_view message) {
    // SQLite words its errors in English; the sentence around them is German.
    MessageBoxes::Inform(QApplication::activeWindow(),
                         QStringLiteral("Die Datenbank meldet einen Fehler: %1").arg(DisplayText(message)));
}

} // namespace skarnwald
