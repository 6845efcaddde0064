// SPDX-License-Identifier: MIT
#include "graphical_button.h"

#include <QPainter>
#include <qdrawutil.h>

GraphicalButton::GraphicalButton(const QString &text, QColor faceColour, QWidget *parent)
    : QPushButton(text, parent), face(faceColour)
{
}

void GraphicalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    const QBrush fill(face);
    qDrawWinButton(&painter, rect(), palette(), sunken, &fill);

    // Pressed, the caption moves one pixel down and right, as the bevel does.
    const QRect label = rect().adjusted(2, 2, -2, -2).translated(sunken ? 1 : 0, sunken ? 1 : 0);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(label, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        // The classic dotted focus rectangle, which leaves the face its colour.
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}
