#pragma once
// A button that shows a colour and lets the user pick another.

#include <QColor>
#include <QPushButton>

class ColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Shows the colour; emits nothing.
    void setColor(const QColor& color);

signals:
    // The user picked a colour.
    void colorChanged(const QColor& color);

private:
    void pickColor();

    QColor color_;
};
