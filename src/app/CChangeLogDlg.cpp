#include "app/CChangeLogDlg.h"

#include "ui_CChangeLogDlg.h"

namespace skarnwald {

CChangeLogDlg::CChangeLogDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CChangeLogDlg>()) {
    ui->setupUi(this);
    for (const char* line : kChangeLogLines)
        ui->changeList->addItem(QString::fromUtf8(line));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CChangeLogDlg::~CChangeLogDlg() = default;

} // namespace skarnwald
