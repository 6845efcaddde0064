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
#include "formulas.h"
#include "spoken_expression.h"
#include "window_texts.h"

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

// Line breaks as the page shows them: the stored texts end their lines with CR LF.
std::string pageText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            shown += text[i];
        }
    }
    return shown;
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
    void setFeedbackText(std::string_view text) override { setText("Text1_0", pageText(text)); }

    void setExpressionText(std::string text) override
    {
        setDescription("Text2", spokenExpression(text));
        setText("Text2", text);
    }

    void deselectOption(int index) override { pageDeselect(index); }
};

// The window's fixed texts and accessible names, written into the page before the first exercise.
void showFixedTexts()
{
    setText("title", WindowTexts::caption());
    setText("Label1_0", WindowTexts::heading);
    setText("Label1_1", WindowTexts::formulaLabel);
    setText("Command1", WindowTexts::newExercise);
    setDescription("Command1", WindowTexts::newExerciseDescription);
    setText("Text1_0", pageText(WindowTexts::description));
    setName("Text1_0", WindowTexts::feedbackName);
    setName("Text2", WindowTexts::expressionName);
    setName("Frame1", WindowTexts::formulasName);
    for (int index = 0; index < FormulaCount; ++index) {
        const std::string_view caption = formulaCaptions.at(static_cast<std::size_t>(index));
        const std::string id = "Option1_" + std::string(1, static_cast<char>('0' + index));
        setText(id.c_str(), caption);
        setName(id.c_str(), std::string(WindowTexts::formulaPrefix) + spokenExpression(caption));
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
        const std::string report = std::string(WindowTexts::errorPrefix) + error.what();
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
