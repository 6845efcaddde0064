// SPDX-License-Identifier: MIT
// The real ZantrelWindow in the test's own process (under Wine), played through its navigate()
// and message handling, its options made to behave on WM_SETFOCUS as Windows' user32 does (an
// unchecked auto radio button that gets the focus other than by the mouse checks itself and reports
// BN_CLICKED, unless told BM_SETDONTCLICK): keys, clicks, reactivation, the font, errors. Then its
// colours, the test answering whether High Contrast is on (Wine does not let a program switch the
// setting on) and setting a dark system scheme itself.
//
//     zantrel_window_test.exe [--dpi N]      N: the prefix's screen DPI (96 unless told)
#include "sequence_random.h"
#include "windows_checks.h"
#include "zantrel_window.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The buttons the window told BM_SETDONTCLICK, seen by a hook on the messages it sends.
std::vector<HWND> dontClick;
// Whether the emulated rule honours BM_SETDONTCLICK, as Windows documents; a user32 that keeps the
// rule but does not know the message ignores it.
bool honoursDontClick = true;
WNDPROC buttonProcedure = nullptr;

LRESULT CALLBACK watchSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *sent = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && sent->message == BM_SETDONTCLICK && sent->wParam != 0) {
        dontClick.push_back(sent->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK clickOnFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool toldNotTo = honoursDontClick &&
                           std::find(dontClick.begin(), dontClick.end(), button) != dontClick.end();
    if (message == WM_SETFOCUS && GetCapture() != button && !toldNotTo &&
        SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(GetParent(button), WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    return CallWindowProcW(buttonProcedure, button, message, wParam, lParam);
}

// Message boxes shown: each is counted with its caption and closed at once.
std::vector<std::wstring> boxes;

LRESULT CALLBACK closeBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    auto *window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && classOf(window) == L"#32770") {
        boxes.push_back(textOf(window));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int quitCode = -1;

// Handles the messages waiting, `rounds` times 20 ms apart (to let the controls paint).
void pump(int rounds = 1)
{
    for (int round = 0; round < rounds; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitCode = static_cast<int>(message.wParam);
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (rounds > 1) {
            Sleep(20);
        }
    }
}

struct Controls {
    HWND Text1_0 = nullptr, Text2 = nullptr, Command1 = nullptr;
    std::array<HWND, 9> Option1{};
};

Controls controlsOf(HWND main)
{
    Controls controls;
    for (HWND child : childrenOf(main)) {
        const std::wstring name = classOf(child);
        const auto style = GetWindowLongPtrW(child, GWL_STYLE);
        const auto option = std::find(std::begin(captions), std::end(captions), textOf(child));
        if (lstrcmpiW(name.c_str(), L"Edit") == 0 && (style & WS_VISIBLE) != 0) {
            ((style & ES_MULTILINE) != 0 ? controls.Text1_0 : controls.Text2) = child;
        } else if (lstrcmpiW(name.c_str(), L"Button") == 0 &&
                   (style & BS_TYPEMASK) == BS_OWNERDRAW) {
            controls.Command1 = child;
        } else if (lstrcmpiW(name.c_str(), L"Button") == 0 && option != std::end(captions)) {
            controls.Option1.at(static_cast<std::size_t>(option - std::begin(captions))) = child;
        }
    }
    return controls;
}

// A key as the message loop gets it, with the modifier held (0: none), handed to navigate() first.
void press(ZantrelWindow &zantrel, WPARAM key, int modifier = 0)
{
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    if (modifier != 0) {
        keys.at(static_cast<std::size_t>(modifier)) = 0x80;
        SetKeyboardState(keys.data());
    }
    MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!zantrel.navigate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (modifier != 0) {
        keys.at(static_cast<std::size_t>(modifier)) = 0;
        SetKeyboardState(keys.data());
    }
    pump();
}

void unregister()
{
    UnregisterClassW(L"Zantrel", GetModuleHandleW(nullptr));
    UnregisterClassW(L"ZantrelFrame", GetModuleHandleW(nullptr));
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// A learner's keys and clicks on the first known exercise, (x + y)^3, then the second.
void playSession(bool honours)
{
    honoursDontClick = honours;
    const std::string mode = honours ? " (BM_SETDONTCLICK honoured)" : " (BM_SETDONTCLICK ignored)";
    SequenceRandom random(twoKnownExercises());
    ZantrelWindow zantrel(random);
    HWND main = zantrel.create(GetModuleHandleW(nullptr));
    check(main != nullptr, "the window is made" + mode);
    if (main == nullptr) {
        return;
    }
    const Controls controls = controlsOf(main);
    for (HWND option : controls.Option1) {
        buttonProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(option, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clickOnFocus)));
    }
    ShowWindow(main, SW_SHOW);
    pump();
    const std::wstring description = textOf(controls.Text1_0);
    check(GetFocus() == controls.Text1_0, "the feedback box has the focus first" + mode);

    // 12 pt: 16 pixels at 96 dpi, 24 at 144.
    const int fontPixels = scaled(16);
    for (HWND control : childrenOf(main)) {
        const std::wstring name = classOf(control);
        if (name == L"ZantrelFrame") {
            continue; // a container: its options carry the font
        }
        const LOGFONTW font = fontOf(control);
        check(font.lfHeight == -fontPixels && std::wcscmp(font.lfFaceName, L"Times New Roman") == 0,
              "Times New Roman " + std::to_string(fontPixels) +
                  " px: " + std::to_string(font.lfHeight) + " in a control of class " + utf8(name));
    }

    auto untouched = [&controls, &description](HWND focus) {
        return GetFocus() == focus && noneChecked(controls.Option1) &&
               textOf(controls.Text1_0) == description;
    };
    auto reactivate = [main] {
        HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(other);
        pump();
        check(GetActiveWindow() == other, "another window active");
        SetActiveWindow(main);
        pump();
        DestroyWindow(other);
    };
    press(zantrel, VK_TAB);
    check(untouched(controls.Option1[0]),
          "Tab with nothing chosen: the first option, none checked, the description kept" + mode);
    press(zantrel, VK_DOWN, VK_SHIFT);
    check(untouched(controls.Option1[0]), "Shift+Down chooses nothing" + mode);
    reactivate();
    check(untouched(controls.Option1[0]),
          "reactivated: the focus back on the first option, none checked" + mode);

    press(zantrel, VK_DOWN);
    check(GetFocus() == controls.Option1[1] &&
              SendMessageW(controls.Option1[1], BM_GETCHECK, 0, 0) == BST_CHECKED &&
              textOf(controls.Text1_0) == L"Сравнете с (x + y)^3",
          "Down chooses and judges the second option" + mode);
    press(zantrel, VK_UP, VK_CONTROL);
    check(GetFocus() == controls.Option1[1], "Ctrl+Up moves nothing" + mode);
    SendMessageW(controls.Option1[5], BM_CLICK, 0, 0);
    pump();
    check(textOf(controls.Text1_0) == L"Правилно!", "a click on the right formula" + mode);

    const std::array<std::tuple<int, HWND, const char *>, 5> tabs{{
        {0, controls.Command1, "Tab from the options: Чисти"},
        {0, controls.Text2, "Tab from Чисти: the expression box"},
        {0, controls.Text1_0, "Tab from the expression box: the feedback box"},
        {0, controls.Option1[5], "Tab reaches the chosen option"},
        {VK_SHIFT, controls.Text1_0, "Shift+Tab goes back to the feedback box"},
    }};
    for (const auto &[modifier, focus, what] : tabs) {
        press(zantrel, VK_TAB, modifier);
        check(GetFocus() == focus, what + mode);
    }
    reactivate();
    check(GetFocus() == controls.Text1_0, "reactivated: the focus back on the feedback box" + mode);

    SendMessageW(controls.Command1, BM_CLICK, 0, 0);
    pump();
    check(textOf(controls.Text1_0).empty() && noneChecked(controls.Option1),
          "Чисти: no answer, no option chosen" + mode);
    SetFocus(controls.Text1_0);
    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Option1[0] && noneChecked(controls.Option1) &&
              textOf(controls.Text1_0).empty(),
          "Tab after Чисти judges nothing" + mode);
    press(zantrel, VK_RIGHT);
    check(textOf(controls.Text1_0) == L"Сравнете с x^2 - y^2",
          "Right judges the second exercise" + mode);

    // Moved to a screen at 150 %: the places and the font follow the window's new DPI.
    RECT suggested{0, 0, 800, 800};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(main, &client);
    const RECT box = placeOf(controls.Text2);
    const LONG type = -fontOf(controls.Text2).lfHeight;
    check(client.right == 697 && client.bottom == 621 && box.left == 12 && box.top == 360 &&
              box.right == 685 && box.bottom == 421 && type == 24,
          "at 144 dpi: client area 697x621, the expression box at 12,360-685,421, type 24 px: " +
              std::to_string(client.right) + "x" + std::to_string(client.bottom) + ", " +
              describe(box) + ", " + std::to_string(type) + " px" + mode);

    DestroyWindow(main);
    pump();
    unregister();
}

class FailingRandom final : public RandomSource {
public:
    explicit FailingRandom(std::size_t values) : left(values) {}
    void seedFromClock() override {}
    float next() override
    {
        if (left-- == 0) {
            throw std::runtime_error("no random value");
        }
        return sequence.next();
    }

private:
    SequenceRandom sequence{twoKnownExercises()};
    std::size_t left;
};

// An error in the first draw (inside WM_CREATE) and one in the second (inside the button's own
// procedure, on "Чисти"): each is reported once, in the window's name, and ends the window, and
// no exception reaches the caller of user32.
void playErrors()
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, closeBoxes, nullptr, GetCurrentThreadId());
    {
        boxes.clear();
        FailingRandom random(0);
        ZantrelWindow zantrel(random);
        HWND main = zantrel.create(GetModuleHandleW(nullptr));
        pump();
        check(main == nullptr && boxes.size() == 1 && boxes[0] == wide(WindowForm::caption()),
              "an error while the window is made: no window, one report (" +
                  std::to_string(boxes.size()) + ")");
        unregister();
    }
    boxes.clear();
    quitCode = -1;
    FailingRandom random(7);
    ZantrelWindow zantrel(random);
    HWND main = zantrel.create(GetModuleHandleW(nullptr));
    pump();
    check(main != nullptr && boxes.empty(), "the first draw is made");
    bool crossed = false;
    try {
        SendMessageW(controlsOf(main).Command1, BM_CLICK, 0, 0);
    } catch (...) {
        crossed = true;
    }
    pump();
    check(!crossed && boxes.size() == 1 && IsWindow(main) == FALSE && quitCode == 1,
          "an error on Чисти: one report, the window closed, the loop ends with 1 (" +
              std::to_string(boxes.size()) + ", " + std::to_string(quitCode) + ")");
    unregister();
    UnhookWindowsHookEx(hook);
}

bool highContrast = false;

bool answerHighContrast()
{
    return highContrast;
}

// The backgrounds of the window, Frame1 and every face with a text, and the colours of their
// texts: their rows', or with `system` the system's window colours (Command1 the button's). The
// text boxes, which have no colours in the form, have the system's window colours either way.
void checkFaces(HWND window, bool system, const std::string &when)
{
    const ClientPixels shot(window);
    auto background = [&shot, &when](const std::string &name, POINT at, COLORREF expected) {
        const COLORREF seen = shot.at96(at);
        check(seen == expected,
              when + ": " + name + "'s background " + rgb(seen) + ", expected " + rgb(expected));
    };
    const COLORREF windowColour = GetSysColor(COLOR_WINDOW);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    auto face = [system, windowColour](const WindowForm::Control &row) {
        return system || !row.background ? windowColour : colorref(*row.background);
    };
    background("window", {4, 4}, face(WindowForm::window()));
    const PixelPlace frame = pixelPlace(formRow("Frame1"));
    background("Frame1", {frame.right - 4, (frame.top + frame.bottom) / 2},
               face(formRow("Frame1")));
    for (const FaceText &text : faceTexts()) {
        const WindowForm::Control &row = *text.row;
        const std::string name(row.name);
        COLORREF colour = face(row);
        COLORREF ink = system || !row.foreground ? windowText : colorref(*row.foreground);
        if (system && row.kind == WindowForm::Kind::Button) {
            colour = GetSysColor(COLOR_BTNFACE);
            ink = GetSysColor(COLOR_BTNTEXT);
        }
        background(name, text.face, colour);
        const std::vector<COLORREF> painted = shot.in(text.text);
        check(std::find(painted.begin(), painted.end(), ink) != painted.end(),
              when + ": " + name + "'s text in " + rgb(ink));
    }
}

// The form's colours whatever the system's; High Contrast switched on (WM_SETTINGCHANGE): the
// system's, with an edge round "Чисти" in the button's text colour; switched off again
// (WM_SYSCOLORCHANGE): the form's again.
void playColours()
{
    SequenceRandom random(twoKnownExercises());
    ZantrelWindow zantrel(random, answerHighContrast);
    HWND window = zantrel.create(GetModuleHandleW(nullptr));
    check(window != nullptr, "the window for the colours is made");
    if (window == nullptr) {
        return;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    pump(5);
    checkFaces(window, false, "the system's own colours");

    // A dark scheme, as a High Contrast theme sets it, whose four colours all differ.
    const std::array<int, 4> elements{COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const std::array<COLORREF, 4> dark{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 96),
                                       RGB(255, 255, 0)};
    std::array<COLORREF, 4> before{};
    std::transform(elements.begin(), elements.end(), before.begin(), GetSysColor);
    check(SetSysColors(static_cast<int>(elements.size()), elements.data(), dark.data()) != FALSE &&
              GetSysColor(COLOR_BTNFACE) == dark[2],
          "the dark scheme set");
    pump(5);
    checkFaces(window, false, "dark system colours");

    highContrast = true;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    pump(5);
    checkFaces(window, true, "High Contrast");
    const ClientPixels on(window);
    const std::array<POINT, 4> edge{{{304, 220}, {424, 220}, {360, 208}, {360, 232}}};
    check(std::all_of(edge.begin(), edge.end(),
                      [&on, &dark](POINT at) { return on.at96(at) == dark[3]; }),
          "High Contrast: Чисти's edge in the button's text colour, " + rgb(on.at96(edge[0])));

    highContrast = false;
    SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    pump(5);
    checkFaces(window, false, "High Contrast off again");

    SetSysColors(static_cast<int>(elements.size()), elements.data(), before.data());
    DestroyWindow(window);
    pump();
    unregister();
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    takeProgramsDpiAwareness();
    if (argc == 3 && std::wcscmp(argv[1], L"--dpi") == 0) {
        dpi = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchSent, nullptr, GetCurrentThreadId());
    playSession(true);
    playSession(false);
    UnhookWindowsHookEx(hook);
    playErrors();
    playColours();
    std::printf("window test at %d dpi: %d of %d checks passed\n", dpi, checks - failures, checks);
    return failures == 0 ? 0 : 1;
}
