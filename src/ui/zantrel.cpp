// SPDX-License-Identifier: MIT
#include "zantrel.h"

#include "focus_style.h"
#include "graphical_button.h"
#include "keyboard.h"
#include "qt_keys.h"
#include "shown_text.h"
#include "spoken_controls.h"
#include "spoken_expression.h"
#include "window_form.h"
#include "window_look.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyleFactory>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "zantrel-128.xpm"
#include "zantrel-16.xpm"
#include "zantrel-32.xpm"
#include "zantrel-48.xpm"
#include "zantrel-64.xpm"

namespace {

QRect pixelRect(const WindowForm::Twips &place)
{
    return {WindowForm::pixels(place.left), WindowForm::pixels(place.top),
            WindowForm::pixels(place.width), WindowForm::pixels(place.height)};
}

QString utf8ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QPlainTextEdit *infoBox(const WindowForm::Control &row, QWidget *parent)
{
    auto *box = new QPlainTextEdit(utf8ToQString(shownText(row.text)), parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    return box;
}

QLabel *titleLabel(const WindowForm::Control &row, QWidget *parent)
{
    auto *label = new QLabel(utf8ToQString(row.text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QFont Zantrel::windowFont()
{
    return formFont(WindowForm::window().font);
}

void Zantrel::styleApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(windowFont());
}

void Zantrel::reportError(const QString &message)
{
    const QString report = QString::fromStdString(errorReport(message.toStdString()));
    std::fprintf(stderr, "zantrel: %s\n", qPrintable(report));
    QMessageBox::critical(nullptr, QStringLiteral("zantrel"), report);
}

Zantrel::Zantrel(RandomSource &random, QWidget *parent)
    : QWidget(parent), announcer(this), controller(*this, random)
{
    const WindowForm::Control &form = WindowForm::window();
    setObjectName(utf8ToQString(form.name));
    setWindowTitle(utf8ToQString(form.text));
    setAccessibleName(utf8ToQString(form.accessibleName));
    // The icon's images are compiled in, showing them needs no image plugin: 16 and 32 pixels, and
    // the larger ones that taskbars and docks show at scale 1 and 2.
    QIcon icon;
    for (const char *const *image : {&zantrel_16_xpm[0], &zantrel_32_xpm[0], &zantrel_48_xpm[0],
                                     &zantrel_64_xpm[0], &zantrel_128_xpm[0]}) {
        icon.addPixmap(QPixmap(image));
    }
    setWindowIcon(icon);
    setFixedSize(pixelRect(form.place).size());
    setPalette(windowPalette());
    setAutoFillBackground(true);
    setFont(windowFont());

    createControls();
    controller.Form_Load();
}

QWidget *Zantrel::createControl(const WindowForm::Control &row)
{
    using WindowForm::Kind;
    switch (row.kind) {
    case Kind::ListBox: {
        // A pool's items, as the window stores them before the first exercise refills it.
        auto *list = new QListWidget(this);
        for (const char item : row.text) {
            list->addItem(QString(QChar(item)));
            list->item(list->count() - 1)->setData(Qt::UserRole, 0);
        }
        List1.at(static_cast<std::size_t>(row.index)) = list;
        return list;
    }
    case Kind::TextBox:
        Text2 = new QLineEdit(this);
        Text2->setReadOnly(true);
        SpokenControls::markReadInWords(Text2);
        return Text2;
    case Kind::Button:
        Command1 =
            new GraphicalButton(utf8ToQString(row.text),
                                colour(row.background.value_or(WindowForm::buttonColour)), this);
        Command1->setAutoDefault(false);
        connect(Command1, &QPushButton::clicked, this, [this] {
            run([this] { controller.Command1_Click(); });
            announcer.announce(
                utf8ToQString(WindowForm::newExerciseSpoken(Text2->text().toStdString())));
        });
        return Command1;
    case Kind::Frame:
        Frame1 = new QFrame(this);
        Frame1->setFrameShape(QFrame::NoFrame);
        SpokenControls::markGroup(Frame1);
        return Frame1;
    case Kind::Option:
        return createOption(row);
    case Kind::InfoBox: {
        QPlainTextEdit *box = infoBox(row, this);
        SpokenControls::markReadInWords(box);
        Text1.at(static_cast<std::size_t>(row.index)) = box;
        return box;
    }
    case Kind::Label:
        return titleLabel(row, this);
    case Kind::Window:
        break;
    }
    throw std::logic_error("no widget for control " + std::string(row.name));
}

QRadioButton *Zantrel::createOption(const WindowForm::Control &row)
{
    const int index = row.index;
    auto *option = new QRadioButton(utf8ToQString(row.text), Frame1);
    // Selected by mouse, keyboard or a screen reader's toggle action, an option is judged;
    // deselecting it raises nothing. Selecting the selected option again changes nothing.
    connect(option, &QAbstractButton::toggled, this, [this, index](bool checked) {
        if (checked) {
            run([this, index] { controller.Option1_Click(static_cast<std::int16_t>(index)); });
            // Spoken after every choice, the same answer again too, in words.
            announcer.announce(utf8ToQString(
                spokenText(Text1.at(WindowForm::feedbackBox)->toPlainText().toStdString())));
        }
        updateOptionTabStops();
    });
    Option1.at(static_cast<std::size_t>(index)) = option;
    return option;
}

void Zantrel::createControls()
{
    // Created in the order the window stores them; later controls lie on top of earlier ones.
    const auto &rows = WindowForm::controls();
    for (std::size_t at = 0; at < rows.size(); ++at) {
        const WindowForm::Control &row = rows.at(at);
        QWidget *control = createControl(row);
        widgets.at(at) = control;
        control->setObjectName(utf8ToQString(row.name));
        control->setGeometry(pixelRect(row.place));
        control->setVisible(row.shown);
        control->setFont(formFont(row.font));
        paintColours(control, row);
        if (!row.accessibleName.empty()) {
            control->setAccessibleName(utf8ToQString(row.accessibleName));
        }
        if (!row.accessibleDescription.empty()) {
            control->setAccessibleDescription(utf8ToQString(row.accessibleDescription));
        }
    }
    numbers.keepIn(List1.at(WindowForm::numberList));
    letters.keepIn(List1.at(WindowForm::letterList));

    // Screen readers list the options in stacking order: top to bottom, as they are shown.
    for (QRadioButton *option : Option1) {
        option->raise();
    }
    // The frame reaches one pixel into the expression box: keep the box's border on top.
    Text2->raise();

    // The controls that take focus show it plainly on the window's colours.
    auto *focusStyle = new FocusStyle;
    focusStyle->setParent(this);
    for (QWidget *control :
         std::initializer_list<QWidget *>{Text1.at(WindowForm::feedbackBox), Text2}) {
        control->setStyle(focusStyle);
    }
    for (QRadioButton *option : Option1) {
        option->setStyle(focusStyle);
    }

    // The form's tab order, which also gives the window its first focus, and the form's keys
    // (keyboard.h) on every control that takes the focus; the options take it from Tab only at
    // the chosen one (updateOptionTabStops).
    QWidget *previous = nullptr;
    for (const WindowForm::Control *row : WindowForm::tabOrder()) {
        QWidget *next = widgets.at(static_cast<std::size_t>(row - rows.data()));
        next->installEventFilter(this);
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
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
    const auto stop = static_cast<std::size_t>(std::max(chosenOption(), 0));
    for (std::size_t index = 0; index < Option1.size(); ++index) {
        Option1.at(index)->setFocusPolicy(index == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

int Zantrel::chosenOption() const
{
    const auto checked =
        std::find_if(Option1.begin(), Option1.end(),
                     [](const QRadioButton *option) { return option->isChecked(); });
    return checked != Option1.end() ? static_cast<int>(std::distance(Option1.begin(), checked))
                                    : -1;
}

bool Zantrel::eventFilter(QObject *watched, QEvent *event)
{
    const auto *key =
        event->type() == QEvent::KeyPress ? dynamic_cast<QKeyEvent *>(event) : nullptr;
    const auto control = std::find(widgets.begin(), widgets.end(), watched);
    if (key == nullptr || control == widgets.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const auto position = static_cast<std::size_t>(std::distance(widgets.begin(), control));
    const WindowForm::KeyAction action = WindowForm::keyAction(
        WindowForm::controls().at(position), formKey(*key), formModifiers(*key), chosenOption());
    const auto target = [this](const WindowForm::Control &row) {
        return widgets.at(static_cast<std::size_t>(&row - WindowForm::controls().data()));
    };
    switch (action.kind) {
    case WindowForm::KeyAction::Kind::Pass:
        return QWidget::eventFilter(watched, event);
    case WindowForm::KeyAction::Kind::Ignore:
        return true;
    case WindowForm::KeyAction::Kind::Focus:
        target(*action.target)
            ->setFocus(formModifiers(*key).shift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    case WindowForm::KeyAction::Kind::Choose: {
        QRadioButton *next = Option1.at(static_cast<std::size_t>(action.target->index));
        next->setFocus(Qt::TabFocusReason);
        next->click();
        return true;
    }
    }
    return true;
}

void Zantrel::setFeedbackText(std::string_view feedback)
{
    Text1.at(WindowForm::feedbackBox)->setPlainText(utf8ToQString(shownText(feedback)));
}

void Zantrel::setExpressionText(std::string expression)
{
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
