#pragma once
// The conversion's progress bar: grey bar, its percentage as centred text.

#include <QProgressBar>

namespace skarnwald {

class CProgressCtrl : public QProgressBar {
public:
    explicit CProgressCtrl(QWidget* parent = nullptr) : QProgressBar(parent) {
        setTextVisible(true);
        setAlignment(Qt::AlignCenter);
        setFormat(QStringLiteral("%p%"));
        QPalette colours = palette();
        colours.setColor(QPalette::Base, QColor(192, 192, 192));
        colours.setColor(QPalette::Highlight, QColor(128, 128, 128));
        setPalette(colours);
        setValue(0);
    }
};

} // namespace skarnwald
