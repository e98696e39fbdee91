#pragma once
// Every message box of the desktop program goes through here, so tests can
// answer them without a person: after SetNextAnswer the boxes are not shown,
// their texts are recorded and questions get the answer given.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

namespace skarnwald {

class MessageBoxes {
    Q_DECLARE_TR_FUNCTIONS(MessageBoxes)

public:
    // A message with an OK button only.
    static void Inform(QWidget* parent, const QString& text);
    // A question with "Yes" and "No" ("Ja", "Nein"); true for "Yes".
    static bool AskYesNo(QWidget* parent, const QString& text);

    // Test seam: boxes from now on are recorded, questions answered `yes`.
    static void SetNextAnswer(bool yes);
    // The texts recorded since the last call.
    static QStringList TakeShownTexts();
};

} // namespace skarnwald
