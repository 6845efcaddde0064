// SPDX-License-Identifier: MIT
// Plays a short session with the Windows edition through its controls' own messages, as a second
// program in the same (Wine) session: starts zantrel.exe, finds its window, and checks the
// controls' classes, places and texts against expectations written here, a few painted colours,
// the pools in the hidden list boxes after each draw, both answers, and the keys that move between
// the controls (sharing the program's input state to post them): Tab chooses nothing, an arrow
// with Shift judges nothing, and the focus comes back after another window was active. The right
// answer is found independently of the program: the expression is read from the expression box
// and matched against the formulas by the tests' own polynomial checker. It reads what a screen
// reader reads through Windows' accessibility proxies (each control's name, the descriptions where
// Dynamic Annotation works) and listens for the answer's announcement, and it measures from the
// pixels that every text drawn on the form's faces is readable (a contrast of at least 4.5 : 1).
//
// With --dpi, the screen's DPI the prefix was set to: every place and size is the one at 96 dpi
// scaled by it, rounded down, and the text's lines are as high as the font at that DPI.
// --dark-colours first writes white-on-black system colours into the user's settings, which the
// program reads when it starts, and tries to switch High Contrast on: the form's faces must stay
// readable, the text boxes take the system's colours.
//
//     zantrel_driver.exe [--dpi N] [--dark-colours] PATH\TO\zantrel.exe
#include "client_pixels.h"
#include "expression_checker.h"
#include "windows_checks.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring &wide)
{
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

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

struct Expected {
    const char *name;
    const wchar_t *className;
    RECT place; // left, top, right, bottom in the window's client area at 96 dpi
    bool shown;
    const wchar_t *text; // null: not checked here
};

std::vector<Expected> expectedControls()
{
    std::vector<Expected> rows{
        {"List1_1", L"ListBox", {328, 88, 385, 206}, false, nullptr},
        {"List1_0", L"ListBox", {288, 48, 329, 166}, false, nullptr},
        {"Text2", L"Edit", {8, 240, 457, 281}, true, nullptr},
        {"Command1", L"Button", {304, 208, 425, 233}, true, L"Чисти"},
        {"Frame1", L"ZantrelFrame", {160, 56, 289, 241}, true, nullptr},
        {"Text1_1", L"Edit", {40, 312, 489, 433}, false, nullptr},
        {"Text1_0", L"Edit", {8, 288, 457, 409}, true, nullptr},
        {"Label1_1", L"Static", {160, 32, 281, 57}, true, L"Формула"},
        {"Label1_0",
         L"Static",
         {56, 0, 401, 25},
         true,
         L"Математика - формули за съкратено умножение"},
        // Hidden labels that name the text boxes for screen readers, and the announcer of the
        // answers: no size, so nothing of them is painted.
        {"Text2's label", L"Static", {0, 0, 0, 0}, false, L"Алгебричен израз"},
        {"Text1_0's label", L"Static", {0, 0, 0, 0}, false, L"Пояснение и отговор"},
        {"the announcer", L"Static", {0, 0, 0, 0}, true, L""},
    };
    for (int option = 0; option < 9; ++option) {
        rows.push_back({"Option1",
                        L"Button",
                        {160, 56 + 20 * option, 281, 76 + 20 * option},
                        true,
                        captions[option]});
    }
    return rows;
}

struct Child {
    HWND handle;
    std::wstring className;
    RECT place;
};

BOOL CALLBACK collect(HWND child, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetAncestor(child, GA_ROOT), reinterpret_cast<POINT *>(&place), 2);
    reinterpret_cast<std::vector<Child> *>(found)->push_back({child, name, place});
    return TRUE;
}

bool sameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int dpi = 96;

// A place at 96 dpi as the program makes it at the screen's DPI: its corner and its size each
// scaled and rounded down.
RECT atDpi(const RECT &r)
{
    const LONG left = r.left * dpi / 96;
    const LONG top = r.top * dpi / 96;
    return {left, top, left + (r.right - r.left) * dpi / 96, top + (r.bottom - r.top) * dpi / 96};
}

int scaled(int pixels)
{
    return pixels * dpi / 96;
}

std::string describe(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

struct Window {
    HWND List1_0, List1_1, Text2, Command1, Text1_0;
    std::array<HWND, 9> Option1;
};

// After each draw: three numbers and three letters are gone from the pools, the expression is
// one formula's, written with those numbers and letters. Returns the formula.
int checkDraw(const Window &window)
{
    const std::vector<std::string> numbers = items(window.List1_0);
    const std::vector<std::string> letters = items(window.List1_1);
    check(numbers.size() == 6 && letters.size() == 6, "six numbers and six letters left");
    std::vector<long long> drawnNumbers;
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (std::find(numbers.begin(), numbers.end(), std::string(1, digit)) == numbers.end()) {
            drawnNumbers.push_back(digit - '0');
        }
    }
    std::string drawnLetters;
    for (char letter = 'a'; letter <= 'i'; ++letter) {
        if (std::find(letters.begin(), letters.end(), std::string(1, letter)) == letters.end()) {
            drawnLetters += letter;
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

void checkColour(HDC dc, int x96, int y96, COLORREF expected, const char *what)
{
    const int x = scaled(x96);
    const int y = scaled(y96);
    const COLORREF seen = GetPixel(dc, x, y);
    check(seen == expected, std::string(what) + " at " + std::to_string(x) + "," +
                                std::to_string(y) + ": " + std::to_string(GetRValue(seen)) + "," +
                                std::to_string(GetGValue(seen)) + "," +
                                std::to_string(GetBValue(seen)));
}

// Posts a key to the control with the focus and waits until the focus moves (or a while), then
// until the program has handled the key (a message sent to its window is handled between two of
// its posted messages).
HWND press(WPARAM key)
{
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    for (int wait = 0; wait < 250 && GetFocus() == focus; ++wait) {
        Sleep(20);
    }
    SendMessageW(GetAncestor(focus, GA_ROOT), WM_NULL, 0, 0);
    return GetFocus();
}

// Posts an arrow key with Shift held in the shared input state, and waits until it is handled.
void pressShifted(WPARAM key)
{
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    SetKeyboardState(keys.data());
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    SendMessageW(GetAncestor(focus, GA_ROOT), WM_NULL, 0, 0);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys.data());
}

// The control with the focus in the program's thread.
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
    for (int wait = 0; wait < 250 && (GetForegroundWindow() != other || programHasFocus());
         ++wait) {
        Sleep(20);
    }
    check(GetForegroundWindow() == other && !programHasFocus(), "another window made active");
    SetForegroundWindow(main);
    for (int wait = 0; wait < 250 && (GetForegroundWindow() != main || !programHasFocus());
         ++wait) {
        Sleep(20);
    }
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

// WCAG 2's relative luminance and contrast ratio.
double luminance(COLORREF colour)
{
    auto linear = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

double contrast(COLORREF a, COLORREF b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text painted inside `area` on the face colour found at `face` is readable: there is text
// (some dozens of pixels apart from the face), and its core, the pixel that stands out most, has
// a contrast of at least 4.5 : 1 with the face. Returns the contrast.
double checkReadable(const ClientPixels &shot, const RECT &area, POINT face,
                     const std::string &what)
{
    // Given at 96 dpi, as the other places.
    const RECT scaledArea = atDpi(area);
    const COLORREF faceColour =
        shot.at(scaled(static_cast<int>(face.x)), scaled(static_cast<int>(face.y)));
    COLORREF core = faceColour;
    int textPixels = 0;
    for (int y = scaledArea.top; y < scaledArea.bottom; ++y) {
        for (int x = scaledArea.left; x < scaledArea.right; ++x) {
            const COLORREF seen = shot.at(x, y);
            textPixels += seen != faceColour ? 1 : 0;
            if (contrast(seen, faceColour) > contrast(core, faceColour)) {
                core = seen;
            }
        }
    }
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.2f", contrast(core, faceColour));
    check(textPixels >= 40 && contrast(core, faceColour) >= 4.5,
          what + ": text " + rgb(core) + " on " + rgb(faceColour) + ", contrast " + ratio +
              " : 1, " + std::to_string(textPixels) + " text pixels");
    return contrast(core, faceColour);
}

void checkFacesReadable(HWND main)
{
    const ClientPixels shot(main);
    std::vector<std::pair<double, std::string>> seen;
    seen.emplace_back(checkReadable(shot, {56, 0, 401, 25}, {58, 2}, "Label1_0"), "Label1_0");
    seen.emplace_back(checkReadable(shot, {160, 32, 281, 56}, {162, 34}, "Label1_1"), "Label1_1");
    for (int option = 0; option < 9; ++option) {
        // Right of the round mark, which is drawn in the system's colours, and below Label1_1,
        // which covers the first option's top row.
        const int top = 56 + 20 * option;
        const std::string name = "Option1_" + std::to_string(option);
        seen.emplace_back(checkReadable(shot, {178, top + 1, 281, top + 20}, {279, top + 2}, name),
                          name);
    }
    // Inside the bevel.
    seen.emplace_back(checkReadable(shot, {307, 211, 422, 230}, {308, 212}, "Command1"),
                      "Command1");
    seen.emplace_back(checkReadable(shot, {11, 243, 440, 278}, {450, 262}, "Text2"), "Text2");
    const auto lowest = std::min_element(seen.begin(), seen.end());
    std::printf("texts on the faces: lowest contrast %.2f : 1 (%s)\n", lowest->first,
                lowest->second.c_str());
}

// The user's system colours, white text on black, which a program reads when it starts.
bool writeDarkColours()
{
    const std::array<std::pair<const wchar_t *, const wchar_t *>, 10> colours{{
        {L"Window", L"0 0 0"},
        {L"WindowText", L"255 255 255"},
        {L"ButtonFace", L"0 0 0"},
        {L"ButtonText", L"255 255 255"},
        {L"ButtonHilight", L"255 255 255"},
        {L"ButtonLight", L"192 192 192"},
        {L"ButtonShadow", L"128 128 128"},
        {L"ButtonDkShadow", L"64 64 64"},
        {L"GrayText", L"0 255 0"},
        {L"Background", L"0 0 0"},
    }};
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Colors", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    bool written = true;
    for (const auto &[name, value] : colours) {
        const auto bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t));
        written =
            written && RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                                      bytes) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
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
                    "in the window's own process instead (windows_contrast_test)\n",
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
    BSTR text = nullptr;
    const HRESULT result = description ? accessible->get_accDescription(self, &text)
                                       : accessible->get_accName(self, &text);
    std::wstring found = SUCCEEDED(result) && text != nullptr ? std::wstring(text) : L"";
    SysFreeString(text);
    accessible->Release();
    return found;
}

std::vector<std::wstring> announcements;

void CALLBACK heard(HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible *accessible = nullptr;
    VARIANT id{};
    if (FAILED(AccessibleObjectFromEvent(control, static_cast<DWORD>(object),
                                         static_cast<DWORD>(child), &accessible, &id))) {
        announcements.emplace_back(L"(no accessible object)");
        return;
    }
    BSTR name = nullptr;
    accessible->get_accName(id, &name);
    announcements.emplace_back(name != nullptr ? name : L"");
    SysFreeString(name);
    accessible->Release();
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
bool checkNames(const Window &window, HWND frame, HWND heading, HWND formulaLabel)
{
    const std::array<std::pair<HWND, const wchar_t *>, 2> boxes{
        {{window.Text2, L"Алгебричен израз"}, {window.Text1_0, L"Пояснение и отговор"}}};
    for (const auto &[box, name] : boxes) {
        HWND label = GetWindow(box, GW_HWNDPREV);
        wchar_t className[16] = {};
        GetClassNameW(label, className, 16);
        check(label != nullptr && lstrcmpiW(className, L"Static") == 0 && textOf(label) == name,
              "a label \"" + utf8(name) + "\" just before its text box in z-order");
        check(accessibleText(box, false) == name,
              "the text box's accessible name: \"" + utf8(accessibleText(box, false)) + "\"");
    }
    const std::array<std::pair<HWND, const wchar_t *>, 4> named{{
        {window.Command1, L"Чисти"},
        {frame, L"Формули"},
        {heading, L"Математика - формули за съкратено умножение"},
        {formulaLabel, L"Формула"},
    }};
    for (const auto &[control, name] : named) {
        check(accessibleText(control, false) == name, "accessible name \"" +
                                                          utf8(accessibleText(control, false)) +
                                                          "\", expected \"" + utf8(name) + "\"");
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
    check(press(VK_TAB) == window.Option1[0], "Tab from the feedback box: the first option");
    check(noneChecked(window.Option1) && textOf(window.Text1_0) == answer,
          "Tab with nothing chosen checks no option and judges nothing");
    pressShifted(VK_DOWN);
    check(GetFocus() == window.Option1[0] && noneChecked(window.Option1) &&
              textOf(window.Text1_0) == answer,
          "Shift+Down neither moves nor judges");
    check(reactivate(main, thread) == window.Option1[0] && noneChecked(window.Option1) &&
              textOf(window.Text1_0) == answer,
          "reactivated: the focus back on the first option, none checked");
    check(press(VK_UP) == window.Option1[8], "Up from the first option: the last");
    check(SendMessageW(window.Option1[8], BM_GETCHECK, 0, 0) == BST_CHECKED &&
              !textOf(window.Text1_0).empty(),
          "an option reached by an arrow key is chosen and judged");
    check(press(VK_TAB) == window.Command1, "Tab from the options: Чисти");
    check(press(VK_TAB) == window.Text2, "Tab from Чисти: the expression box");
    check(press(VK_TAB) == window.Text1_0, "Tab from the expression box: the feedback box");
    check(press(VK_TAB) == window.Option1[8], "Tab reaches the chosen option");
    check(press(VK_DOWN) == window.Option1[0], "Down from the last option: the first");
    check(press(VK_TAB) == window.Command1, "Tab from the options again: Чисти");
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
    const int pixels = 16 * dpi / 96;
    check(height >= pixels && height <= pixels * 5 / 4,
          "lines " + std::to_string(height) + " px high in " + std::to_string(pixels) + " px type");
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    bool dark = false;
    for (bool option = true; option && argc > 2;) {
        const std::wstring name(argv[1]);
        if (name == L"--dpi" && argc > 3) {
            dpi = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
            argv += 2;
            argc -= 2;
        } else if (name == L"--dark-colours") {
            dark = true;
            argv += 1;
            argc -= 1;
        } else {
            option = false;
        }
    }
    if (argc != 2 || dpi < 96) {
        std::fputs("usage: zantrel_driver.exe [--dpi N] [--dark-colours] PATH\\TO\\zantrel.exe\n",
                   stderr);
        return 2;
    }
    const wchar_t *program = argv[argc - 1];
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
    for (int attempt = 0; attempt < 200 && main == nullptr; ++attempt) {
        main = FindWindowW(L"Zantrel", nullptr);
        if (main == nullptr) {
            Sleep(50);
        }
    }
    if (main == nullptr) {
        std::puts("FAIL: no window of class Zantrel");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }

    check(textOf(main) == L"www.zantrel.example Математика - умножение на многочлени",
          "the caption");
    RECT client;
    GetClientRect(main, &client);
    check(sameRect(client, atDpi({0, 0, 465, 414})),
          "client area 465x414 at 96 dpi: " + describe(client));

    std::vector<Child> children;
    EnumChildWindows(main, collect, reinterpret_cast<LPARAM>(&children));
    check(children.size() == 21, "21 controls: " + std::to_string(children.size()));
    std::vector<std::pair<std::string, HWND>> found;
    std::vector<HWND> options;
    for (const Expected &expected : expectedControls()) {
        const auto child = std::find_if(children.begin(), children.end(), [&](const Child &c) {
            return lstrcmpiW(c.className.c_str(), expected.className) == 0 &&
                   sameRect(c.place, atDpi(expected.place)) &&
                   (expected.text == nullptr || textOf(c.handle) == expected.text);
        });
        check(child != children.end(),
              std::string(expected.name) + " at " + describe(atDpi(expected.place)));
        if (child == children.end()) {
            continue;
        }
        check((IsWindowVisible(child->handle) != FALSE) == expected.shown,
              std::string(expected.name) + (expected.shown ? " shown" : " hidden"));
        if (expected.text != nullptr) {
            check(textOf(child->handle) == expected.text, std::string(expected.name) + "'s text");
        }
        if (std::string(expected.name) == "Option1") {
            options.push_back(child->handle);
        } else {
            found.emplace_back(expected.name, child->handle);
        }
    }
    if (failures != 0 || options.size() != 9) {
        std::printf("%d of %d checks failed\n", failures, checks);
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    auto handle = [&found](const char *name) {
        return std::find_if(found.begin(), found.end(),
                            [name](const auto &entry) { return entry.first == name; })
            ->second;
    };
    Window window{handle("List1_0"),  handle("List1_1"), handle("Text2"),
                  handle("Command1"), handle("Text1_0"), {}};
    std::copy(options.begin(), options.end(), window.Option1.begin());
    check(textOf(window.Text1_0).rfind(L"В основното образование", 0) == 0,
          "the description before the first answer");
    checkLineHeight(window.Text1_0);

    // The form's faces, or in High Contrast the system's (here black) colours; the text boxes have
    // the system's window colour.
    auto face = [highContrast](COLORREF form) { return highContrast ? RGB(0, 0, 0) : form; };
    HDC dc = GetDC(main);
    checkColour(dc, 4, 4, face(RGB(192, 192, 255)), "window");
    checkColour(dc, 60, 4, face(RGB(255, 192, 128)), "Label1_0");
    checkColour(dc, 276, 66, face(RGB(128, 255, 255)), "Option1_0");
    checkColour(dc, 310, 215, face(RGB(255, 128, 128)), "Command1");
    checkColour(dc, 450, 262, dark ? RGB(0, 0, 0) : RGB(255, 255, 255), "Text2");
    ReleaseDC(main, dc);
    checkFacesReadable(main);
    const bool annotated =
        checkNames(window, handle("Frame1"), handle("Label1_0"), handle("Label1_1"));
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        heard, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    check(hook != nullptr, "a hook for the announcements");

    for (int exercise = 0; exercise < 5; ++exercise) {
        const int formula = checkDraw(window);
        if (annotated) {
            checkSpokenExpression(window.Text2);
        }
        const int wrong = (formula + 1 + exercise) % 9;
        SendMessageW(window.Option1[static_cast<std::size_t>(wrong)], BM_CLICK, 0, 0);
        check(textOf(window.Text1_0) == std::wstring(L"Сравнете с ") + captions[formula],
              "a wrong choice is answered with the right formula");
        checkAnnounced(std::wstring(L"Сравнете с ") + captions[formula],
                       "the wrong choice's answer announced");
        SendMessageW(window.Option1[static_cast<std::size_t>(formula)], BM_CLICK, 0, 0);
        check(textOf(window.Text1_0) == L"Правилно!", "the right choice is answered Правилно!");
        checkAnnounced(L"Правилно!", "the right choice's answer announced");
        check(SendMessageW(window.Option1[static_cast<std::size_t>(formula)], BM_GETCHECK, 0, 0) ==
                  BST_CHECKED,
              "the chosen option is checked");
        SendMessageW(window.Command1, BM_CLICK, 0, 0);
        check(textOf(window.Text1_0).empty(), "\"Чисти\" empties the answer");
        check(takeAnnouncements(100).empty(), "\"Чисти\" announces nothing");
        check(std::none_of(window.Option1.begin(), window.Option1.end(),
                           [](HWND option) {
                               return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
                           }),
              "\"Чисти\" leaves no option chosen");
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
