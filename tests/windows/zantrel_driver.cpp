// SPDX-License-Identifier: MIT
// Plays a session with the Windows edition through its controls' own messages from a second
// program in the same (Wine) session: controls, colours, the pools after each draw, both answers
// (judged by the tests' own polynomial checker), the keys (posted sharing the program's input
// state), what a screen reader reads and hears through Windows' accessibility proxies, and the
// contrast of the texts on the form's faces. --dark-colours first writes white-on-black system
// colours into the user's settings, which the program reads when it starts.
//
//     zantrel_driver.exe [--dpi N] [--dark-colours] PATH\TO\zantrel.exe
#include "contrast_ratio.h"
#include "expression_checker.h"
#include "spoken_expression.h"
#include "windows_checks.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> items(HWND list)
{
    std::vector<std::string> found;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (WPARAM item = 0; item < static_cast<WPARAM>(count); ++item) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, item, 0)) + 1,
                          L'\0');
        SendMessageW(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
        found.push_back(utf8(text.c_str()));
    }
    return found;
}

struct Window {
    HWND List1_0, List1_1, Text2, Command1, Frame1, Text1_0, Label1_1, Label1_0;
    std::array<HWND, 9> Option1;
};

struct Expected {
    std::string name;
    const wchar_t *className;
    RECT place; // left, top, right, bottom in the window's client area at 96 dpi
    bool shown;
    std::optional<std::wstring> text; // none: not checked here
};

// The form's rows, each made of the window class of its kind, with the texts that the buttons,
// options and labels show; and what the edition adds: hidden labels that name the text boxes for
// screen readers, and the announcer of the answers, of no size, so that nothing of them is painted.
std::vector<Expected> expectedControls()
{
    using WindowForm::Kind;
    // In Kind's order.
    const std::array<const wchar_t *, 8> classes{
        L"", L"ListBox", L"Edit", L"Button", L"ZantrelFrame", L"Button", L"Edit", L"Static"};
    std::vector<Expected> rows;
    for (const WindowForm::Control &row : WindowForm::controls()) {
        const bool shownText =
            row.kind == Kind::Button || row.kind == Kind::Option || row.kind == Kind::Label;
        rows.push_back({std::string(row.name), classes.at(static_cast<std::size_t>(row.kind)),
                        rectOf(pixelPlace(row)), row.shown,
                        shownText ? std::optional(wide(row.text)) : std::nullopt});
    }
    for (const char *named : {"Text2", "Text1_0"}) {
        rows.push_back({std::string(named) + "'s label",
                        L"Static",
                        {0, 0, 0, 0},
                        false,
                        wide(formRow(named).accessibleName)});
    }
    rows.push_back({"the announcer", L"Static", {0, 0, 0, 0}, true, L""});
    return rows;
}

// After each draw: three numbers and three letters are gone from the pools, the expression is
// one formula's, written with those numbers and letters. Returns the formula.
int checkDraw(const Window &window)
{
    const std::vector<std::string> numbers = items(window.List1_0);
    const std::vector<std::string> letters = items(window.List1_1);
    check(numbers.size() == 6 && letters.size() == 6, "six numbers and six letters left");
    std::vector<long long> drawnNumbers;
    std::string drawnLetters;
    for (char at = 0; at < 9; ++at) {
        auto drawn = [at](const std::vector<std::string> &pool, char first) {
            return std::find(pool.begin(), pool.end(), std::string(1, char(first + at))) ==
                   pool.end();
        };
        if (drawn(numbers, '1')) {
            drawnNumbers.push_back(at + 1);
        }
        if (drawn(letters, 'a')) {
            drawnLetters += char('a' + at);
        }
    }
    const std::string expression = utf8(textOf(window.Text2));
    const std::vector<int> formulas = matchingFormulas(expression);
    check(formulas.size() == 1, "one formula matches \"" + expression + "\"");
    if (formulas.size() != 1 || drawnNumbers.size() != 3 || drawnLetters.size() != 3) {
        return formulas.empty() ? 0 : formulas[0];
    }
    for (char letter : expression) {
        if (letter >= 'a' && letter <= 'z') {
            check(drawnLetters.find(letter) != std::string::npos,
                  std::string("letter ") + letter + " was drawn from the pool");
        }
    }
    // The expression is its formula at some order of the drawn numbers and letters.
    bool written = false;
    std::array<long long, 3> order{drawnNumbers[0], drawnNumbers[1], drawnNumbers[2]};
    std::sort(order.begin(), order.end());
    do {
        std::string letterOrder = drawnLetters;
        do {
            written = written || equalsFormula(expression, formulas[0], order, letterOrder);
        } while (std::next_permutation(letterOrder.begin(), letterOrder.end()));
    } while (std::next_permutation(order.begin(), order.end()));
    check(written, "\"" + expression + "\" is written with the drawn numbers and letters");
    return formulas[0];
}

template <typename Condition> void waitFor(Condition done)
{
    for (int wait = 0; wait < 500 && !done(); ++wait) {
        Sleep(20);
    }
}

// Posts a key to the control with the focus, Shift held in the shared input state if told, and
// waits until the program has handled it: then a new text limit posted to `marker` (an edit box of
// the program's) after the key is set. Its posted messages are taken in order; a message sent to
// it can be handled before a key posted earlier, so it cannot tell, and Shift must stay held until
// the key is taken.
HWND press(HWND marker, WPARAM key, bool shift = false)
{
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys.data());
    HWND focus = GetFocus();
    const auto limit = static_cast<WPARAM>(SendMessageW(marker, EM_GETLIMITTEXT, 0, 0));
    const WPARAM posted = limit > 1 ? limit - 1 : limit + 1;
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    PostMessageW(marker, EM_SETLIMITTEXT, posted, 0);
    waitFor([marker, posted] {
        return static_cast<WPARAM>(SendMessageW(marker, EM_GETLIMITTEXT, 0, 0)) == posted;
    });
    SendMessageW(marker, EM_SETLIMITTEXT, limit, 0);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys.data());
    return GetFocus();
}

HWND focusOf(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Another window is made active, then the program's again, as Alt+Tab away and back would.
HWND reactivate(HWND main, DWORD thread)
{
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 500, 500, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    auto programHasFocus = [main, thread] { return IsChild(main, focusOf(thread)) != FALSE; };
    waitFor([&] { return GetForegroundWindow() == other && !programHasFocus(); });
    check(GetForegroundWindow() == other && !programHasFocus(), "another window made active");
    SetForegroundWindow(main);
    waitFor([&] { return GetForegroundWindow() == main && programHasFocus(); });
    // Then until the program has handled its activation.
    SendMessageW(main, WM_NULL, 0, 0);
    DestroyWindow(other);
    return focusOf(thread);
}

// The options' accessible names: the formulas in words.
const wchar_t *const spokenNames[] = {
    L"Формула отваряща скоба x плюс y затваряща скоба на квадрат",
    L"Формула отваряща скоба x минус y затваряща скоба на квадрат",
    L"Формула x на квадрат минус y на квадрат",
    L"Формула отваряща скоба x плюс y плюс z затваряща скоба на квадрат",
    L"Формула отваряща скоба x плюс y минус z затваряща скоба на квадрат",
    L"Формула отваряща скоба x плюс y затваряща скоба на куб",
    L"Формула отваряща скоба x минус y затваряща скоба на куб",
    L"Формула x на куб плюс y на куб",
    L"Формула x на куб минус y на куб",
};

double contrast(COLORREF first, COLORREF second)
{
    auto colour = [](COLORREF c) {
        return WindowForm::Colour{GetRValue(c), GetGValue(c), GetBValue(c)};
    };
    return contrastRatio(colour(first), colour(second));
}

// Every text painted on the form's faces is readable: there is text (some dozens of pixels apart
// from the face), and its core, the pixel that stands out most, has a contrast of at least
// 4.5 : 1 with the face.
void checkFacesReadable(const ClientPixels &shot)
{
    std::pair<double, std::string> lowest{1e9, ""};
    for (const FaceText &text : faceTexts()) {
        const COLORREF face = shot.at96(text.face);
        COLORREF core = face;
        int textPixels = 0;
        for (const COLORREF seen : shot.in(text.text)) {
            textPixels += seen != face ? 1 : 0;
            core = contrast(seen, face) > contrast(core, face) ? seen : core;
        }
        const double ratio = contrast(core, face);
        const std::string name(text.row->name);
        lowest = std::min(lowest, {ratio, name});
        char shown[16];
        std::snprintf(shown, sizeof shown, "%.2f", ratio);
        check(textPixels >= 40 && ratio >= 4.5, name + ": text " + rgb(core) + " on " + rgb(face) +
                                                    ", contrast " + shown + " : 1, " +
                                                    std::to_string(textPixels) + " text pixels");
    }
    std::printf("texts on the faces: lowest contrast %.2f : 1 (%s)\n", lowest.first,
                lowest.second.c_str());
}

// The user's system colours, white text on black, which a program reads when it starts.
bool writeDarkColours()
{
    // Each name followed by its value.
    const std::array<const wchar_t *, 20> colours{
        L"Window",      L"0 0 0",       L"WindowText",   L"255 255 255",   L"ButtonFace",
        L"0 0 0",       L"ButtonText",  L"255 255 255",  L"ButtonHilight", L"255 255 255",
        L"ButtonLight", L"192 192 192", L"ButtonShadow", L"128 128 128",   L"ButtonDkShadow",
        L"64 64 64",    L"GrayText",    L"0 255 0",      L"Background",    L"0 0 0"};
    bool written = true;
    for (std::size_t at = 0; at < colours.size(); at += 2) {
        const auto bytes = static_cast<DWORD>((lstrlenW(colours.at(at + 1)) + 1) * sizeof(wchar_t));
        written =
            written && RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", colours.at(at),
                                       REG_SZ, colours.at(at + 1), bytes) == ERROR_SUCCESS;
    }
    return written;
}

// Switches High Contrast on where the system lets a program do it; false where it does not.
bool switchHighContrastOn()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    setting.dwFlags = HCF_HIGHCONTRASTON;
    if (SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof setting, &setting, SPIF_SENDCHANGE) ==
        FALSE) {
        std::printf("NOTE: SPI_SETHIGHCONTRAST fails here (error %lu): High Contrast is checked "
                    "in the window's own process instead (windows_window_test)\n",
                    GetLastError());
        return false;
    }
    HIGHCONTRASTW now{};
    now.cbSize = sizeof now;
    const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof now, &now, 0) != FALSE &&
                    (now.dwFlags & HCF_HIGHCONTRASTON) != 0;
    std::printf("%s\n", on ? "High Contrast switched on"
                           : "NOTE: SPI_SETHIGHCONTRAST is accepted but High Contrast stays off");
    return on;
}

// oleacc exports IID_IAccessible as data, which mingw-w64's import library links as code.
const IID accessibleInterface = __uuidof(IAccessible);

// An accessible object's name, or its description.
std::wstring textAndRelease(IAccessible *accessible, VARIANT id, bool description)
{
    BSTR text = nullptr;
    const HRESULT result = description ? accessible->get_accDescription(id, &text)
                                       : accessible->get_accName(id, &text);
    std::wstring found = SUCCEEDED(result) && text != nullptr ? std::wstring(text) : L"";
    SysFreeString(text);
    accessible->Release();
    return found;
}

// What a screen reader reads of a control through Windows' accessibility proxy: its name, or its
// description.
std::wstring accessibleText(HWND control, bool description)
{
    IAccessible *accessible = nullptr;
    if (const HRESULT made =
            AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                       accessibleInterface, reinterpret_cast<void **>(&accessible));
        FAILED(made)) {
        return L"(no accessible object: " + std::to_wstring(static_cast<unsigned long>(made)) +
               L")";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return textAndRelease(accessible, self, description);
}

std::vector<std::wstring> announcements;

void CALLBACK heard(HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible *accessible = nullptr;
    VARIANT id{};
    announcements.push_back(
        SUCCEEDED(AccessibleObjectFromEvent(control, static_cast<DWORD>(object),
                                            static_cast<DWORD>(child), &accessible, &id))
            ? textAndRelease(accessible, id, false)
            : L"(no accessible object)");
}

// The names of the objects that announced a live change since the last call, waiting up to
// `patience` milliseconds for the first (the hook's calls come through this thread's messages).
std::vector<std::wstring> takeAnnouncements(int patience)
{
    for (int waited = 0; waited <= patience && announcements.empty(); waited += 20) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    std::vector<std::wstring> taken;
    taken.swap(announcements);
    return taken;
}

void checkAnnounced(const std::wstring &answer, const std::string &what)
{
    const std::vector<std::wstring> names = takeAnnouncements(2000);
    check(names.size() == 1 && names[0] == answer,
          what + ": " + std::to_string(names.size()) + " announcements, the first named \"" +
              (names.empty() ? std::string() : utf8(names[0])) + "\"");
}

// The text boxes are named by the hidden label just above them in z-order (Windows' proxy looks no
// further than the control before a text box; Wine's looks further, so the place is checked here
// on its own), the other controls by their texts; the options by their formulas in words where
// Dynamic Annotation works, by their captions where not. Returns whether it works.
bool checkNames(const Window &window)
{
    const std::array<std::pair<HWND, const wchar_t *>, 6> named{
        {{window.Text2, L"Алгебричен израз"},
         {window.Text1_0, L"Пояснение и отговор"},
         {window.Command1, L"Чисти"},
         {window.Frame1, L"Формули"},
         {window.Label1_0, L"Математика - формули за съкратено умножение"},
         {window.Label1_1, L"Формула"}}};
    for (const auto &[control, name] : named) {
        if (control == window.Text2 || control == window.Text1_0) {
            HWND label = GetWindow(control, GW_HWNDPREV);
            check(label != nullptr && lstrcmpiW(classOf(label).c_str(), L"Static") == 0 &&
                      textOf(label) == name,
                  "a label \"" + utf8(name) + "\" just before its text box in z-order");
        }
        const std::wstring seen = accessibleText(control, false);
        check(seen == name,
              "accessible name \"" + utf8(seen) + "\", expected \"" + utf8(name) + "\"");
    }
    const bool annotated = accessibleText(window.Option1[0], false) == spokenNames[0];
    if (annotated) {
        std::puts("Dynamic Annotation works here: the options' spoken names and the descriptions "
                  "are checked");
        check(accessibleText(window.Command1, true) == L"Нова задача", "Чисти's description");
    } else {
        std::puts("NOTE: Dynamic Annotation does not work here: the options are named by their "
                  "captions, and their spoken names and the descriptions are not checked");
    }
    for (std::size_t option = 0; option < window.Option1.size(); ++option) {
        const std::wstring name = accessibleText(window.Option1[option], false);
        check(name == (annotated ? spokenNames[option] : captions[option]),
              "option " + std::to_string(option) + "'s accessible name: \"" + utf8(name) + "\"");
    }
    return annotated;
}

// The expression box's description speaks the expression: every number of it, the powers in
// words, none of its signs.
void checkSpokenExpression(HWND expressionBox)
{
    const std::string expression = utf8(textOf(expressionBox));
    const std::string spoken = utf8(accessibleText(expressionBox, true));
    bool numbersSpoken = true;
    for (std::size_t at = 0; at < expression.size(); ++at) {
        if (expression[at] >= '0' && expression[at] <= '9' &&
            (at == 0 || expression[at - 1] != '^')) {
            numbersSpoken = numbersSpoken && spoken.find(expression[at]) != std::string::npos;
        }
    }
    check(!spoken.empty() && numbersSpoken && spoken.find_first_of("^*+") == std::string::npos &&
              (spoken.find("на квадрат") != std::string::npos ||
               spoken.find("на куб") != std::string::npos),
          "the expression \"" + expression + "\" described in words: \"" + spoken + "\"");
}

void checkKeyboard(const Window &window, HWND main, DWORD thread)
{
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(window.Text1_0);
    const std::wstring answer = textOf(window.Text1_0);
    check(press(window.Text2, VK_TAB) == window.Option1[0],
          "Tab from the feedback box: the first option");
    check(noneChecked(window.Option1) && textOf(window.Text1_0) == answer,
          "Tab with nothing chosen checks no option and judges nothing");
    check(press(window.Text2, VK_DOWN, true) == window.Option1[0] && noneChecked(window.Option1) &&
              textOf(window.Text1_0) == answer,
          "Shift+Down neither moves nor judges");
    check(reactivate(main, thread) == window.Option1[0] && noneChecked(window.Option1) &&
              textOf(window.Text1_0) == answer,
          "reactivated: the focus back on the first option, none checked");
    check(press(window.Text2, VK_UP) == window.Option1[8], "Up from the first option: the last");
    check(SendMessageW(window.Option1[8], BM_GETCHECK, 0, 0) == BST_CHECKED &&
              !textOf(window.Text1_0).empty(),
          "an option reached by an arrow key is chosen and judged");
    check(press(window.Text2, VK_TAB) == window.Command1, "Tab from the options: Чисти");
    check(press(window.Text2, VK_TAB) == window.Text2, "Tab from Чисти: the expression box");
    check(press(window.Text2, VK_TAB) == window.Text1_0,
          "Tab from the expression box: the feedback box");
    check(press(window.Text2, VK_TAB) == window.Option1[8], "Tab reaches the chosen option");
    check(press(window.Text2, VK_DOWN) == window.Option1[0],
          "Down from the last option: the first");
    check(press(window.Text2, VK_TAB) == window.Command1, "Tab from the options again: Чисти");
    check(reactivate(main, thread) == window.Command1, "reactivated: the focus back on Чисти");
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

// The feedback box's lines are as high as the window's font at the screen's DPI, 12 pt: at least
// its size in pixels and at most a quarter more (the font's own line gap).
void checkLineHeight(HWND feedback)
{
    const auto lineStart = SendMessageW(feedback, EM_LINEINDEX, 1, 0);
    const auto first = SendMessageW(feedback, EM_POSFROMCHAR, 0, 0);
    const auto second = SendMessageW(feedback, EM_POSFROMCHAR, static_cast<WPARAM>(lineStart), 0);
    const int height = static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
    const int pixels = scaled(16);
    check(height >= pixels && height <= pixels * 5 / 4,
          "lines " + std::to_string(height) + " px high in " + std::to_string(pixels) + " px type");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    takeProgramsDpiAwareness();
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    const bool dark = std::erase(arguments, L"--dark-colours") > 0;
    if (arguments.size() == 3 && arguments[0] == L"--dpi") {
        dpi = static_cast<int>(std::wcstol(arguments[1].c_str(), nullptr, 10));
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.size() != 1 || dpi < 96) {
        std::fputs("usage: zantrel_driver.exe [--dpi N] [--dark-colours] PATH\\TO\\zantrel.exe\n",
                   stderr);
        return 2;
    }
    const wchar_t *program = arguments[0].c_str();
    bool highContrast = false;
    if (dark) {
        check(writeDarkColours(), "white-on-black system colours written");
        highContrast = switchHighContrastOn();
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("FAIL: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    WaitForInputIdle(process.hProcess, 20000);
    HWND main = nullptr;
    waitFor([&main] { return (main = FindWindowW(L"Zantrel", nullptr)) != nullptr; });
    if (main == nullptr) {
        std::puts("FAIL: no window of class Zantrel");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }

    check(textOf(main) == wide(WindowForm::caption()), "the caption");
    RECT client;
    GetClientRect(main, &client);
    const RECT size = atDpi(rectOf(pixelPlace(WindowForm::window())));
    check(EqualRect(&client, &size) != FALSE,
          "client area " + describe(size) + ": " + describe(client));

    const std::vector<Expected> controls = expectedControls();
    const std::vector<HWND> children = childrenOf(main);
    check(children.size() == controls.size(),
          std::to_string(controls.size()) + " controls: " + std::to_string(children.size()));
    std::map<std::string, HWND> found;
    for (const Expected &expected : controls) {
        const RECT place = atDpi(expected.place);
        const auto child = std::find_if(children.begin(), children.end(), [&](HWND c) {
            const RECT seen = placeOf(c);
            return lstrcmpiW(classOf(c).c_str(), expected.className) == 0 &&
                   EqualRect(&seen, &place) != FALSE &&
                   (!expected.text || textOf(c) == *expected.text);
        });
        check(child != children.end(), expected.name + " at " + describe(place));
        if (child == children.end()) {
            continue;
        }
        check((IsWindowVisible(*child) != FALSE) == expected.shown,
              expected.name + (expected.shown ? " shown" : " hidden"));
        found[expected.name] = *child;
    }
    Window window{found["List1_0"],  found["List1_1"],  found["Text2"],
                  found["Command1"], found["Frame1"],   found["Text1_0"],
                  found["Label1_1"], found["Label1_0"], {}};
    for (std::size_t option = 0; option < window.Option1.size(); ++option) {
        window.Option1.at(option) = found["Option1_" + std::to_string(option)];
    }
    if (failures != 0) {
        std::printf("%d of %d checks failed\n", failures, checks);
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    check(textOf(window.Text1_0).rfind(L"В основното образование", 0) == 0,
          "the description before the first answer");
    checkLineHeight(window.Text1_0);

    // The form's faces, or in High Contrast the system's (here black) colours; the text boxes have
    // the system's window colour.
    const ClientPixels shot(main);
    std::vector<std::pair<const WindowForm::Control *, POINT>> faces{
        {&WindowForm::window(), {4, 4}}};
    for (const FaceText &text : faceTexts()) {
        faces.emplace_back(text.row, text.face);
    }
    for (const auto &[row, at] : faces) {
        const COLORREF form = row->background ? colorref(*row->background) : RGB(255, 255, 255);
        const COLORREF expected = (row->background ? highContrast : dark) ? RGB(0, 0, 0) : form;
        check(shot.at96(at) == expected,
              std::string(row->name) + " at " + std::to_string(scaled(at.x)) + "," +
                  std::to_string(scaled(at.y)) + ": " + rgb(shot.at96(at)));
    }
    checkFacesReadable(shot);
    const bool annotated = checkNames(window);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        heard, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    check(hook != nullptr, "a hook for the announcements");

    for (int exercise = 0; exercise < 5; ++exercise) {
        const int formula = checkDraw(window);
        if (annotated) {
            checkSpokenExpression(window.Text2);
        }
        const std::wstring compare = std::wstring(L"Сравнете с ") + captions[formula];
        const std::wstring spokenCompare =
            L"Сравнете с " + wide(spokenExpression(utf8(captions[formula])));
        HWND right = window.Option1.at(static_cast<std::size_t>(formula));
        SendMessageW(window.Option1.at(static_cast<std::size_t>(formula + 1 + exercise) % 9),
                     BM_CLICK, 0, 0);
        check(textOf(window.Text1_0) == compare,
              "a wrong choice is answered with the right formula");
        checkAnnounced(spokenCompare, "the wrong choice's answer announced in words");
        SendMessageW(right, BM_CLICK, 0, 0);
        check(textOf(window.Text1_0) == L"Правилно!", "the right choice is answered Правилно!");
        checkAnnounced(L"Правилно!", "the right choice's answer announced");
        check(SendMessageW(right, BM_GETCHECK, 0, 0) == BST_CHECKED,
              "the chosen option is checked");
        SendMessageW(window.Command1, BM_CLICK, 0, 0);
        check(textOf(window.Text1_0).empty(), "\"Чисти\" empties the answer");
        checkAnnounced(L"Нова задача: " + wide(spokenExpression(utf8(textOf(window.Text2)))),
                       "\"Чисти\" announces the new exercise in words");
        check(noneChecked(window.Option1), "\"Чисти\" leaves no option chosen");
    }
    checkDraw(window);
    UnhookWinEvent(hook);
    checkKeyboard(window, main, GetWindowThreadProcessId(main, nullptr));

    PostMessageW(main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    check(ended && exitCode == 0, "the program ends with code 0 when closed");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%d of %d checks passed\n", checks - failures, checks);
    return failures == 0 ? 0 : 1;
}
