// SPDX-License-Identifier: MIT
#include "focus_style.h"

#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleOption>

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    if (element == PE_FrameFocusRect && qobject_cast<const QRadioButton *>(widget) != nullptr) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        // Clear of the caption's first and last letters; the option's full height.
        painter->drawRect(option->rect.adjusted(-2, 0, 1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool textBox = qobject_cast<const QPlainTextEdit *>(widget) != nullptr ||
                         qobject_cast<const QLineEdit *>(widget) != nullptr;
    if ((element == PE_Frame || element == PE_FrameLineEdit) && textBox &&
        option->state.testFlag(State_HasFocus)) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
}
