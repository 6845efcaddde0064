// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform, driven as a learner drives it: mouse clicks on the
// option indicators and the button, Tab, Space and arrow keys.
#include "expression_builder.h"
#include "expression_checker.h"
#include "form_places.h"
#include "formulas.h"
#include "indicator.h"
#include "sequence_random.h"
#include "test_seed.h"
#include "window_form.h"
#include "zantrel.h"

#include <QApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

QStringList items(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        texts << list->item(row)->text();
    }
    return texts;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SequenceRandom> random;
    std::unique_ptr<Zantrel> window;

    template <typename T> T *control(const char *name) const
    {
        auto *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }
    QRadioButton *option(int index) const
    {
        return control<QRadioButton>(
            QStringLiteral("Option1_%1").arg(index).toLatin1().constData());
    }
    QString feedback() const { return control<QPlainTextEdit>("Text1_0")->toPlainText(); }
    QString expression() const { return control<QLineEdit>("Text2")->text(); }
    int checkedOptions() const
    {
        int checked = 0;
        for (int index = 0; index < FormulaCount; ++index) {
            checked += option(index)->isChecked() ? 1 : 0;
        }
        return checked;
    }
    void clickOption(int index) const
    {
        QTest::mouseClick(option(index), Qt::LeftButton, {}, indicatorCentre(option(index)));
    }
    void verifyHiddenControls() const
    {
        QVERIFY(!control<QListWidget>("List1_0")->isVisible());
        QVERIFY(!control<QListWidget>("List1_1")->isVisible());
        QVERIFY(!control<QPlainTextEdit>("Text1_1")->isVisible());
    }

private slots:
    void initTestCase() { Zantrel::styleApplication(); }

    void init()
    {
        random = std::make_unique<SequenceRandom>(twoKnownExercises());
        window = std::make_unique<Zantrel>(*random);
    }

    void cleanup()
    {
        window.reset();
        random.reset();
    }

    void startsWithTheDescriptionAndTheFirstExercise()
    {
        // The first exercise is there before the window is first shown.
        QCOMPARE(expression(), QStringLiteral(" 216*e^3 +  324*e^2*a +  162*e*a^2 +  27*a^3"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        QCOMPARE(random->seedCount(), 1);
        // The icon's 16 and 32 pixel images, and the sizes a taskbar shows at scale 1 and 2.
        const QList<QSize> iconSizes = window->windowIcon().availableSizes();
        for (const int side : {16, 32, 48, 64, 128}) {
            QVERIFY2(iconSizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        }
        QCOMPARE(window->windowTitle(), QString::fromStdString(WindowForm::caption()));
        // The window and every control of the form in its place, shown or hidden as its row says.
        const PixelPlace client = pixelPlace(WindowForm::window());
        QCOMPARE(window->size(), QSize(client.right, client.bottom));
        for (const WindowForm::Control &row : WindowForm::controls()) {
            const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
            const auto *control = window->findChild<QWidget *>(name);
            QVERIFY2(control != nullptr, qPrintable(name));
            const PixelPlace place = pixelPlace(row);
            QCOMPARE(
                QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size()),
                QRect(place.left, place.top, place.right - place.left, place.bottom - place.top));
            QCOMPARE(control->isVisible(), row.shown);
        }
        const QString description = feedback();
        QVERIFY(!description.contains(QChar(u'\r')));
        QCOMPARE(description.count(QChar(u'\n')), 15);
        QVERIFY(description.startsWith(QStringLiteral("В основното образование често се срещат")));
        QVERIFY(
            description.endsWith(QStringLiteral("\n(a + b)^3\n(a - b)^3\na^3 + b^3\na^3 - b^3\n")));
        QCOMPARE(checkedOptions(), 0);
        for (int index = 0; index < FormulaCount; ++index) {
            QCOMPARE(option(index)->text(),
                     QString::fromUtf8(formulaCaptions[static_cast<std::size_t>(index)].data()));
            QVERIFY(option(index)->isVisible());
        }
        QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("Чисти"));
        verifyHiddenControls();
        QCOMPARE(
            control<QPlainTextEdit>("Text1_1")->toPlainText(),
            QStringLiteral("Неприятното в това да си първият, направил нещо по \n"
                           "правилния начин, е, че никой не оценява колко трудно е \nбило. \n"));
        // The pools are the items of the hidden list boxes: six left of each after the draws.
        QCOMPARE(items(control<QListWidget>("List1_0")),
                 QStringList({"2", "4", "5", "7", "8", "9"}));
        QCOMPARE(items(control<QListWidget>("List1_1")),
                 QStringList({"c", "d", "f", "g", "h", "i"}));
    }

    void wrongThenRightChoiceByMouse()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QString shown = expression();

        clickOption(6);
        QVERIFY(option(6)->isChecked());
        QCOMPARE(feedback(), QStringLiteral("Сравнете с (x + y)^3"));
        clickOption(0);
        QCOMPARE(feedback(), QStringLiteral("Сравнете с (x + y)^3"));
        clickOption(5);
        QCOMPARE(feedback(), QStringLiteral("Правилно!"));
        QVERIFY(option(5)->isChecked());
        QCOMPARE(checkedOptions(), 1);
        QCOMPARE(expression(), shown);
        verifyHiddenControls();
    }

    void newExerciseClearsFeedbackAndSelection()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        clickOption(3);
        QCOMPARE(checkedOptions(), 1);

        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);

        QCOMPARE(feedback(), QString());
        QCOMPARE(checkedOptions(), 0);
        QCOMPARE(expression(), QStringLiteral("( 5*a + b)*( 5*a - b)"));
        QCOMPARE(random->seedCount(), 1);
        QCOMPARE(items(control<QListWidget>("List1_0")),
                 QStringList({"3", "4", "6", "7", "8", "9"}));
        clickOption(8);
        QCOMPARE(feedback(), QStringLiteral("Сравнете с x^2 - y^2"));
        clickOption(2);
        QCOMPARE(feedback(), QStringLiteral("Правилно!"));
        verifyHiddenControls();
    }

    // Without the mouse, the window wired to the form's keys (which the form's test goes through
    // key by key): the focus starts in the feedback box, Tab reaches the options as one stop, an
    // arrow chooses and judges (wrapping round) unless a modifier is held, Space presses "Чисти".
    void keyboardOnlyExercise()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto *command1 = control<QPushButton>("Command1");
        auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };

        QCOMPARE(QApplication::focusWidget(), control<QPlainTextEdit>("Text1_0"));
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option(0));
        QCOMPARE(checkedOptions(), 0);
        press(Qt::Key_Down);
        QVERIFY(option(1)->isChecked());
        QCOMPARE(QApplication::focusWidget(), option(1));
        QCOMPARE(feedback(), QStringLiteral("Сравнете с (x + y)^3"));
        press(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), option(1));
        QCOMPARE(checkedOptions(), 1);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), command1);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), option(1));

        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QCOMPARE(feedback(), QString());
        QCOMPARE(checkedOptions(), 0);
        QCOMPARE(expression(), QStringLiteral("( 5*a + b)*( 5*a - b)"));
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("Text2"));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option(0));
        press(Qt::Key_Up);
        QVERIFY(option(8)->isChecked());
        QCOMPARE(feedback(), QStringLiteral("Сравнете с x^2 - y^2"));
    }

    void everyNewExerciseIsValidAndJudgedByItsFormula()
    {
        ReplayableRandom random(testSeed("window_test", 4242));
        Zantrel learnerWindow(random);
        learnerWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&learnerWindow));
        auto *text2 = learnerWindow.findChild<QLineEdit *>(QStringLiteral("Text2"));
        auto *text1 = learnerWindow.findChild<QPlainTextEdit *>(QStringLiteral("Text1_0"));
        auto *command1 = learnerWindow.findChild<QPushButton *>(QStringLiteral("Command1"));
        for (int exercise = 0; exercise < 300; ++exercise) {
            QTest::mouseClick(command1, Qt::LeftButton);
            const QString shown = text2->text();
            const std::vector<int> formulas = matchingFormulas(shown.toStdString());
            const QByteArray where =
                QStringLiteral("exercise %1: %2").arg(exercise).arg(shown).toUtf8();
            QVERIFY2(formulas.size() == 1, where.constData());
            QVERIFY2(!shown.contains(QChar(u'i')), where.constData());
            auto *right = learnerWindow.findChild<QRadioButton *>(
                QStringLiteral("Option1_%1").arg(formulas[0]));
            right->click();
            QCOMPARE(text1->toPlainText(), QStringLiteral("Правилно!"));
            QCOMPARE(learnerWindow.findChild<QListWidget *>(QStringLiteral("List1_0"))->count(), 6);
            QCOMPARE(learnerWindow.findChild<QListWidget *>(QStringLiteral("List1_1"))->count(), 6);
        }
    }

    // The Windows icon file holds the window's own pictures.
    void iconHasThreeSixteenColourImages()
    {
        QImageReader reader(QStringLiteral(ZANTREL_ICON_FILE));
        QCOMPARE(reader.imageCount(), 3);
        QList<QSize> sizes;
        for (int image = 0; image < reader.imageCount(); ++image) {
            QVERIFY(reader.jumpToImage(image));
            const QImage picture = reader.read();
            sizes << picture.size();
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    colours.insert(picture.pixel(x, y));
                }
            }
            QVERIFY(colours.size() > 2 && colours.size() <= 16);
            // The window shows the same picture, pixel for pixel.
            const QImage shown = window->windowIcon().pixmap(picture.size()).toImage();
            QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                     picture.convertToFormat(QImage::Format_RGB32));
        }
        QCOMPARE(sizes, QList<QSize>({QSize(48, 48), QSize(32, 32), QSize(16, 16)}));
    }

    // An error inside a handler (here a draw outside its pool, from a broken random source) is
    // reported, not thrown through the event loop; during start-up it leaves the constructor.
    void errorsAreReportedNotThrownThroughTheEventLoop()
    {
        SequenceRandom broken(firstKnownExercise({-0.5F}));
        Zantrel brokenWindow(broken);
        QSignalSpy failures(&brokenWindow, &Zantrel::failed);
        brokenWindow.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.first().first().toString(), QStringLiteral("pool position out of range"));

        SequenceRandom brokenAtStart({-0.5F});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, Zantrel{brokenAtStart});
    }

    // The longest texts (large numbers, the widest letters) fit in the expression box unscrolled.
    void everyExpressionFitsItsBox()
    {
        window->show();
        auto *text2 = control<QLineEdit>("Text2");
        const QFontMetrics metrics(text2->font());
        const int room = text2->width() - 12; // frame, inner margins and the cursor
        int widest = 0;
        Draws draws;
        draws.x = "h";
        draws.y = "g";
        draws.z = "d";
        for (int a = 1; a <= 8; ++a) {
            for (int b = 1; b <= 8; ++b) {
                for (int c = 1; c <= 8; ++c) {
                    draws.a = a;
                    draws.b = static_cast<std::int16_t>(b);
                    draws.c = static_cast<std::int16_t>(c);
                    for (std::int16_t index = 0; index < FormulaCount; ++index) {
                        draws.formulaIndex = index;
                        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(
                                                      buildExpression(draws))));
                    }
                }
            }
        }
        QVERIFY2(widest <= room,
                 qPrintable(QStringLiteral("widest text %1 px, room %2 px").arg(widest).arg(room)));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
