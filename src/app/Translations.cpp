#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace skarnwald {

bool InstallGermanTranslations(QCoreApplication& application) {
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = translator.release(); // owned by the application
    return true;
}

} // namespace skarnwald
