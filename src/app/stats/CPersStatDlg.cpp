#include "app/stats/CPersStatDlg.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"
#include "ui_CPersStatDlg.h"

namespace skarnwald {

CPersStatDlg::CPersStatDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CPersStatDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    // A failed query has been reported; the fields then stay empty.
    if (const std::optional<PersonalRecordView> record = LoadPersonalRecord(*connection_))
        Show(*record);
    connect(ui->resetButton, &QPushButton::clicked, this, &CPersStatDlg::OnReset);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CPersStatDlg::~CPersStatDlg() = default;

void CPersStatDlg::OnReset() {
    if (!MessageBoxes::AskYesNo(this, tr("Delete the personal statistics?")))
        return;
    if (ResetPersonalRecord(*connection_))
        Show(ZeroedPersonalRecord());
}

void CPersStatDlg::Show(const PersonalRecordView& record) {
    ShowRow({ui->kill0, ui->kill1, ui->kill2, ui->kill3, ui->kill4, ui->kill5, ui->kill6}, record.kills);
    ShowRow({ui->loss0, ui->loss1, ui->loss2, ui->loss3, ui->loss4, ui->loss5, ui->loss6}, record.losses);
    ShowRow({ui->ratio0, ui->ratio1, ui->ratio2, ui->ratio3, ui->ratio4, ui->ratio5, ui->ratio6},
            record.ratios);
    ui->killsTotal->setText(DisplayText(record.killsTotal));
    ui->lossesTotal->setText(DisplayText(record.lossesTotal));
    ui->totalRatio->setText(DisplayText(record.totalRatio));
    ui->roidGain->setText(DisplayText(record.roidGain));
    ui->roidLoss->setText(DisplayText(record.roidLoss));
    ui->roidRatio->setText(DisplayText(record.roidRatio));
}

void CPersStatDlg::ShowRow(const PerClass<QLabel*>& labels, const PerClass<std::string>& values) {
    for (int k = 0; k < kShipClassCount; ++k)
        labels[k]->setText(DisplayText(values[k]));
}

} // namespace skarnwald
