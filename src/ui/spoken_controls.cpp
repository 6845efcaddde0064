// SPDX-License-Identifier: MIT
#include "spoken_controls.h"

#include "spoken_expression.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>

namespace {

// The dynamic property that marks a control, and its two values.
constexpr const char *markProperty = "zantrelSpoken";
constexpr int groupMark = 1;
constexpr int wordsMark = 2;
constexpr int statusBarMark = 3;
constexpr int notificationMark = 4;

// Where a line of a text starts, and how long it is, counted in lines from 0.
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
};

Line lineOf(const QString &text, qsizetype number)
{
    qsizetype start = 0;
    for (qsizetype n = 0; n < number; ++n) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) {
            break;
        }
        start = end + 1;
    }
    const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    return {start, (end < 0 ? text.size() : end) - start};
}

class SpokenTextBox final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SpokenTextBox(QWidget *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface *>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        state.multiLine = qobject_cast<QPlainTextEdit *>(widget()) != nullptr;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? spoken() : QAccessibleWidget::text(kind);
    }

    // The spoken text has no selection of its own: the box's, of the shown text, would not match.
    void selection(int /*selectionIndex*/, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}

    // The caret stands on the same line of the spoken text as of the shown one, as far in as that
    // line allows: the screen reader reads the line the learner moved to.
    int cursorPosition() const override
    {
        const QString shownText = shown();
        const qsizetype caret = std::clamp<qsizetype>(shownCaret(), 0, shownText.size());
        const qsizetype number = shownText.left(caret).count(QLatin1Char('\n'));
        const qsizetype column = caret - lineOf(shownText, number).start;
        const Line line = lineOf(spoken(), number);
        return static_cast<int>(line.start + std::min(column, line.length));
    }
    void setCursorPosition(int /*position*/) override {}

    QString text(int startOffset, int endOffset) const override
    {
        return spoken().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(spoken().size()); }

    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint & /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    QString attributes(int /*offset*/, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString shown() const
    {
        if (const auto *line = qobject_cast<const QLineEdit *>(widget())) {
            return line->text();
        }
        if (const auto *box = qobject_cast<const QPlainTextEdit *>(widget())) {
            return box->toPlainText();
        }
        return {};
    }

    qsizetype shownCaret() const
    {
        if (const auto *line = qobject_cast<const QLineEdit *>(widget())) {
            return line->cursorPosition();
        }
        if (const auto *box = qobject_cast<const QPlainTextEdit *>(widget())) {
            return box->textCursor().position();
        }
        return 0;
    }

    QString spoken() const { return QString::fromStdString(spokenText(shown().toStdString())); }
};

QAccessibleInterface *spokenControl(const QString & /*className*/, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    switch (widget->property(markProperty).toInt()) {
    case groupMark:
        return new QAccessibleWidget(widget, QAccessible::List);
    case wordsMark:
        return new SpokenTextBox(widget);
    case statusBarMark:
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    case notificationMark:
        return new QAccessibleWidget(widget, QAccessible::Notification);
    default:
        return nullptr;
    }
}

void mark(QWidget *control, int how)
{
    static const bool installed = [] {
        QAccessible::installFactory(spokenControl);
        return true;
    }();
    static_cast<void>(installed);
    control->setProperty(markProperty, how);
    // An interface made before the mark (a control that told of a change as it was set up) goes.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
}

} // namespace

namespace SpokenControls {

void markGroup(QWidget *frame)
{
    mark(frame, groupMark);
}

void markReadInWords(QWidget *textBox)
{
    mark(textBox, wordsMark);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

Announcer::Announcer(QWidget *topLevel) : window(topLevel) {}

void Announcer::announce(const QString &message)
{
    QAccessibleAnnouncementEvent event(window, message);
    QAccessible::updateAccessibility(&event);
}

#else

Announcer::Announcer(QWidget *window)
{
    auto *statusBar = new QWidget(window);
    statusBar->setGeometry(0, 0, 0, 0);
    mark(statusBar, statusBarMark);
    notification = new QWidget(statusBar);
    notification->setGeometry(0, 0, 0, 0);
    mark(notification, notificationMark);
}

void Announcer::announce(const QString &message)
{
    // Told that it shows anew; it never really hides, which would cost the window work each time.
    notification->setAccessibleName(message);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#endif

} // namespace SpokenControls
