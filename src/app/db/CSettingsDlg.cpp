#include "app/db/CSettingsDlg.h"

#include "app/ArchiveChoice.h"
#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "ui_CSettingsDlg.h"

namespace skarnwald {

CSettingsDlg::CSettingsDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CSettingsDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    ui->databaseLabel->setText(QStringLiteral("Datenbank: %1").arg(ArchiveFileText(*connection_)));
    EnsureSettingsRows(*connection_);
    // clicked and textEdited come from the user only, so showing the values
    // writes nothing.
    connect(ui->storeCheck, &QCheckBox::clicked, this, &CSettingsDlg::WriteStore);
    connect(ui->statsCheck, &QCheckBox::clicked, this, &CSettingsDlg::WriteStats);
    for (QLineEdit* field : {ui->firstCoord, ui->secondCoord, ui->thirdCoord})
        connect(field, &QLineEdit::textEdited, this, &CSettingsDlg::WriteCoords);
    for (QCheckBox* check : {ui->hideOwnCheck, ui->hideNamesCheck, ui->hideCoordsCheck})
        connect(check, &QCheckBox::clicked, this, &CSettingsDlg::WriteRedactionSwitches);
    // The page folder is the program's own setting, kept with its profile.
    ui->autoSaveEdit->setText(AutoSaveFolder());
    ui->autoSaveCheck->setChecked(!AutoSaveFolder().isEmpty());
    connect(ui->autoSaveCheck, &QCheckBox::clicked, this, &CSettingsDlg::WriteAutoSaveFolder);
    connect(ui->autoSaveButton, &QPushButton::clicked, this, &CSettingsDlg::ChooseAutoSaveFolder);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::SetValues(std::int32_t storeSwitch, std::int32_t statsSwitch, const CoordFields& coords) {
    ui->storeCheck->setChecked(storeSwitch == 1);
    ui->statsCheck->setChecked(statsSwitch == 1);
    ui->firstCoord->setText(DisplayText(coords.first));
    ui->secondCoord->setText(DisplayText(coords.second));
    ui->thirdCoord->setText(DisplayText(coords.third));
}

void CSettingsDlg::SetRedaction(const Redaction& redaction) {
    ui->hideOwnCheck->setChecked(redaction.hideOwn);
    ui->hideNamesCheck->setChecked(redaction.hideNames);
    ui->hideCoordsCheck->setChecked(redaction.hideCoords);
}

Redaction CSettingsDlg::RedactionSwitches() const {
    return {ui->hideOwnCheck->isChecked(), ui->hideNamesCheck->isChecked(), ui->hideCoordsCheck->isChecked()};
}

std::int32_t CSettingsDlg::StoreSwitch() const {
    return ui->storeCheck->isChecked() ? 1 : 0;
}

std::int32_t CSettingsDlg::StatsSwitch() const {
    return ui->statsCheck->isChecked() ? 1 : 0;
}

CoordFields CSettingsDlg::CoordTexts() const {
    return {CoreText(ui->firstCoord->text()), CoreText(ui->secondCoord->text()),
            CoreText(ui->thirdCoord->text())};
}

void CSettingsDlg::WriteStore() {
    WriteStoreSetting(*connection_, StoreSwitch());
}

void CSettingsDlg::WriteStats() {
    WritePersStatSetting(*connection_, StatsSwitch());
}

void CSettingsDlg::WriteCoords() {
    WriteOwnCoords(*connection_, JoinOwnCoords(CoordTexts()));
}

void CSettingsDlg::WriteRedactionSwitches() {
    WriteRedaction(*connection_, RedactionSwitches());
}

// Switching on without a folder asks for one; cancelling leaves it off.
void CSettingsDlg::WriteAutoSaveFolder() {
    if (ui->autoSaveCheck->isChecked() && ui->autoSaveEdit->text().isEmpty())
        return ChooseAutoSaveFolder();
    SetAutoSaveFolder(ui->autoSaveCheck->isChecked() ? ui->autoSaveEdit->text() : QString());
}

// A chosen folder switches saving without asking on.
void CSettingsDlg::ChooseAutoSaveFolder() {
    if (const QString folder = FileDialogs::FolderName(this); !folder.isEmpty()) {
        ui->autoSaveEdit->setText(folder);
        ui->autoSaveCheck->setChecked(true);
    } else if (ui->autoSaveEdit->text().isEmpty()) {
        ui->autoSaveCheck->setChecked(false);
    }
    WriteAutoSaveFolder();
}

} // namespace skarnwald
