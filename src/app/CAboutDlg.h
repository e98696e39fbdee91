#pragma once
// "About Skarnwald": the program's icon and version.

#include <QDialog>

#include <memory>

namespace Ui {
class CAboutDlg;
}

namespace skarnwald {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> ui;
};

} // namespace skarnwald
