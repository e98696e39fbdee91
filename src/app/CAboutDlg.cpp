#include "app/CAboutDlg.h"

#include "ui_CAboutDlg.h"

#include <QApplication>

namespace skarnwald {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CAboutDlg>()) {
    ui->setupUi(this);
    ui->iconLabel->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

} // namespace skarnwald
