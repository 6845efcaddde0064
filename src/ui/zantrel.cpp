// SPDX-License-Identifier: MIT
#include "zantrel.h"

#include "focus_style.h"
#include "graphical_button.h"
#include "spoken_expression.h"
#include "window_texts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleFactory>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "zantrel-128.xpm"
#include "zantrel-16.xpm"
#include "zantrel-32.xpm"
#include "zantrel-48.xpm"
#include "zantrel-64.xpm"

namespace {

constexpr int twips(int value)
{
    return value / 15;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Text boxes show a line break as one; the stored texts end their lines with CR LF.
QString multiLineText(std::string_view utf8)
{
    return text(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

const QColor windowColour(192, 192, 255);
const QColor labelColour(255, 192, 128);
const QColor optionColour(128, 255, 255);
const QColor buttonColour(255, 128, 128);

// Every colour role set, so that a desktop colour scheme (a dark one, say) changes nothing.
QPalette windowPalette()
{
    QPalette palette(Qt::black, QColor(240, 240, 240), Qt::white, QColor(160, 160, 160),
                     QColor(200, 200, 200), Qt::black, Qt::white, Qt::white, windowColour);
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
    palette.setColor(QPalette::Link, Qt::blue);
    palette.setColor(QPalette::LinkVisited, QColor(128, 0, 128));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    }
    return palette;
}

void paintBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPlainTextEdit *infoBox(const QString &name, std::string_view content, QWidget *parent)
{
    auto *box = new QPlainTextEdit(multiLineText(content), parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    return box;
}

QLabel *titleLabel(const QString &name, std::string_view caption, QWidget *parent)
{
    auto *label = new QLabel(text(caption), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    paintBackground(label, labelColour);
    return label;
}

} // namespace

// Times New Roman 12 pt at 96 dpi, drawn with the face the program carries: Liberation Serif, which
// has the same metrics, cut down to the window's letters. It is the same on every machine, whatever
// fonts it has, and covers every letter the window shows, so no fallback fonts are merged.
QFont Zantrel::windowFont()
{
    static const QString family = [] {
        const int id =
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/zantrel-serif.ttf"));
        return QFontDatabase::applicationFontFamilies(id).value(0,
                                                                QStringLiteral("Times New Roman"));
    }();
    QFont font(family);
    font.setPixelSize(16);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void Zantrel::styleApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(windowFont());
}

Zantrel::Zantrel(RandomSource &random, QWidget *parent) : QWidget(parent), controller(*this, random)
{
    setObjectName(QStringLiteral("Zantrel"));
    setWindowTitle(text(WindowTexts::caption()));
    setAccessibleName(text(WindowTexts::title));
    // The icon's images are compiled in, showing them needs no image plugin: 16 and 32 pixels, and
    // the larger ones that taskbars and docks show at scale 1 and 2.
    QIcon icon;
    for (const char *const *image : {&zantrel_16_xpm[0], &zantrel_32_xpm[0], &zantrel_48_xpm[0],
                                     &zantrel_64_xpm[0], &zantrel_128_xpm[0]}) {
        icon.addPixmap(QPixmap(image));
    }
    setWindowIcon(icon);
    setFixedSize(twips(6975), twips(6210));
    setPalette(windowPalette());
    setAutoFillBackground(true);
    setFont(windowFont());

    createControls();
    controller.Form_Load();
}

void Zantrel::createControls()
{
    // Created in the order the window stores them; later controls lie on top of earlier ones.
    for (const int index : {1, 0}) {
        auto *list = new QListWidget(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(index));
        list->setVisible(false);
        List1[static_cast<std::size_t>(index)] = list;
    }
    List1[1]->setGeometry(twipsRect(4920, 1320, 855, 1770));
    List1[0]->setGeometry(twipsRect(4320, 720, 615, 1770));
    for (char digit = '1'; digit <= '9'; ++digit) {
        List1[0]->addItem(QString(QChar(digit)));
    }
    for (char letter = 'a'; letter <= 'j'; ++letter) {
        List1[1]->addItem(QString(QChar(letter)));
    }
    for (QListWidget *list : List1) {
        for (int row = 0; row < list->count(); ++row) {
            list->item(row)->setData(Qt::UserRole, 0);
        }
    }
    numberList.emplace(*List1[0]);
    letterList.emplace(*List1[1]);

    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(twipsRect(120, 3600, 6735, 615));
    Text2->setReadOnly(true);
    Text2->setAccessibleName(text(WindowTexts::expressionName));

    Command1 = new GraphicalButton(text(WindowTexts::newExercise), buttonColour, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(4560, 3120, 1815, 375));
    Command1->setAutoDefault(false);
    Command1->setAccessibleDescription(text(WindowTexts::newExerciseDescription));
    connect(Command1, &QPushButton::clicked, this,
            [this] { run([this] { controller.Command1_Click(); }); });

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(text(WindowTexts::formulasName));
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setGeometry(twipsRect(2400, 840, 1935, 2775));
    paintBackground(Frame1, windowColour);
    for (int index = FormulaCount - 1; index >= 0; --index) {
        auto *option =
            new QRadioButton(text(formulaCaptions[static_cast<std::size_t>(index)]), Frame1);
        option->setObjectName(QStringLiteral("Option1_%1").arg(index));
        option->setAccessibleName(
            text(WindowTexts::formulaPrefix) +
            text(spokenExpression(formulaCaptions[static_cast<std::size_t>(index)])));
        option->setGeometry(twipsRect(0, 300 * index, 1815, 300));
        paintBackground(option, optionColour);
        // Selected by mouse, keyboard or a screen reader's toggle action, an option is judged;
        // deselecting it raises nothing. Selecting the selected option again changes nothing.
        connect(option, &QAbstractButton::toggled, this, [this, option, index](bool checked) {
            if (checked) {
                run([this, index] { controller.Option1_Click(static_cast<std::int16_t>(index)); });
            }
            // A screen reader on the chosen option hears the answer with it.
            option->setAccessibleDescription(checked ? Text1[0]->toPlainText() : QString());
            updateOptionTabStops();
        });
        option->installEventFilter(this);
        Option1[static_cast<std::size_t>(index)] = option;
    }
    // Screen readers list the options in stacking order: top to bottom, as they are shown.
    for (QRadioButton *option : Option1) {
        option->raise();
    }
    // The frame reaches one pixel into the expression box: keep the box's border on top.
    Text2->raise();

    Text1[1] = infoBox(QStringLiteral("Text1_1"), WindowTexts::aphorism, this);
    Text1[1]->setGeometry(twipsRect(600, 4680, 6735, 1815));
    Text1[1]->setVisible(false);
    Text1[0] = infoBox(QStringLiteral("Text1_0"), WindowTexts::description, this);
    Text1[0]->setGeometry(twipsRect(120, 4320, 6735, 1815));
    Text1[0]->setAccessibleName(text(WindowTexts::feedbackName));

    Label1[1] = titleLabel(QStringLiteral("Label1_1"), WindowTexts::formulaLabel, this);
    Label1[1]->setGeometry(twipsRect(2400, 480, 1815, 375));
    Label1[0] = titleLabel(QStringLiteral("Label1_0"), WindowTexts::heading, this);
    Label1[0]->setGeometry(twipsRect(840, 0, 5175, 375));

    // The controls that take focus show it plainly on the window's colours.
    auto *focusStyle = new FocusStyle;
    focusStyle->setParent(this);
    for (QWidget *control : std::initializer_list<QWidget *>{Text1[0], Text2}) {
        control->setStyle(focusStyle);
    }
    for (QRadioButton *option : Option1) {
        option->setStyle(focusStyle);
    }

    // Tab order: the feedback box, the options, "Чисти", the expression box.
    QWidget *previous = Text1[0];
    for (QRadioButton *option : Option1) {
        setTabOrder(previous, option);
        previous = option;
    }
    setTabOrder(previous, Command1);
    setTabOrder(Command1, Text2);
    updateOptionTabStops();
}

template <typename Handler> void Zantrel::run(Handler handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        emit failed(QString::fromUtf8(error.what()));
    }
}

void Zantrel::updateOptionTabStops()
{
    const auto checked =
        std::find_if(Option1.begin(), Option1.end(),
                     [](const QRadioButton *option) { return option->isChecked(); });
    const QRadioButton *tabStop = checked != Option1.end() ? *checked : Option1[0];
    for (QRadioButton *option : Option1) {
        option->setFocusPolicy(option == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool Zantrel::eventFilter(QObject *watched, QEvent *event)
{
    const auto *key =
        event->type() == QEvent::KeyPress ? dynamic_cast<QKeyEvent *>(event) : nullptr;
    const auto current = std::find(Option1.begin(), Option1.end(), watched);
    if (key == nullptr || current == Option1.end() ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return QWidget::eventFilter(watched, event);
    }
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = FormulaCount - 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    const auto index = static_cast<std::size_t>(std::distance(Option1.begin(), current));
    QRadioButton *next = Option1[(index + static_cast<std::size_t>(step)) % Option1.size()];
    next->setFocus(Qt::TabFocusReason);
    next->click();
    return true;
}

void Zantrel::setFeedbackText(std::string_view feedback)
{
    const QString shown = multiLineText(feedback);
    Text1[0]->setPlainText(shown);
    // Announced to screen readers as a change of the box's description, besides the text change.
    Text1[0]->setAccessibleDescription(shown);
}

void Zantrel::setExpressionText(std::string expression)
{
    Text2->setAccessibleDescription(text(spokenExpression(expression)));
    Text2->setText(QString::fromStdString(expression));
    Text2->home(false); // should a text ever be wider than the box, its start stays in view
}

void Zantrel::deselectOption(int index)
{
    // An exclusive group refuses to uncheck its checked button; step outside the group to do it.
    QRadioButton *option = Option1.at(static_cast<std::size_t>(index));
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

std::string Zantrel::optionCaption(int index) const
{
    return Option1.at(static_cast<std::size_t>(index))->text().toStdString();
}

Pool &Zantrel::numberPool()
{
    if (!numberList) {
        throw std::logic_error("a pool was used before its list box was created");
    }
    return *numberList;
}

Pool &Zantrel::letterPool()
{
    if (!letterList) {
        throw std::logic_error("a pool was used before its list box was created");
    }
    return *letterList;
}
