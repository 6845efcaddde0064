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
}

// Frame1 only holds the options: what they send their parent goes on to the window, and it is
// painted in the colour the window gives it.
LRESULT CALLBACK ZantrelWindow::frameProcedure(HWND frame, UINT message, WPARAM wParam,
                                               LPARAM lParam)
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

LRESULT ZantrelWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        dpi = windowDpi(hwnd);
        if (!createControls()) {
            return -1;
        }
        colours.update();
        accessibility.attach(hwnd, handles);
        layOut();
        bool loaded = false;
        run([this, &loaded] {
            controller.Form_Load();
            loaded = true;
        });
        return loaded ? 0 : -1;
    }
    case WM_DPICHANGED: {
        dpi = LOWORD(wParam);
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(Text1.at(WindowForm::feedbackBox));
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
        if (font != nullptr) {
            DeleteObject(font);
        }
        accessibility.detach();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool ZantrelWindow::createControls()
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
            return false;
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
    numbers.emplace(List1.at(WindowForm::numberList));
    letters.emplace(List1.at(WindowForm::letterList));
    return true;
}

// Every control at its place in twips, scaled by the window's DPI, in Times New Roman 12 pt.
void ZantrelWindow::layOut()
{
    const WindowForm::Control &form = WindowForm::window();
    const RECT client{0, 0, scaled(form.place.width, dpi), scaled(form.place.height, dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    const RECT outer = outerRect(client, style, exStyle, dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    HFONT previous = font;
    const WindowForm::Font &formFont = WindowForm::window().font;
    const std::wstring face = toWide(formFont.face);
    font =
        CreateFontW(-MulDiv(formFont.points, static_cast<int>(dpi), 72), 0, 0, 0, formFont.weight,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Twips &place = rows[position].place;
        MoveWindow(handles.at(position), scaled(place.left, dpi), scaled(place.top, dpi),
                   scaled(place.width, dpi), scaled(place.height, dpi), TRUE);
        SendMessageW(handles.at(position), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (previous != nullptr) {
        DeleteObject(previous);
    }
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
        run([this] { controller.Command1_Click(); });
    } else if (row.kind == WindowForm::Kind::Option && row.index != chosen) {
        // Choosing the chosen option again changes nothing.
        chosen = row.index;
        updateOptionTabStops();
        run([this, &row] { controller.Option1_Click(static_cast<std::int16_t>(row.index)); });
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
    if (message.message != WM_KEYDOWN || (GetKeyState(VK_CONTROL) & 0x8000) != 0 ||
        (GetKeyState(VK_MENU) & 0x8000) != 0) {
        return false;
    }
    HWND focus = GetFocus();
    const auto option = std::find(Option1.begin(), Option1.end(), focus);
    const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (message.wParam) {
    case VK_TAB: {
        // The feedback box, the options (one stop: the chosen one, or the first), "Чисти", the
        // expression box.
        HWND optionStop = Option1.at(chosen >= 0 ? static_cast<std::size_t>(chosen) : 0);
        const std::array stops{Text1.at(WindowForm::feedbackBox), optionStop, Command1, Text2};
        HWND current = option != Option1.end() ? optionStop : focus;
        const auto at = std::find(stops.begin(), stops.end(), current);
        std::size_t next = 0;
        if (at != stops.end()) {
            const auto index = static_cast<std::size_t>(std::distance(stops.begin(), at));
            next = (index + (back ? stops.size() - 1 : 1)) % stops.size();
        }
        SetFocus(stops.at(next));
        return true;
    }
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT: {
        if (option == Option1.end()) {
            return false;
        }
        // The arrow keys choose the previous or next formula and get it judged at once.
        const bool previous = message.wParam == VK_UP || message.wParam == VK_LEFT;
        const auto index = static_cast<std::size_t>(std::distance(Option1.begin(), option));
        HWND next = Option1.at((index + (previous ? Option1.size() - 1 : 1)) % Option1.size());
        SetFocus(next);
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

template <typename Handler> void ZantrelWindow::run(Handler handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        // The exercise cannot go on: the error is shown and the program ends.
        MessageBoxW(hwnd, toWide(errorReport(error.what())).c_str(),
                    toWide(WindowForm::window().text).c_str(), MB_OK | MB_ICONERROR);
        DestroyWindow(hwnd);
    }
}

void ZantrelWindow::setFeedbackText(std::string_view text)
{
    // A multi-line EDIT breaks lines at CR LF, as the texts are stored.
    SetWindowTextW(Text1.at(WindowForm::feedbackBox), toWide(text).c_str());
    accessibility.announce(text);
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
