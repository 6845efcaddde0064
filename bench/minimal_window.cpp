// SPDX-License-Identifier: MIT
// The smallest Qt Widgets program that shows what the drill's window shows first: a window of
// the same size and background colour. bench/startup measures the drill against it. With
// --text it also shows one line of Cyrillic text in the drill's font, which tells how much of
// the difference is the price of drawing any text at all.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(465, 414);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    if (QApplication::arguments().contains(QStringLiteral("--text"))) {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(16);
        window.setFont(font);
        auto *label =
            new QLabel(QStringLiteral("Математика - формули за съкратено умножение"), &window);
        label->setGeometry(56, 0, 345, 25);
    }
    window.show();
    return QApplication::exec();
}
