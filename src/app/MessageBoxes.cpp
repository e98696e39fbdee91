#include "app/MessageBoxes.h"

#include "app/ProgramName.h"

#include <QMessageBox>
#include <QPushButton>

#include <optional>
#include <utility>

namespace skarnwald {
namespace {

std::optional<bool> scriptedAnswer;
QStringList shownTexts;

bool Record(const QString& text) {
    shownTexts << text;
    return *scriptedAnswer;
}

} // namespace

void MessageBoxes::Inform(QWidget* parent, const QString& text) {
    if (scriptedAnswer) {
        Record(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, kProgramName, text, QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton(tr("&OK"), QMessageBox::AcceptRole));
    box.setEscapeButton(box.defaultButton());
    box.exec();
}

bool MessageBoxes::AskYesNo(QWidget* parent, const QString& text) {
    if (scriptedAnswer)
        return Record(text);
    QMessageBox box(QMessageBox::Question, kProgramName, text, QMessageBox::NoButton, parent);
    // Alt and the underlined letter answer (Alt+J, Alt+N in German); Escape
    // and Enter keep to the safe "No".
    QPushButton* yes = box.addButton(tr("&Yes"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(tr("&No"), QMessageBox::NoRole));
    box.setEscapeButton(box.defaultButton());
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxes::SetNextAnswer(bool yes) {
    scriptedAnswer = yes;
}

QStringList MessageBoxes::TakeShownTexts() {
    return std::exchange(shownTexts, {});
}

} // namespace skarnwald
