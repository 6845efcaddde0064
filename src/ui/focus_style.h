// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

// The application's style, with a focus mark that shows plainly on the window's colours: a dotted
// rectangle in the text colour around a focused option's caption (as on the button), and a frame
// two pixels wide in the highlight colour around a focused text box. Without focus, everything
// looks as the application's style draws it. Set on the controls that take focus.
class FocusStyle final : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
