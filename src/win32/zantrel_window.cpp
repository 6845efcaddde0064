// SPDX-License-Identifier: MIT
#include "zantrel_window.h"

#include "shown_text.h"
#include "spoken_expression.h"
#include "unicode.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace {

constexpr const wchar_t *frameClassName = L"ZantrelFrame";
// A control's id is its row's position plus this.
constexpr int firstControlId = 100;

COLORREF colourRef(const WindowForm::Colour &colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

// GetDpiForWindow and AdjustWindowRectExForDpi came with Windows 10 1607: looked up at run time,
// so that older systems fall back to the screen's DPI.
template <typename Function> Function user32Function(const char *name)
{
    // One function pointer type to another: bit_cast, which GCC's cast checks accept.
    return std::bit_cast<Function>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name));
}

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

RECT outerRect(const RECT &client, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustFunction>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return outer;
}

int scaled(int twips, UINT dpi)
{
    return WindowForm::pixels(twips, static_cast<int>(dpi));
}

struct ControlClass {
    const wchar_t *name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(const WindowForm::Control &row)
{
    using WindowForm::Kind;
    switch (row.kind) {
    case Kind::ListBox:
        // Without LBS_NOINTEGRALHEIGHT the list box would shrink to whole items.
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case Kind::TextBox:
        return {L"EDIT", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {L"BUTTON", BS_OWNERDRAW, 0};
    case Kind::Frame:
        return {frameClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::Option:
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (row.index == 0 ? WS_GROUP : 0)),
                0};
    case Kind::InfoBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                WS_EX_CLIENTEDGE};
    case Kind::Label:
        return {L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::Window:
        break;
    }
    throw std::logic_error("no Windows control for control " + std::string(row.name));
}

std::wstring windowText(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

WNDCLASSEXW windowClassOf(HINSTANCE instance, WNDPROC procedure, const wchar_t *name)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return windowClass;
}

bool held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// The program's icon at the size the system asks for (metrics of its width and height).
HICON programIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), 0));
}

} // namespace

HWND ZantrelWindow::create(HINSTANCE instance)
{
    module = instance;
    const WindowForm::Control &form = WindowForm::window();
    background = CreateSolidBrush(colourRef(form.background.value_or(WindowForm::windowColour)));
    const std::wstring className = toWide(form.name);

    WNDCLASSEXW windowClass = windowClassOf(instance, windowProcedure, className.c_str());
    windowClass.hbrBackground = background;
    windowClass.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    const WNDCLASSEXW frameClass = windowClassOf(instance, frameProcedure, frameClassName);
    if (RegisterClassExW(&windowClass) == 0 || RegisterClassExW(&frameClass) == 0) {
        return nullptr;
    }
    // Made at its size for the screen's DPI; WM_CREATE sizes it again for its own monitor's.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const UINT screenDpi = windowDpi(nullptr);
    const RECT outer =
        outerRect({0, 0, scaled(form.place.width, screenDpi), scaled(form.place.height, screenDpi)},
                  style, 0, screenDpi);
    return CreateWindowExW(0, className.c_str(), toWide(form.text).c_str(), style, CW_USEDEFAULT,
                           CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                           nullptr, nullptr, instance, this);
}

LRESULT CALLBACK ZantrelWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam)
{
    try {
        if (message == WM_NCCREATE) {
            auto *self = static_cast<ZantrelWindow *>(
                reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
            self->hwnd = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto *self = reinterpret_cast<ZantrelWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->handle(message, wParam, lParam);
    } catch (const std::exception &error) {
        return fail(window, message, error.what());
    } catch (...) {
        return fail(window, message, "unknown error");
    }
}

// Frame1 only holds the options: what they send their parent goes on to the window, and it is
// painted in the colour the window gives it.
LRESULT CALLBACK ZantrelWindow::frameProcedure(HWND frame, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    try {
        return frameMessage(frame, message, wParam, lParam);
    } catch (const std::exception &error) {
        return fail(frame, message, error.what());
    } catch (...) {
        return fail(frame, message, "unknown error");
    }
}

LRESULT ZantrelWindow::frameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND: {
        auto *dc = reinterpret_cast<HDC>(wParam);
        auto *brush = reinterpret_cast<HBRUSH>(SendMessageW(
            GetParent(frame), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(frame)));
        RECT client;
        GetClientRect(frame, &client);
        FillRect(dc, &client, brush);
        return 1;
    }
    default:
        return DefWindowProcW(frame, message, wParam, lParam);
    }
}

// No exception leaves a window procedure that user32 called: the first error is shown and ends the
// program, a window that fails to be made is not made, and later errors (while the report is shown)
// are not shown again.
LRESULT ZantrelWindow::fail(HWND window, UINT message, const char *what)
{
    HWND main = GetAncestor(window, GA_ROOT);
    auto *self = reinterpret_cast<ZantrelWindow *>(GetWindowLongPtrW(main, GWLP_USERDATA));
    const bool first = self == nullptr || !self->failed;
    if (self != nullptr) {
        self->failed = true;
    }
    if (first) {
        MessageBoxW(main, toWide(errorReport(what)).c_str(),
                    toWide(WindowForm::window().text).c_str(), MB_OK | MB_ICONERROR);
    }
    // CreateWindowExW destroys a window whose WM_CREATE fails.
    if (message == WM_CREATE || message == WM_NCCREATE) {
        return message == WM_CREATE ? -1 : FALSE;
    }
    if (first && IsWindow(main) != FALSE) {
        DestroyWindow(main);
    }
    return 0;
}

LRESULT ZantrelWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        dpi = windowDpi(hwnd);
        createControls();
        colours.update();
        accessibility.attach(hwnd, handles);
        layOut();
        controller.Form_Load();
        return 0;
    case WM_DPICHANGED: {
        dpi = LOWORD(wParam);
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_ACTIVATE:
        // The focus goes back where it was when the window is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd, focus) != FALSE) {
                savedFocus = focus;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        moveFocus(savedFocus != nullptr && IsChild(hwnd, savedFocus) != FALSE
                      ? savedFocus
                      : Text1.at(WindowForm::feedbackBox));
        return 0;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        // High Contrast switched, or the system's colours changed: everything is painted again.
        colours.update();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, colours.brush(WindowForm::window()));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DESTROY:
        for (const auto &made : fonts) {
            DeleteObject(made.second);
        }
        accessibility.detach();
        PostQuitMessage(failed ? 1 : 0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void ZantrelWindow::createControls()
{
    using WindowForm::Kind;
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Control &row = rows[position];
        const ControlClass kind = controlClass(row);
        HWND parent = row.kind == Kind::Option ? Frame1 : hwnd;
        HWND control = CreateWindowExW(
            kind.exStyle, kind.name, toWide(row.text).c_str(),
            WS_CHILD | WS_CLIPSIBLINGS | kind.style | (row.shown ? WS_VISIBLE : 0), 0, 0, 0, 0,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + position)),
            module, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create control " + std::string(row.name));
        }
        // Later rows lie on top of earlier ones.
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        handles.at(position) = control;
        const auto index = static_cast<std::size_t>(row.index);
        switch (row.kind) {
        case Kind::ListBox:
            // A pool's items, as the window stores them before the first exercise refills it.
            for (const char item : row.text) {
                const std::wstring wide = toWide(std::string_view(&item, 1));
                SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            }
            List1.at(index) = control;
            break;
        case Kind::TextBox:
            Text2 = control;
            break;
        case Kind::Button:
            Command1 = control;
            break;
        case Kind::Frame:
            Frame1 = control;
            break;
        case Kind::Option:
            // Not checked and reported as clicked when it gets the keyboard focus.
            SendMessageW(control, BM_SETDONTCLICK, TRUE, 0);
            Option1.at(index) = control;
            break;
        case Kind::InfoBox:
            Text1.at(index) = control;
            break;
        case Kind::Label:
            Label1.at(index) = control;
            break;
        case Kind::Window:
            break;
        }
    }
    numbers.keepIn(List1.at(WindowForm::numberList));
    letters.keepIn(List1.at(WindowForm::letterList));
    // The stops of Tab, in the form's order; the options are one stop, null here.
    for (const WindowForm::Control *row : WindowForm::tabOrder()) {
        HWND stop = row->kind == Kind::Option
                        ? nullptr
                        : handles.at(static_cast<std::size_t>(row - rows.data()));
        if (stop != nullptr ||
            std::find(tabStops.begin(), tabStops.end(), nullptr) == tabStops.end()) {
            tabStops.push_back(stop);
        }
    }
}

// Every control at its place in twips, scaled by the window's DPI, in its row's font.
void ZantrelWindow::layOut()
{
    const WindowForm::Control &form = WindowForm::window();
    const RECT client{0, 0, scaled(form.place.width, dpi), scaled(form.place.height, dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    const RECT outer = outerRect(client, style, exStyle, dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A frame drawn at another DPI than the one asked for (a system that scales only the client
    // area) leaves the client area off by the difference: the window is sized again by it.
    RECT shown;
    GetClientRect(hwnd, &shown);
    if (shown.right != client.right || shown.bottom != client.bottom) {
        SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + client.right - shown.right,
                     outer.bottom - outer.top + client.bottom - shown.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const auto previous = std::exchange(fonts, {});
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Twips &place = rows[position].place;
        MoveWindow(handles.at(position), scaled(place.left, dpi), scaled(place.top, dpi),
                   scaled(place.width, dpi), scaled(place.height, dpi), TRUE);
        SendMessageW(handles.at(position), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fontOf(rows[position].font)), TRUE);
    }
    accessibility.setFont(fontOf(WindowForm::window().font));
    for (const auto &made : previous) {
        DeleteObject(made.second);
    }
}

// One font for each of the rows' fonts, at the window's DPI.
HFONT ZantrelWindow::fontOf(const WindowForm::Font &wanted)
{
    const auto made = std::find_if(fonts.begin(), fonts.end(), [&wanted](const auto &entry) {
        return entry.first.face == wanted.face && entry.first.points == wanted.points &&
               entry.first.weight == wanted.weight;
    });
    if (made != fonts.end()) {
        return made->second;
    }
    const std::wstring face = toWide(wanted.face);
    HFONT font =
        CreateFontW(-WindowForm::fontPixels(wanted, static_cast<int>(dpi)), 0, 0, 0, wanted.weight,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
    if (font == nullptr) {
        throw std::runtime_error("cannot create the font " + std::string(wanted.face));
    }
    fonts.emplace_back(wanted, font);
    return font;
}

void ZantrelWindow::command(int id, int notification)
{
    const int position = id - firstControlId;
    if (position < 0 || position >= static_cast<int>(WindowForm::controlCount) ||
        notification != BN_CLICKED) {
        return;
    }
    const WindowForm::Control &row = WindowForm::controls().at(static_cast<std::size_t>(position));
    if (row.kind == WindowForm::Kind::Button) {
        controller.Command1_Click();
        // Screen readers say at once that a new exercise is there, and its expression in words.
        accessibility.announce(WindowForm::newExerciseSpoken(toUtf8(windowText(Text2))));
    } else if (row.kind == WindowForm::Kind::Option && movingFocus) {
        // Windows checks an unchecked auto radio button that gets the focus other than by the
        // mouse, and reports it clicked: the focus alone chooses nothing.
        for (std::size_t index = 0; index < Option1.size(); ++index) {
            SendMessageW(Option1.at(index), BM_SETCHECK,
                         static_cast<int>(index) == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        updateOptionTabStops();
    } else if (row.kind == WindowForm::Kind::Option && row.index != chosen) {
        // Choosing the chosen option again changes nothing.
        chosen = row.index;
        updateOptionTabStops();
        controller.Option1_Click(static_cast<std::int16_t>(row.index));
    }
}

LRESULT ZantrelWindow::colour(HDC dc, HWND control)
{
    const int position = GetDlgCtrlID(control) - firstControlId;
    if (position < 0 || position >= static_cast<int>(WindowForm::controlCount)) {
        return DefWindowProcW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    const auto at = static_cast<std::size_t>(position);
    return reinterpret_cast<LRESULT>(colours.prepare(dc, WindowForm::controls().at(at)));
}

// "Чисти" in its colour with the classic raised bevel, sunk while pressed.
void ZantrelWindow::drawButton(const DRAWITEMSTRUCT &item)
{
    const int position = static_cast<int>(item.CtlID) - firstControlId;
    const WindowForm::Control &row = WindowForm::controls().at(static_cast<std::size_t>(position));
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, colours.brush(row));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    colours.drawEdge(item.hDC, face, pressed);
    if (pressed) {
        OffsetRect(&face, 1, 1);
    }
    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colours.text(row));
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

bool ZantrelWindow::navigate(const MSG &message)
{
    if (message.message != WM_KEYDOWN || held(VK_CONTROL) || held(VK_MENU)) {
        return false;
    }
    HWND focus = GetFocus();
    const auto option = std::find(Option1.begin(), Option1.end(), focus);
    switch (message.wParam) {
    case VK_TAB: {
        // The form's tab order, the options one stop: the chosen one, or the first.
        const auto at =
            std::find(tabStops.begin(), tabStops.end(), option != Option1.end() ? nullptr : focus);
        std::size_t next = 0;
        if (at != tabStops.end()) {
            const auto index = static_cast<std::size_t>(std::distance(tabStops.begin(), at));
            next = (index + (held(VK_SHIFT) ? tabStops.size() - 1 : 1)) % tabStops.size();
        }
        HWND stop = tabStops.at(next);
        moveFocus(stop != nullptr ? stop
                                  : Option1.at(chosen >= 0 ? static_cast<std::size_t>(chosen) : 0));
        return true;
    }
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT: {
        // An arrow with Shift, Ctrl, Alt or the Windows key is left to the control.
        if (option == Option1.end() || held(VK_SHIFT) || held(VK_LWIN) || held(VK_RWIN)) {
            return false;
        }
        // The arrow keys choose the previous or next formula and get it judged at once.
        const bool previous = message.wParam == VK_UP || message.wParam == VK_LEFT;
        const auto index = static_cast<std::size_t>(std::distance(Option1.begin(), option));
        HWND next = Option1.at((index + (previous ? Option1.size() - 1 : 1)) % Option1.size());
        moveFocus(next);
        SendMessageW(next, BM_CLICK, 0, 0);
        return true;
    }
    default:
        return false;
    }
}

void ZantrelWindow::updateOptionTabStops()
{
    for (HWND option : Option1) {
        const auto style = GetWindowLongPtrW(option, GWL_STYLE);
        const bool stop = option == Option1.at(chosen >= 0 ? static_cast<std::size_t>(chosen) : 0);
        SetWindowLongPtrW(option, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

void ZantrelWindow::moveFocus(HWND control)
{
    const bool outer = std::exchange(movingFocus, true);
    SetFocus(control);
    movingFocus = outer;
}

void ZantrelWindow::setFeedbackText(std::string_view text)
{
    // A multi-line EDIT breaks lines at CR LF, as the texts are stored.
    SetWindowTextW(Text1.at(WindowForm::feedbackBox), toWide(text).c_str());
    accessibility.announce(spokenText(text));
}

void ZantrelWindow::setExpressionText(std::string text)
{
    SetWindowTextW(Text2, toWide(text).c_str());
    accessibility.describe(Text2, spokenExpression(text));
}

void ZantrelWindow::deselectOption(int index)
{
    SendMessageW(Option1.at(static_cast<std::size_t>(index)), BM_SETCHECK, BST_UNCHECKED, 0);
    if (index == chosen) {
        chosen = -1;
        updateOptionTabStops();
    }
}

std::string ZantrelWindow::optionCaption(int index) const
{
    return toUtf8(windowText(Option1.at(static_cast<std::size_t>(index))));
}
