// The desktop program. The database "Data.dat" and the background picture are
// looked up in the working directory.

#include "app/CVoxlanApp.h"
#include "app/CVoxlanDoc.h"
#include "app/Translations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    skarnwald::InstallGermanTranslations(application);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/skarnwald.png")));
    skarnwald::CVoxlanApp voxlan;
    if (!voxlan.InitInstance(skarnwald::kDatabaseFile))
        return 1;
    return QApplication::exec();
}
