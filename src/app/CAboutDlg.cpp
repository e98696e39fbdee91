#include "app/CAboutDlg.h"

#include "app/ProgramName.h"
#include "ui_CAboutDlg.h"

#include <QApplication>

namespace skarnwald {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CAboutDlg>()) {
    ui->setupUi(this);
    setWindowTitle(tr("About %1").arg(kProgramName));
    ui->versionLabel->setText(tr("%1 version %2").arg(kProgramName, kProgramVersion));
    ui->iconLabel->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

} // namespace skarnwald
