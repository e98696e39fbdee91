#include "app/attorga/CFleetEditDlg.h"

#include "app/MessageBoxes.h"

#include "ui_CFleetEditDlg.h"

namespace skarnwald {

CFleetEditDlg::CFleetEditDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CFleetEditDlg>()) {
    ui->setupUi(this);
    connect(ui->okButton, &QPushButton::clicked, this, &CFleetEditDlg::AcceptChecked);
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CFleetEditDlg::~CFleetEditDlg() = default;

QList<QLineEdit*> CFleetEditDlg::ClassEdits() const {
    return {ui->shuttleEdit,     ui->fighterEdit,    ui->frigateEdit, ui->corvetteEdit,
            ui->starcruiserEdit, ui->battleshipEdit, ui->doomstarEdit};
}

void CFleetEditDlg::SetClasses(const QStringList& classes) {
    const QList<QLineEdit*> edits = ClassEdits();
    for (qsizetype k = 0; k < edits.size(); ++k)
        edits[k]->setText(classes.value(k));
}

QStringList CFleetEditDlg::Classes() const {
    QStringList classes;
    for (const QLineEdit* edit : ClassEdits())
        classes.append(edit->text());
    return classes;
}

void CFleetEditDlg::SetPlanet(const QString& coords) {
    ui->coordsLabel->setText(coords);
}

void CFleetEditDlg::SetCheck(std::function<QString(const QStringList&)> check) {
    check_ = std::move(check);
}

void CFleetEditDlg::AcceptChecked() {
    if (const QString refusal = check_ ? check_(Classes()) : QString(); !refusal.isEmpty()) {
        MessageBoxes::Inform(this, refusal);
        return;
    }
    accept();
}

} // namespace skarnwald
