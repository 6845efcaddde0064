// SPDX-License-Identifier: MIT
// The Windows window in the test's own process (under Wine): the real ZantrelWindow, whose options
// are made to behave on WM_SETFOCUS as Windows' user32 does (an unchecked auto radio button that
// gets the focus other than by the mouse checks itself and reports BN_CLICKED, unless told
// BM_SETDONTCLICK), played through the program's own navigate() and message handling: Tab with
// nothing chosen, deactivation and reactivation, arrows with and without Shift, clicks, Tab's
// order, the controls' font at the screen's DPI and after a change of DPI, and errors inside the
// window's handlers.
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
    wchar_t name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16) != 0 &&
        std::wcscmp(name, L"#32770") == 0) {
        wchar_t caption[128] = {};
        GetWindowTextW(window, caption, 128);
        boxes.emplace_back(caption);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int quitCode = -1;

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Controls {
    HWND Text1_0 = nullptr, Text2 = nullptr, Command1 = nullptr;
    std::array<HWND, 9> Option1{};
    std::vector<HWND> all;
};

BOOL CALLBACK collect(HWND child, LPARAM found)
{
    auto &controls = *reinterpret_cast<Controls *>(found);
    controls.all.push_back(child);
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    const auto style = GetWindowLongPtrW(child, GWL_STYLE);
    const bool shown = (style & WS_VISIBLE) != 0;
    if (lstrcmpiW(name, L"Edit") == 0 && shown) {
        ((style & ES_MULTILINE) != 0 ? controls.Text1_0 : controls.Text2) = child;
    } else if (lstrcmpiW(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_OWNERDRAW) {
        controls.Command1 = child;
    } else if (lstrcmpiW(name, L"Button") == 0) {
        const std::wstring text = textOf(child);
        for (std::size_t option = 0; option < controls.Option1.size(); ++option) {
            if (text == captions[option]) {
                controls.Option1.at(option) = child;
            }
        }
    }
    return TRUE;
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

// A learner's keys and clicks on the first known exercise, (x + y)^3, then the second.
void playSession(bool honours, int fontPixels)
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
    Controls controls;
    EnumChildWindows(main, collect, reinterpret_cast<LPARAM>(&controls));
    for (HWND option : controls.Option1) {
        buttonProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(option, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clickOnFocus)));
    }
    ShowWindow(main, SW_SHOW);
    pump();
    const std::wstring description = textOf(controls.Text1_0);
    check(GetFocus() == controls.Text1_0, "the feedback box has the focus first" + mode);

    for (HWND control : controls.all) {
        wchar_t name[16] = {};
        GetClassNameW(control, name, 16);
        if (std::wcscmp(name, L"ZantrelFrame") == 0) {
            continue; // a container: its options carry the font
        }
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        check(font.lfHeight == -fontPixels && std::wcscmp(font.lfFaceName, L"Times New Roman") == 0,
              "Times New Roman " + std::to_string(fontPixels) +
                  " px: " + std::to_string(font.lfHeight) + " in a control of class " +
                  std::string(name, name + std::wcslen(name)));
    }

    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Option1[0] && noneChecked(controls.Option1) &&
              textOf(controls.Text1_0) == description,
          "Tab with nothing chosen: the first option, none checked, the description kept" + mode);
    press(zantrel, VK_DOWN, VK_SHIFT);
    check(GetFocus() == controls.Option1[0] && noneChecked(controls.Option1) &&
              textOf(controls.Text1_0) == description,
          "Shift+Down chooses nothing" + mode);

    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    pump();
    check(GetActiveWindow() == other, "another window active");
    SetActiveWindow(main);
    pump();
    check(GetFocus() == controls.Option1[0] && noneChecked(controls.Option1) &&
              textOf(controls.Text1_0) == description,
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

    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Command1, "Tab from the options: Чисти" + mode);
    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Text2, "Tab from Чисти: the expression box" + mode);
    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Text1_0, "Tab from the expression box: the feedback box" + mode);
    press(zantrel, VK_TAB);
    check(GetFocus() == controls.Option1[5], "Tab reaches the chosen option" + mode);
    press(zantrel, VK_TAB, VK_SHIFT);
    check(GetFocus() == controls.Text1_0, "Shift+Tab goes back to the feedback box" + mode);

    SetActiveWindow(other);
    pump();
    SetActiveWindow(main);
    pump();
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
    RECT box;
    GetWindowRect(controls.Text2, &box);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT *>(&box), 2);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(controls.Text2, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    check(client.right == 697 && client.bottom == 621 && box.left == 12 && box.top == 360 &&
              box.right == 685 && box.bottom == 421 && font.lfHeight == -24,
          "at 144 dpi: client area 697x621, the expression box at 12,360-685,421, type 24 px: " +
              std::to_string(client.right) + "x" + std::to_string(client.bottom) + ", " +
              std::to_string(box.left) + "," + std::to_string(box.top) + "-" +
              std::to_string(box.right) + "," + std::to_string(box.bottom) + ", " +
              std::to_string(-font.lfHeight) + " px" + mode);

    DestroyWindow(other);
    DestroyWindow(main);
    pump();
    unregister();
}

// A random source that fails after a number of values.
class FailingRandom final : public RandomSource {
public:
    explicit FailingRandom(std::size_t values) : sequence(twoKnownExercises()), left(values) {}
    void seedFromClock() override {}
    float next() override
    {
        if (left == 0) {
            throw std::runtime_error("no random value");
        }
        --left;
        return sequence.next();
    }

private:
    SequenceRandom sequence;
    std::size_t left;
};

// An error in the first draw (inside WM_CREATE) and one in the second (inside the button's own
// procedure, on "Чисти"): each is reported once, in the window's name, and ends the window, and
// no exception reaches the caller of user32.
void playErrors()
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, closeBoxes, nullptr, GetCurrentThreadId());
    const std::wstring caption = L"www.zantrel.example Математика - умножение на многочлени";
    {
        boxes.clear();
        FailingRandom random(0);
        ZantrelWindow zantrel(random);
        HWND main = zantrel.create(GetModuleHandleW(nullptr));
        pump();
        check(main == nullptr && boxes.size() == 1 && boxes[0] == caption,
              "an error while the window is made: no window, one report (" +
                  std::to_string(boxes.size()) + ")");
        unregister();
    }
    {
        boxes.clear();
        quitCode = -1;
        FailingRandom random(7);
        ZantrelWindow zantrel(random);
        HWND main = zantrel.create(GetModuleHandleW(nullptr));
        pump();
        HWND command1 = nullptr;
        Controls controls;
        EnumChildWindows(main, collect, reinterpret_cast<LPARAM>(&controls));
        command1 = controls.Command1;
        check(main != nullptr && boxes.empty(), "the first draw is made");
        bool crossed = false;
        try {
            SendMessageW(command1, BM_CLICK, 0, 0);
        } catch (...) {
            crossed = true;
        }
        pump();
        check(!crossed && boxes.size() == 1 && IsWindow(main) == FALSE && quitCode == 1,
              "an error on Чисти: one report, the window closed, the loop ends with 1 (" +
                  std::to_string(boxes.size()) + ", " + std::to_string(quitCode) + ")");
        unregister();
    }
    UnhookWindowsHookEx(hook);
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    int dpi = 96;
    if (argc == 3 && std::wcscmp(argv[1], L"--dpi") == 0) {
        dpi = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    }
    // 12 pt: 16 pixels at 96 dpi, 24 at 144.
    const int fontPixels = dpi == 144 ? 24 : 16;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchSent, nullptr, GetCurrentThreadId());
    playSession(true, fontPixels);
    playSession(false, fontPixels);
    UnhookWindowsHookEx(hook);
    playErrors();
    std::printf("window test at %d dpi: %d of %d checks passed\n", dpi, checks - failures, checks);
    return failures == 0 ? 0 : 1;
}
