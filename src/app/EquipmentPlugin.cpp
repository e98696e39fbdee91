#include "app/EquipmentPlugin.h"

#include "app/MessageBoxes.h"

#include <QCoreApplication>
#include <QLibrary>

namespace skarnwald {

void CallEquipmentPlugin(QWidget* parent, const QString& library) {
    QLibrary plugin(library);
    if (!plugin.load()) {
        MessageBoxes::Inform(parent,
                             QCoreApplication::translate("EquipmentPlugin", "Kelvora.dll is missing!"));
        return;
    }
    using ShowKelvra = void (*)();
    if (auto show = reinterpret_cast<ShowKelvra>(plugin.resolve(kEquipmentExport)))
        show();
    else
        MessageBoxes::Inform(parent, QCoreApplication::translate("EquipmentPlugin", "Function not found!"));
    plugin.unload();
}

} // namespace skarnwald
