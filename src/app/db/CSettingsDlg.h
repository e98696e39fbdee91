#pragma once
// "Einstellungen": storing in the database, personal statistics, the own
// coordinates, what shared conversions hide and the folder pages are saved
// to without asking. Every click and keystroke is written to the table at once, so
// the dialog has nothing to confirm or cancel; the caller takes the values
// back however it was closed.

#include "archive/Connection.h"
#include "archive/SettingsStore.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class CSettingsDlg;
}

namespace skarnwald {

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // Creates the settings rows that are missing.
    explicit CSettingsDlg(ConnectionPtr connection, QWidget* parent = nullptr);
    ~CSettingsDlg() override;

    // Shows the values without writing them.
    void SetValues(std::int32_t storeSwitch, std::int32_t statsSwitch, const CoordFields& coords);

    void SetRedaction(const Redaction& redaction);
    Redaction RedactionSwitches() const;

    std::int32_t StoreSwitch() const;
    std::int32_t StatsSwitch() const;
    CoordFields CoordTexts() const;

private:
    void WriteStore();
    void WriteStats();
    void WriteCoords();
    void WriteRedactionSwitches();
    void WriteAutoSaveFolder();
    void ChooseAutoSaveFolder();

    std::unique_ptr<Ui::CSettingsDlg> ui;
    ConnectionPtr connection_;
};

} // namespace skarnwald
