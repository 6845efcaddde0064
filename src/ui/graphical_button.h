// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPushButton>

// A push button whose face is one flat colour inside a classic raised bevel, whatever the style:
// styles that paint button faces with gradients would otherwise change the colour.
class GraphicalButton final : public QPushButton {
    Q_OBJECT

public:
    GraphicalButton(const QString &text, QColor face, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor face;
};
