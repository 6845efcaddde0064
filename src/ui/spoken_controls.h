// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

class QString;
class QWidget;

// How screen readers meet the window, through Qt's own accessibility interfaces. The group of
// formulas is a list to the screen reader: older Qt calls a plain frame a window of its own, and
// the screen reader then drops the focus of the options inside it; as a panel it would say the
// group's name before every option the arrows reach. A read-only text box is read in words: its
// accessible text is the box's text as spokenText() says it, line for line, with the caret on the
// same line, and no selection, so that the expression and the formulas of the description are
// heard in words, once. Mark the controls before they are first shown.
// Marking a control drops any interface Qt has made for it already, so that the next is ours.
//
// Announcer speaks a message at once, wherever the focus is and whatever it was before: the
// answer after every choice, a new exercise after "Чисти". From Qt 6.8 on it is Qt's announcement.
// Before, it is a notification inside a status bar, both of no size in the window's corner, so
// nothing shows; each message becomes the notification's name, and the notification is said to show
// anew: a screen reader speaks a notification that shows (inside a status bar, without its role).
namespace SpokenControls {

void markGroup(QWidget *frame);
void markReadInWords(QWidget *textBox);

class Announcer {
public:
    // The window owns what it makes: an announcer is neither copied nor moved.
    explicit Announcer(QWidget *window);
    ~Announcer() = default;
    Announcer(const Announcer &) = delete;
    Announcer &operator=(const Announcer &) = delete;
    Announcer(Announcer &&) = delete;
    Announcer &operator=(Announcer &&) = delete;

    void announce(const QString &message);

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QWidget *window = nullptr;
#else
    QWidget *notification = nullptr;
#endif
};

} // namespace SpokenControls
