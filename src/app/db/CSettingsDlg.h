#pragma once
// "Einstellungen": storing in the database, personal statistics, the own
// coordinates, what shared conversions hide and the folder pages are saved
// to without asking. Nothing is written before OK: Abbrechen, Escape and the
// close box leave every setting as it was. The own coordinates are taken in
// the forms the game writes them, in any of the three boxes; OK refuses
// anything else with a message beside the boxes.

#include "archive/Connection.h"
#include "archive/SettingsStore.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;
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

    // Shows the values without writing them; `ownCoords` as stored.
    void SetValues(std::int32_t storeSwitch, std::int32_t statsSwitch, const std::string& ownCoords);

    void SetRedaction(const Redaction& redaction);
    Redaction RedactionSwitches() const;

    std::int32_t StoreSwitch() const;
    std::int32_t StatsSwitch() const;
    // The own coordinates in effect: as given to SetValues until the boxes
    // are edited, then read from them ("" when all three are empty); nothing
    // while the boxes hold no coordinates.
    std::optional<std::string> OwnCoords() const;

    // Writes every setting; refuses (with the message shown) while the own
    // coordinates cannot be read.
    void accept() override;

private:
    // A whole coordinate typed or pasted into one box fills all three; a
    // point after a number moves on to the next box.
    void TakeCoordsTyped(QLineEdit* box);
    void FillCoordBoxes(const std::string& coords); // "7.2.5"
    void ShowCoordsMessage();
    void WriteSettings();
    void ChooseAutoSaveFolder();

    std::unique_ptr<Ui::CSettingsDlg> ui;
    ConnectionPtr connection_;
    std::string shownCoords_;
    bool coordsEdited_ = false;
};

} // namespace skarnwald
