#include "app/EquipmentPlugin.h"

#include "app/MessageBoxes.h"

#include <QLibrary>

namespace skarnwald {

void CallEquipmentPlugin(QWidget* parent, const QString& library) {
    QLibrary plugin(library);
    if (!plugin.load()) {
        MessageBoxes::Inform(parent, QStringLiteral("Kelvora.dll nicht vorhanden!"));
        return;
    }
    using ShowKelvra = void (*)();
    if (auto show = reinterpret_cast<ShowKelvra>(plugin.resolve(kEquipmentExport)))
        show();
    else
        MessageBoxes::Inform(parent, QStringLiteral("Funktion nicht gefunden!"));
    plugin.unload();
}

} // namespace skarnwald
