// SPDX-License-Identifier: MIT
#pragma once

#include "exercise_controller.h"
#include "exercise_view.h"
#include "formulas.h"
#include "qt_list_box_pool.h"
#include "spoken_controls.h"
#include "window_form.h"

#include <QWidget>

#include <array>

class GraphicalButton;
class QFrame;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

// The program's one window. It owns the controls and an ExerciseController, and is the
// controller's view: the feedback box Text1(0), the expression box Text2, the option buttons
// Option1(0..8) and the pools, kept as the items of the hidden list boxes List1(0) (numbers) and
// List1(1) (letters). A click on an option (mouse, Space or arrow keys) goes to Option1_Click,
// "Чисти" to Command1_Click; an error inside a handler is reported through failed(). The first
// exercise is drawn while the window is built, before it is first shown (an error there leaves
// the constructor as an exception). Positions are given in twips, 15 to a pixel at 96 dpi. Tab and
// the arrow keys do what the form's keys say (keyboard.h): the options are one stop of Tab, and an
// arrow chooses and judges the previous or next one. The fonts and text colours come from the
// form's rows.
// Screen readers read the text boxes in words and hear every answer and each new exercise at once
// (spoken_controls.h).
class Zantrel final : public QWidget, public ExerciseView {
    Q_OBJECT

public:
    explicit Zantrel(RandomSource &random, QWidget *parent = nullptr);

    // The one font of the window and all its controls.
    static QFont windowFont();
    // The application's look for the window, whatever the desktop's: Fusion, with the window's
    // font as the application font, so that no second face is ever loaded. Before the window is
    // made.
    static void styleApplication();
    // Reports an error that stops the drill: on the console and in a message box.
    static void reportError(const QString &message);

    void setFeedbackText(std::string_view text) override;
    void setExpressionText(std::string text) override;
    void deselectOption(int index) override;
    std::string optionCaption(int index) const override;
    Pool &numberPool() override { return numbers; }
    Pool &letterPool() override { return letters; }

signals:
    // A handler stopped on an error (an arithmetic overflow, a position outside a pool): the
    // program reports it and ends, as the exercise cannot go on.
    void failed(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QWidget *createControl(const WindowForm::Control &row);
    QRadioButton *createOption(const WindowForm::Control &row);
    void updateOptionTabStops();
    int chosenOption() const; // -1 while none is
    template <typename Handler> void run(Handler handler);

    // Each row's control, by row position.
    std::array<QWidget *, WindowForm::controlCount> widgets{};
    std::array<QListWidget *, WindowForm::pairCount> List1{};
    QtListBoxPool numbers;
    QtListBoxPool letters;
    QLineEdit *Text2 = nullptr;
    GraphicalButton *Command1 = nullptr;
    QFrame *Frame1 = nullptr;
    std::array<QRadioButton *, FormulaCount> Option1{};
    std::array<QPlainTextEdit *, WindowForm::pairCount> Text1{};
    SpokenControls::Announcer announcer;

    ExerciseController controller;
};
