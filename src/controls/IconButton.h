#pragma once
// A push button that shows an icon beside its caption and explains itself in
// a tooltip.

#include <QIcon>
#include <QPushButton>

namespace skarnwald {

class CIconButton : public QPushButton {
public:
    explicit CIconButton(QWidget* parent = nullptr) : QPushButton(parent) { setIconSize(QSize(24, 24)); }

    void SetLooks(const QIcon& icon, const QString& tooltip) {
        setIcon(icon);
        setToolTip(tooltip);
    }
};

} // namespace skarnwald
