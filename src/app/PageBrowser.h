#pragma once
// Opens a written page in the user's web browser. Tests call
// RecordInsteadOfOpening so no browser starts; the pages asked for are kept.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

namespace skarnwald {

class PageBrowser {
    Q_DECLARE_TR_FUNCTIONS(PageBrowser)

public:
    // Tells the user in a message box when no browser could be started.
    static void Open(QWidget* parent, const QString& file);

    static void RecordInsteadOfOpening();
    static QStringList TakeOpened();
};

} // namespace skarnwald
