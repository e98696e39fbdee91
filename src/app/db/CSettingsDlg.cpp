#include "app/db/CSettingsDlg.h"

#include "app/ArchiveChoice.h"
#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "text/OwnCoords.h"
#include "ui_CSettingsDlg.h"

#include <QPushButton>

namespace skarnwald {

CSettingsDlg::CSettingsDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CSettingsDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    ui->databaseLabel->setText(tr("Database: %1").arg(ArchiveFileText(*connection_)));
    EnsureSettingsRows(*connection_);
    ui->buttons->button(QDialogButtonBox::Ok)->setText(tr("&OK"));
    ui->buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);
    // textEdited comes from the user only, so showing the values is no edit.
    for (QLineEdit* box : {ui->firstCoord, ui->secondCoord, ui->thirdCoord})
        connect(box, &QLineEdit::textEdited, this, [this, box] { TakeCoordsTyped(box); });
    ui->coordsMessage->hide();
    ui->autoSaveEdit->setText(AutoSaveFolder());
    ui->autoSaveCheck->setChecked(!AutoSaveFolder().isEmpty());
    // Switching on without a folder asks for one; cancelling leaves it off.
    connect(ui->autoSaveCheck, &QCheckBox::clicked, this, [this](bool on) {
        if (on && ui->autoSaveEdit->text().isEmpty())
            ChooseAutoSaveFolder();
    });
    connect(ui->autoSaveButton, &QPushButton::clicked, this, &CSettingsDlg::ChooseAutoSaveFolder);
}

CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::SetValues(std::int32_t storeSwitch, std::int32_t statsSwitch,
                             const std::string& ownCoords) {
    ui->storeCheck->setChecked(storeSwitch == 1);
    ui->statsCheck->setChecked(statsSwitch == 1);
    shownCoords_ = ownCoords;
    coordsEdited_ = false;
    const CoordFields fields = SplitOwnCoords(ownCoords);
    ui->firstCoord->setText(DisplayText(fields.first));
    ui->secondCoord->setText(DisplayText(fields.second));
    ui->thirdCoord->setText(DisplayText(fields.third));
    ShowCoordsMessage();
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

std::optional<std::string> CSettingsDlg::OwnCoords() const {
    if (!coordsEdited_)
        return shownCoords_;
    const QString first = ui->firstCoord->text(), second = ui->secondCoord->text(),
                  third = ui->thirdCoord->text();
    if ((first + second + third).trimmed().isEmpty())
        return std::string();
    return ReadOwnCoordsText(CoreText(first + QLatin1Char('.') + second + QLatin1Char('.') + third));
}

void CSettingsDlg::TakeCoordsTyped(QLineEdit* box) {
    coordsEdited_ = true;
    const QString typed = box->text();
    if (const std::optional<std::string> whole = ReadOwnCoordsText(CoreText(typed))) {
        FillCoordBoxes(*whole);
        ui->thirdCoord->setFocus();
    } else if (typed.endsWith(QLatin1Char('.')) && box != ui->thirdCoord) {
        // "7." while typing "7.2.5" into one box: the number stays, the
        // point moves the typing on.
        box->setText(typed.chopped(1));
        QLineEdit* next = box == ui->firstCoord ? ui->secondCoord : ui->thirdCoord;
        next->setFocus();
        next->selectAll();
    }
    // Brackets and blanks typed around the numbers go once they form coordinates.
    if (const std::optional<std::string> coords = OwnCoords(); coords && !coords->empty())
        FillCoordBoxes(*coords);
    ShowCoordsMessage();
}

void CSettingsDlg::FillCoordBoxes(const std::string& coords) {
    const QStringList parts = QString::fromStdString(coords).split(QLatin1Char('.'));
    QLineEdit* const boxes[] = {ui->firstCoord, ui->secondCoord, ui->thirdCoord};
    for (int i = 0; i < 3; ++i)
        if (boxes[i]->text() != parts.value(i))
            boxes[i]->setText(parts.value(i));
}

void CSettingsDlg::ShowCoordsMessage() {
    ui->coordsMessage->setText(tr("Please enter the coordinates as x.y.z, for example 11.7.8."));
    ui->coordsMessage->setVisible(!OwnCoords());
}

void CSettingsDlg::accept() {
    if (!OwnCoords()) {
        ShowCoordsMessage();
        ui->firstCoord->setFocus();
        return;
    }
    WriteSettings();
    QDialog::accept();
}

void CSettingsDlg::WriteSettings() {
    WriteStoreSetting(*connection_, StoreSwitch());
    WritePersStatSetting(*connection_, StatsSwitch());
    // Coordinates nobody touched stay exactly as they are stored.
    if (coordsEdited_)
        WriteOwnCoords(*connection_, *OwnCoords());
    WriteRedaction(*connection_, RedactionSwitches());
    SetAutoSaveFolder(ui->autoSaveCheck->isChecked() ? ui->autoSaveEdit->text() : QString());
}

// A chosen folder switches saving without asking on; without one it stays off.
void CSettingsDlg::ChooseAutoSaveFolder() {
    if (const QString folder = FileDialogs::FolderName(this, QStringLiteral("Seiten")); !folder.isEmpty()) {
        ui->autoSaveEdit->setText(folder);
        ui->autoSaveCheck->setChecked(true);
    } else if (ui->autoSaveEdit->text().isEmpty()) {
        ui->autoSaveCheck->setChecked(false);
    }
}

} // namespace skarnwald
