// SPDX-License-Identifier: MIT
// The web page's side of the drill: the page is the exercise controller's view, as the desktop
// window is. The page calls the exported handlers on its events (Form_Load once the page and this
// module are ready, Command1_Click on "Чисти", Option1_Click on a chosen option, and asks
// Option1_KeyDown what a key on an option does); the view writes
// what the exercise says into the page through the few functions of page.js, one for each thing
// it shows. The page's markup, fixed texts and names are written from the window's form at build
// time. The pools are plain vectors; the random source is seeded from the clock once per
// page load. An error inside a handler shows its report in the page and stops the drill.
#include "clock_random.h"
#include "exercise_controller.h"
#include "keyboard.h"
#include "plain_pools_view.h"
#include "shown_text.h"
#include "spoken_expression.h"
#include "window_form.h"

#include <emscripten.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

// clang-format off
// The page's functions (page.js), each for one thing the exercise shows.
EM_JS(void, pageShowFeedback, (const char *text, int length, const char *spoken, int spokenLength), {
    ZantrelPage.showFeedback(UTF8ToString(text, length), UTF8ToString(spoken, spokenLength));
});
EM_JS(void, pageAnnounce, (const char *message, int length), {
    ZantrelPage.announce(UTF8ToString(message, length));
});
EM_JS(void, pageShowExpression, (const char *text, int length, const char *spoken, int spokenLength), {
    ZantrelPage.showExpression(UTF8ToString(text, length), UTF8ToString(spoken, spokenLength));
});
EM_JS(void, pageDeselect, (int index), {
    ZantrelPage.deselect(index);
});
EM_JS(void, pageStop, (const char *report, int length), {
    ZantrelPage.stop(UTF8ToString(report, length));
});
// clang-format on

namespace {

class WebView final : public PlainPoolsView {
public:
    void setFeedbackText(std::string_view text) override
    {
        const std::string shown = shownText(text);
        feedback = spokenText(shown);
        pageShowFeedback(shown.data(), static_cast<int>(shown.size()), feedback.data(),
                         static_cast<int>(feedback.size()));
    }

    void setExpressionText(std::string text) override
    {
        expression = std::move(text);
        const std::string spoken = spokenExpression(expression);
        pageShowExpression(expression.data(), static_cast<int>(expression.size()), spoken.data(),
                           static_cast<int>(spoken.size()));
    }

    void deselectOption(int index) override { pageDeselect(index); }

    // What screen readers say at once: the answer after a choice, a new exercise after "Чисти".
    void announceAnswer() const { announce(feedback); }
    void announceNewExercise() const { announce(WindowForm::newExerciseSpoken(expression)); }

private:
    static void announce(const std::string &message)
    {
        pageAnnounce(message.data(), static_cast<int>(message.size()));
    }

    std::string feedback;
    std::string expression;
};

struct Drill {
    ClockRandom random;
    WebView view;
    ExerciseController controller{view, random};
    bool stopped = false;
};

Drill &drill()
{
    static Drill instance;
    return instance;
}

template <typename Handler> void run(Handler handler)
{
    Drill &d = drill();
    if (d.stopped) {
        return;
    }
    try {
        handler(d.controller);
    } catch (const std::exception &error) {
        d.stopped = true;
        const std::string report = errorReport(error.what());
        pageStop(report.data(), static_cast<int>(report.size()));
    }
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void Form_Load()
{
    run([](ExerciseController &controller) { controller.Form_Load(); });
}

EMSCRIPTEN_KEEPALIVE void Command1_Click()
{
    run([](ExerciseController &controller) { controller.Command1_Click(); });
    if (!drill().stopped) {
        drill().view.announceNewExercise();
    }
}

EMSCRIPTEN_KEEPALIVE void Option1_Click(int Index)
{
    run([Index](ExerciseController &controller) {
        controller.Option1_Click(static_cast<std::int16_t>(Index));
    });
    // A stopped drill says only its report, which the page shows as an alert.
    if (!drill().stopped) {
        drill().view.announceAnswer();
    }
}

// What a key pressed on the option Option1(Index) does, by the window's keys (keyboard.h): the
// index of the option to choose, -1 for a key that does nothing, -2 for one the browser handles.
// `keyCode` is the DOM's, which is Windows' virtual-key code (9 Tab, 32 Space, 37 to 40 the
// arrows). Tab stays the browser's: the page's tab order is the form's already, and Tab must be
// able to leave the page.
EMSCRIPTEN_KEEPALIVE int Option1_KeyDown(int Index, int keyCode, bool shift, bool control, bool alt,
                                         bool meta)
{
    const WindowForm::Control *option = WindowForm::option(Index);
    if (option == nullptr) {
        return -2;
    }
    const WindowForm::KeyAction action =
        WindowForm::keyAction(*option, WindowForm::keyOfCode(keyCode),
                              {.shift = shift, .control = control, .alt = alt, .meta = meta}, -1);
    switch (action.kind) {
    case WindowForm::KeyAction::Kind::Choose:
        return action.target->index;
    case WindowForm::KeyAction::Kind::Ignore:
        return -1;
    case WindowForm::KeyAction::Kind::Pass:
    case WindowForm::KeyAction::Kind::Focus:
        break;
    }
    return -2;
}

} // extern "C"
