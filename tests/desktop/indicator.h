// SPDX-License-Identifier: MIT
#pragma once

#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

// Where a learner clicks a radio button: the centre of its round indicator, as the style draws it.
inline QPoint indicatorCentre(const QRadioButton *button)
{
    QStyleOptionButton style;
    style.initFrom(button);
    return button->style()
        ->subElementRect(QStyle::SE_RadioButtonIndicator, &style, button)
        .center();
}
