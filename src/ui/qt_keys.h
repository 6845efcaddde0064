// SPDX-License-Identifier: MIT
#pragma once

#include "keyboard.h"

class QKeyEvent;

// Qt's key events as the form's keys (keyboard.h) know them: the key, with Shift+Tab (which Qt
// sends as Backtab) as Tab with Shift, and the modifiers held, the keypad's left aside.
WindowForm::Key formKey(const QKeyEvent &key);
WindowForm::Modifiers formModifiers(const QKeyEvent &key);
