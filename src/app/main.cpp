// The desktop program. The database is the one of archive/ArchiveLocation.h,
// or the file named by --db; the background picture is built in.
// The language follows the system unless the player chose one (app/Translations.h).
// --screenshot FILE saves a picture of the main window as it first shows and
// ends the program (for the screenshots of the documentation and the package
// test).

#include "app/ArchiveChoice.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Names the profile, which holds the language the player chose.
    skarnwald::CVoxlanApp voxlan;
    skarnwald::InstallTranslations(skarnwald::LanguageInEffect());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/skarnwald.png")));

    // No help is ever printed, so the descriptions show nowhere.
    const QCommandLineOption database(QStringLiteral("db"), QStringLiteral("database"),
                                      QStringLiteral("FILE"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("screenshot"),
                                        QStringLiteral("FILE"));
    QCommandLineParser parser;
    parser.addOptions({database, screenshot});
    // Other arguments were always ignored, and still are.
    parser.parse(QApplication::arguments());

    const auto archive = skarnwald::ChooseArchive(
        skarnwald::ProcessArchiveSearch(QFile::encodeName(parser.value(database)).toStdString()));
    if (!archive || !voxlan.InitInstance(*archive))
        return 1;
    if (parser.isSet(screenshot))
        QTimer::singleShot(0, &voxlan, [&] {
            QApplication::exit(voxlan.MainFrame()->grab().save(parser.value(screenshot)) ? 0 : 1);
        });
    return QApplication::exec();
}
