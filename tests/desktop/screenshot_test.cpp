// SPDX-License-Identifier: MIT
// The window on a real X server (Xvfb): what the server really shows, pixel by pixel; or on a
// headless Wayland compositor (weston), the window as it paints itself there, and the compositor's
// screenshot, which must show it. The picture is kept as zantrel-screenshot-x1.png (x2 under
// QT_SCALE_FACTOR=2, or the SCREENSHOT_NAME given) beside the test for a person to look at.
#include "contrast_ratio.h"
#include "test_seed.h"
#include "window_form.h"
#include "zantrel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>

class ScreenshotTest : public QObject {
    Q_OBJECT

private:
    QImage shot;
    QPoint origin;   // of the window, in device pixels
    qreal ratio = 1; // device pixels to a logical pixel

    // The colour at a logical point of the window: the top-left of its device pixels.
    QColor at(int x, int y) const { return shot.pixelColor(origin + QPoint(x, y) * ratio); }

    static QString rgb(const QColor &colour)
    {
        return QStringLiteral("(%1, %2, %3)")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue());
    }

    static WindowForm::Colour rgbOf(const QColor &colour)
    {
        return {colour.red(), colour.green(), colour.blue()};
    }

    void expectColour(int x, int y, const QColor &expected, const char *what) const
    {
        const QColor seen = at(x, y);
        QVERIFY2(seen == expected, qPrintable(QStringLiteral("%1 at (%2, %3): %4, expected %5")
                                                  .arg(QLatin1String(what))
                                                  .arg(x)
                                                  .arg(y)
                                                  .arg(rgb(seen), rgb(expected))));
    }

    // Pixels much darker than their background: the strokes of painted text.
    int darkPixels(const QRect &area) const
    {
        int dark = 0;
        const QRect device(origin + area.topLeft() * ratio, area.size() * ratio);
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x) {
                dark += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
            }
        }
        return dark;
    }

    static int pixelsOf(const QImage &image, const QColor &colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    // What weston shows, through its screenshot client (weston started with --debug).
    static QImage compositorScreenshot()
    {
        const QDir here(QDir::currentPath());
        const QStringList pattern{QStringLiteral("wayland-screenshot-*.png")};
        for (const QString &old : here.entryList(pattern)) {
            QFile::remove(here.filePath(old));
        }
        if (QProcess::execute(QStringLiteral("weston-screenshooter"), {}) != 0) {
            return {};
        }
        const QStringList taken = here.entryList(pattern);
        if (taken.isEmpty()) {
            return {};
        }
        QImage image(here.filePath(taken.first()));
        QFile::remove(here.filePath(taken.first()));
        return image.convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void paintsTheWindowAsDesigned()
    {
        Zantrel::styleApplication();
        ReplayableRandom random(testSeed("screenshot_test", 20261210));
        Zantrel window(random);
        window.move(0, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);

        // QT_SCALE_FACTOR, or the desktop's Xft.dpi, scales the whole window (by the factor in
        // SCREENSHOT_SCALE, 1 if unset); the layout stays the same.
        ratio = window.devicePixelRatio();
        QCOMPARE(ratio, qEnvironmentVariable("SCREENSHOT_SCALE", QStringLiteral("1")).toDouble());
        const QString name =
            qEnvironmentVariable("SCREENSHOT_NAME", QStringLiteral("x%1").arg(ratio));
        const QColor background(192, 192, 255);
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            // A Wayland client cannot read the screen: the window as it paints itself there, and
            // the compositor's own screenshot for a person to look at, which must show it.
            shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shot.size(), QSize(465, 414) * ratio);
            const QImage seen = compositorScreenshot();
            QVERIFY(!seen.isNull());
            seen.save(QStringLiteral("zantrel-screenshot-%1-compositor.png").arg(name));
            QVERIFY(pixelsOf(seen, background) >= pixelsOf(shot, background) * 9 / 10);
        } else {
            shot = window.screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
            origin = window.mapToGlobal(QPoint(0, 0)) * ratio;
            // The window covers exactly 465 x 414 logical pixels of the black root window.
            const QColor root(0, 0, 0);
            const QPoint lastPixel = origin + QPoint(465, 414) * ratio - QPoint(1, 1);
            QCOMPARE(shot.pixelColor(origin), background);
            QCOMPARE(shot.pixelColor(lastPixel), background);
            QCOMPARE(shot.pixelColor(lastPixel + QPoint(1, 0)), root);
            QCOMPARE(shot.pixelColor(lastPixel + QPoint(0, 1)), root);
        }
        shot.save(QStringLiteral("zantrel-screenshot-%1.png").arg(name));

        expectColour(2, 200, background, "window");
        expectColour(300, 190, background, "window between the frame and the button");
        expectColour(2, 410, background, "window left of the information box");

        const QColor label(255, 192, 128);
        expectColour(57, 1, label, "heading");
        expectColour(399, 23, label, "heading");
        expectColour(161, 33, label, "formula label");
        expectColour(279, 55, label, "formula label");
        QVERIFY(darkPixels(QRect(56, 0, 345, 25)) > 300);
        QVERIFY(darkPixels(QRect(160, 32, 121, 25)) > 80);

        const QColor optionBackground(128, 255, 255);
        for (int index = 0; index < 9; ++index) {
            expectColour(279, 56 + 20 * index + 10, optionBackground, "option");
            QVERIFY(darkPixels(QRect(176, 56 + 20 * index, 100, 20)) > 40);
        }

        const QColor face(255, 128, 128);
        expectColour(310, 214, face, "button face");
        expectColour(420, 228, face, "button face");
        QVERIFY(at(304, 208).lightness() > at(424, 232).lightness()); // raised bevel
        QVERIFY(darkPixels(QRect(304, 208, 121, 25)) > 60);

        QVERIFY(darkPixels(QRect(8, 240, 449, 41)) > 150);   // the expression
        QVERIFY(darkPixels(QRect(8, 288, 430, 121)) > 2000); // the description

        // The face the program carries (Times New Roman's metrics), whatever fonts the machine
        // has, with every Cyrillic letter shown.
        const QFontInfo info(window.font());
        QVERIFY2(info.family() == QLatin1String("Zantrel Serif"), qPrintable(info.family()));
        QCOMPARE(info.pixelSize(), 16);
        const QFontMetrics metrics(window.font());
        const QString texts =
            QString::fromUtf8(WindowForm::description.data(),
                              qsizetype(WindowForm::description.size())) +
            QString::fromUtf8(WindowForm::title.data(), qsizetype(WindowForm::title.size())) +
            QStringLiteral("Чисти Правилно! Сравнете с Формула");
        for (const char32_t letter : texts.toUcs4()) {
            if (letter >= 0x400 && letter <= 0x4FF) {
                QVERIFY2(metrics.inFontUcs4(letter),
                         qPrintable(QStringLiteral("U+%1").arg(uint(letter), 4, 16)));
            }
        }
    }

    // Every control that takes focus shows it, more than a text cursor does: with the focus, at
    // least a sixth of its outline's length in pixels differs from its look without focus by a
    // contrast of 3:1 or more (WCAG's measure for focus indicators), at any scale. (A text cursor
    // is one line of text high; Fusion's own mark on the cyan options reaches 3:1 in fewer.)
    void showsWhereTheFocusIs()
    {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            QSKIP("a headless compositor has no keyboard to give a control the focus");
        }
        Zantrel::styleApplication();
        ReplayableRandom random(testSeed("screenshot_test", 20261210));
        Zantrel window(random);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (QWidget *focused = QApplication::focusWidget()) {
            focused->clearFocus();
        }
        QTest::qWait(50);
        const QImage unfocused = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal scale = window.devicePixelRatio();
        const QStringList names{QStringLiteral("Text1_0"), QStringLiteral("Option1_0"),
                                QStringLiteral("Command1"), QStringLiteral("Text2")};
        for (const QString &name : names) {
            auto *control = window.findChild<QWidget *>(name);
            QVERIFY(control != nullptr);
            QTest::keyClick(&window, Qt::Key_Tab); // a keyboard user's focus
            control->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(control->hasFocus());
            QTest::qWait(50);
            const QImage focused = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect area(control->mapTo(&window, QPoint(0, 0)) - QPoint(3, 3),
                             control->size() + QSize(6, 6));
            const QRect device((QRectF(area).topLeft() * scale).toPoint(),
                               (QSizeF(area.size()) * scale).toSize());
            int marked = 0;
            for (int y = device.top(); y <= device.bottom(); ++y) {
                for (int x = device.left(); x <= device.right(); ++x) {
                    marked += contrastRatio(rgbOf(focused.pixelColor(x, y)),
                                            rgbOf(unfocused.pixelColor(x, y))) >= 3.0;
                }
            }
            const int needed = qRound((control->width() + control->height()) * scale / 3);
            focused.save(QStringLiteral("zantrel-focus-%1-%2.png").arg(name).arg(scale));
            QVERIFY2(marked >= needed,
                     qPrintable(QStringLiteral("%1: %2 pixels mark the focus, %3 needed")
                                    .arg(name)
                                    .arg(marked)
                                    .arg(needed)));
        }
    }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
