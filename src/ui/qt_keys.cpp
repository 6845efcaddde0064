// SPDX-License-Identifier: MIT
#include "qt_keys.h"

#include <QKeyEvent>

WindowForm::Key formKey(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return WindowForm::Key::Tab;
    case Qt::Key_Space:
        return WindowForm::Key::Space;
    case Qt::Key_Up:
        return WindowForm::Key::Up;
    case Qt::Key_Down:
        return WindowForm::Key::Down;
    case Qt::Key_Left:
        return WindowForm::Key::Left;
    case Qt::Key_Right:
        return WindowForm::Key::Right;
    default:
        return WindowForm::Key::Other;
    }
}

WindowForm::Modifiers formModifiers(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers held = key.modifiers();
    return {.shift = held.testFlag(Qt::ShiftModifier) || key.key() == Qt::Key_Backtab,
            .control = held.testFlag(Qt::ControlModifier),
            .alt = held.testFlag(Qt::AltModifier),
            .meta = held.testFlag(Qt::MetaModifier)};
}
