// SPDX-License-Identifier: MIT
// The web page's side of the drill: the page is the exercise controller's view, as the desktop
// window is. The page calls the exported handlers on its events (Form_Load once the page and this
// module are ready, Command1_Click on "Чисти", Option1_Click on a chosen option); the view writes
// what the exercise says into the page through the few functions of page.js. The pools are plain
// vectors; the random source is seeded from the clock once per page load. An error inside a
// handler shows its report in the page and stops the drill.
#include "clock_random.h"
#include "exercise_controller.h"
#include "exercise_view.h"
#include "spoken_expression.h"
#include "window_form.h"

#include <emscripten.h>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

// clang-format off
// What of a control: its text, its accessible name or its accessible description.
EM_JS(void, pageSet, (const char *id, const char *what, const char *text, int length), {
    ZantrelPage.set(UTF8ToString(id), UTF8ToString(what), UTF8ToString(text, length));
});
EM_JS(void, pageDeselect, (int index), {
    ZantrelPage.deselect(index);
});
EM_JS(void, pageStop, (const char *text, int length), {
    ZantrelPage.stop(UTF8ToString(text, length));
});
// clang-format on

namespace {

// The page's id of a control: the name of its row.
std::string pageId(WindowForm::Kind kind, int index = WindowForm::single)
{
    return std::string(WindowForm::control(kind, index).name);
}

void setText(const char *id, std::string_view text)
{
    pageSet(id, "text", text.data(), static_cast<int>(text.size()));
}

void setName(const char *id, std::string_view name)
{
    pageSet(id, "name", name.data(), static_cast<int>(name.size()));
}

void setDescription(const char *id, std::string_view description)
{
    pageSet(id, "description", description.data(), static_cast<int>(description.size()));
}

class WebView final : public ExerciseView {
public:
    void setFeedbackText(std::string_view text) override
    {
        setText(pageId(WindowForm::Kind::InfoBox, WindowForm::feedbackBox).c_str(),
                WindowForm::shownText(text));
    }

    void setExpressionText(std::string text) override
    {
        const std::string expressionBox = pageId(WindowForm::Kind::TextBox);
        setDescription(expressionBox.c_str(), spokenExpression(text));
        setText(expressionBox.c_str(), text);
    }

    void deselectOption(int index) override { pageDeselect(index); }
};

// The window's fixed texts and accessible names, written into the page before the first exercise.
// A control whose accessible name is its text is named by its text alone.
void showFixedTexts()
{
    setText("title", WindowForm::window().text);
    for (const WindowForm::Control &row : WindowForm::controls()) {
        if (!row.shown) {
            continue; // the hidden list boxes and text box are not on the page
        }
        const std::string id(row.name);
        if (!row.text.empty()) {
            setText(id.c_str(), WindowForm::shownText(row.text));
        }
        if (!row.accessibleName.empty() && row.accessibleName != row.text) {
            setName(id.c_str(), row.accessibleName);
        }
        if (!row.accessibleDescription.empty()) {
            setDescription(id.c_str(), row.accessibleDescription);
        }
    }
}

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
        const std::string report = WindowForm::errorReport(error.what());
        pageStop(report.data(), static_cast<int>(report.size()));
    }
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void Form_Load()
{
    showFixedTexts();
    run([](ExerciseController &controller) { controller.Form_Load(); });
}

EMSCRIPTEN_KEEPALIVE void Command1_Click()
{
    run([](ExerciseController &controller) { controller.Command1_Click(); });
}

EMSCRIPTEN_KEEPALIVE void Option1_Click(int Index)
{
    run([Index](ExerciseController &controller) {
        controller.Option1_Click(static_cast<std::int16_t>(Index));
    });
}

} // extern "C"
