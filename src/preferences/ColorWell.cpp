#include "preferences/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorWell::ColorWell(QWidget* parent) : QPushButton(parent) {
    setMinimumWidth(120);
    connect(this, &QPushButton::clicked, this, &ColorWell::pickColor);
    setColor(Qt::black);
}

void ColorWell::setColor(const QColor& color) {
    color_ = color;
    QPixmap swatch(48, 16);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    setIcon(swatch);
    setIconSize(swatch.size());
    setText(color.name().toUpper());
}

void ColorWell::pickColor() {
    auto* dialog = new QColorDialog(color_, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& picked) {
        if (!picked.isValid() || picked == color_)
            return;
        setColor(picked);
        emit colorChanged(picked);
    });
    dialog->open();
}
