#include "app/GuiServices.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"

#include <QApplication>
#include <QProgressBar>

#include <algorithm>

namespace skarnwald {

void ProgressBarAdapter::SetRange(int lower, int upper) {
    // A bar without a range turns into a busy indicator that animates for as
    // long as the program runs; a text too short to measure is done at once.
    bar_.setRange(lower, std::max(upper, lower + 1));
}

void ProgressBarAdapter::SetPos(int pos) {
    bar_.setValue(pos);
}

void DbErrorBox::ReportDbError(std::string_view message) {
    // SQLite words its errors in English; the sentence around them speaks the
    // player's language.
    MessageBoxes::Inform(QApplication::activeWindow(),
                         tr("The database reports an error: %1").arg(DisplayText(message)));
}

} // namespace skarnwald
