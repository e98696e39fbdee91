#pragma once
// "Changelog": what changed in each version of the program, newest first.

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CChangeLogDlg;
}

namespace skarnwald {

struct Release {
    const char* version;              // "v1.2.3"
    std::vector<const char*> changes; // source texts, shown translated (context "ChangeLog")
};

// The releases, newest first.
const std::vector<Release>& ChangeLog();

class CChangeLogDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChangeLogDlg(QWidget* parent = nullptr);
    ~CChangeLogDlg() override;

private:
    std::unique_ptr<Ui::CChangeLogDlg> ui;
};

} // namespace skarnwald
