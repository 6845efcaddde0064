// SPDX-License-Identifier: MIT
// A long run of random learner events through the real window (offscreen platform): clicks on the
// options and on "Чисти", Space, arrow keys, Tab, typing, pasting, select-all and copy in both
// visible text boxes. After every event the window must still hold a sound exercise. The seed is
// printed; ZANTREL_TEST_SEED replays a run, ZANTREL_SOAK_EVENTS sets its length.
#include "expression_checker.h"
#include "formulas.h"
#include "indicator.h"
#include "test_seed.h"
#include "zantrel.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

long residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : -1;
}

std::uint64_t environmentNumber(const char *name, std::uint64_t fallback)
{
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

constexpr bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomEventsKeepTheExerciseSound()
    {
        Zantrel::styleApplication();
        const std::uint64_t seed = testSeed("soak_test", 20261209);
        const std::uint64_t events = environmentNumber("ZANTREL_SOAK_EVENTS", 100000);
        qInfo("soak: %llu events", static_cast<unsigned long long>(events));

        // The exercises and the events from the one seed.
        ReplayableRandom exerciseRandom(seed);
        Zantrel window(exerciseRandom);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        auto *text2 = window.findChild<QLineEdit *>(QStringLiteral("Text2"));
        auto *text1 = window.findChild<QPlainTextEdit *>(QStringLiteral("Text1_0"));
        auto *hidden = window.findChild<QPlainTextEdit *>(QStringLiteral("Text1_1"));
        auto *command1 = window.findChild<QPushButton *>(QStringLiteral("Command1"));
        auto *numbers = window.findChild<QListWidget *>(QStringLiteral("List1_0"));
        auto *letters = window.findChild<QListWidget *>(QStringLiteral("List1_1"));
        std::array<QRadioButton *, FormulaCount> options{};
        for (int index = 0; index < FormulaCount; ++index) {
            options[static_cast<std::size_t>(index)] =
                window.findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(index));
        }
        const std::array<QWidget *, 2> textBoxes{text2, text1};

        std::mt19937_64 engine(seed);
        auto pick = [&engine](std::uint64_t count) { return static_cast<int>(engine() % count); };
        const QString junk = QStringLiteral("xyz 123 ^*()+- Правилно! Сравнете с (x + y)^2 \t\r\n");

        QString shownExpression = text2->text();
        const std::vector<int> firstFormula = matchingFormulas(shownExpression.toStdString());
        QCOMPARE(firstFormula.size(), std::size_t{1});
        int rightFormula = firstFormula[0];
        // The description stays in the feedback box until the first answer or new exercise.
        const QString description = text1->toPlainText();
        bool descriptionShown = true;
        long memoryAfterWarmUp = 0;
        int exercises = 1;
        int praised = 0;
        QElapsedTimer timer;
        timer.start();

        for (std::uint64_t event = 0; event < events; ++event) {
            int clickedOption = -1;
            bool newExercise = false;
            QWidget *focus =
                QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window;
            switch (pick(11)) {
            case 0:
            case 1: { // an option, by its indicator or its caption
                clickedOption = pick(FormulaCount);
                QRadioButton *button = options[static_cast<std::size_t>(clickedOption)];
                QTest::mouseClick(button, Qt::LeftButton, {},
                                  pick(2) == 0 ? indicatorCentre(button) : button->rect().center());
                break;
            }
            case 2:
                QTest::mouseClick(command1, Qt::LeftButton);
                newExercise = true;
                break;
            case 3:
                newExercise = focus == command1;
                QTest::keyClick(focus, Qt::Key_Space);
                break;
            case 4: {
                const std::array<Qt::Key, 4> arrows{Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
                                                    Qt::Key_Right};
                QTest::keyClick(focus, arrows[static_cast<std::size_t>(pick(4))]);
                break;
            }
            case 5:
                QTest::keyClick(focus, Qt::Key_Tab,
                                pick(2) == 0 ? Qt::NoModifier : Qt::ShiftModifier);
                break;
            case 6: { // typing into a text box
                QWidget *box = textBoxes[static_cast<std::size_t>(pick(2))];
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20 + pick(200), 10 + pick(20)));
                for (const QChar letter : junk.mid(pick(junk.size()), 1 + pick(6))) {
                    const Qt::Key key = letter == u'\t'                        ? Qt::Key_Tab
                                        : (letter == u'\r' || letter == u'\n') ? Qt::Key_Return
                                                                               : Qt::Key_unknown;
                    QTest::sendKeyEvent(QTest::Click, box, key, QString(letter), Qt::NoModifier);
                }
                QTest::keyClick(box, pick(2) == 0 ? Qt::Key_Backspace : Qt::Key_Delete);
                break;
            }
            case 7: { // pasting what another program copied
                QApplication::clipboard()->setText(junk.mid(pick(junk.size())));
                QWidget *box = textBoxes[static_cast<std::size_t>(pick(2))];
                box->setFocus();
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                break;
            }
            case 8: { // select all and copy
                QWidget *box = textBoxes[static_cast<std::size_t>(pick(2))];
                box->setFocus();
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
                const QString boxText = box == text2 ? text2->text() : text1->toPlainText();
                if (!boxText.isEmpty()) { // copying an empty selection leaves the clipboard alone
                    QCOMPARE(QApplication::clipboard()->text(), boxText);
                }
                break;
            }
            case 9:
                QTest::keyClick(focus, Qt::Key_Return);
                break;
            default:
                QTest::keyClick(focus, Qt::Key_Home,
                                pick(2) == 0 ? Qt::NoModifier : Qt::ShiftModifier);
                break;
            }

            if (text2->text() != shownExpression) {
                shownExpression = text2->text();
                const std::vector<int> formulas = matchingFormulas(shownExpression.toStdString());
                QVERIFY2(formulas.size() == 1,
                         qPrintable(QStringLiteral("event %1: not an exercise: \"%2\"")
                                        .arg(event)
                                        .arg(shownExpression)));
                rightFormula = formulas[0];
                newExercise = true;
                ++exercises;
            }
            const QString rightCaption = options[static_cast<std::size_t>(rightFormula)]->text();
            const QString feedback = text1->toPlainText();
            descriptionShown = descriptionShown && feedback == description;
            praised += clickedOption == rightFormula ? 1 : 0;
            if (newExercise) {
                QCOMPARE(feedback, QString());
                QCOMPARE(numbers->count(), 6);
                QCOMPARE(letters->count(), 6);
            }
            if (clickedOption >= 0) {
                QCOMPARE(feedback, clickedOption == rightFormula
                                       ? QStringLiteral("Правилно!")
                                       : QStringLiteral("Сравнете с ") + rightCaption);
            }
            QVERIFY2(
                feedback.isEmpty() || feedback == QStringLiteral("Правилно!") ||
                    feedback == QStringLiteral("Сравнете с ") + rightCaption || descriptionShown,
                qPrintable(QStringLiteral("event %1: feedback \"%2\"").arg(event).arg(feedback)));
            int checked = 0;
            for (const QRadioButton *option : options) {
                checked += option->isChecked() ? 1 : 0;
            }
            QVERIFY(checked <= 1);
            QVERIFY(!numbers->isVisible() && !letters->isVisible() && !hidden->isVisible());
            if (event + 1 == 1000) {
                memoryAfterWarmUp = residentBytes();
            }
        }

        const double seconds = static_cast<double>(timer.elapsed()) / 1000.0;
        const long growth = residentBytes() - memoryAfterWarmUp;
        qInfo("soak: %llu events (%d exercises, %d right choices by mouse) in %.1f s; resident "
              "memory grew by %ld KiB after the first 1000",
              static_cast<unsigned long long>(events), exercises, praised, seconds, growth / 1024);
        if (!sanitized() && events >= 2000) {
            QVERIFY2(growth < 1024 * 1024,
                     qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
        }
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
