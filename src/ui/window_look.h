// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

// The window's look from the form: its colours as a palette that no desktop scheme changes, each
// control's colours from its row, and the form's fonts in the face the program carries.

QColor colour(const WindowForm::Colour &rgb);
QPalette windowPalette();
void paintColours(QWidget *widget, const WindowForm::Control &row);
QFont formFont(const WindowForm::Font &form);
