#pragma once
// A label with its own text colour and font weight, for status texts.

#include <QLabel>

namespace skarnwald {

class CColourLabel : public QLabel {
public:
    explicit CColourLabel(QWidget* parent = nullptr) : QLabel(parent) { setAlignment(Qt::AlignCenter); }

    void SetLooks(const QColor& textColour, int pixelHeight, bool bold) {
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, textColour);
        setPalette(colours);
        QFont textFont = font();
        textFont.setPixelSize(pixelHeight);
        textFont.setBold(bold);
        setFont(textFont);
    }
};

} // namespace skarnwald
