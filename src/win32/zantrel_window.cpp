// SPDX-License-Identifier: MIT
// The window's registration and its two procedures (the window's and Frame1's) behind one
// exception boundary, what the window does with each message, and the controller's view.
#include "zantrel_window.h"

#include "shown_text.h"
#include "spoken_expression.h"
#include "unicode.h"

#include <cstddef>
#include <exception>
#include <stdexcept>

namespace {

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

// No exception leaves a window procedure that user32 called: each procedure runs its handler here.
template <typename Handler>
LRESULT ZantrelWindow::guarded(HWND window, UINT message, Handler handler)
{
    try {
        return handler();
    } catch (const std::exception &error) {
        return fail(window, message, error.what());
    } catch (...) {
        return fail(window, message, "unknown error");
    }
}

// The window's own object rides on the window: given with WM_NCCREATE, kept in its user data.
LRESULT CALLBACK ZantrelWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam)
{
    return guarded(window, message, [=] {
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
    });
}

// Frame1 only holds the options: what they send their parent goes on to the window, and it is
// painted in the colour the window gives it.
LRESULT CALLBACK ZantrelWindow::frameProcedure(HWND frame, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    return guarded(frame, message, [=] { return frameMessage(frame, message, wParam, lParam); });
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

// An error in a procedure: the first is shown and ends the program, a window that fails to be made
// is not made, and later errors (while the report is shown) are not shown again.
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
        createControls();
        colours.update();
        accessibility.attach(hwnd, handles);
        accessibility.setFont(layout.layOut(hwnd, handles, windowDpi(hwnd)));
        controller.Form_Load();
        return 0;
    case WM_DPICHANGED: {
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        accessibility.setFont(layout.layOut(hwnd, handles, LOWORD(wParam)));
        return 0;
    }
    case WM_ACTIVATE:
        // The focus goes back where it was when the window is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            saveFocus();
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        restoreFocus();
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
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        colours.drawButton(item, WindowForm::controls().at(item.CtlID - firstControlId));
        return TRUE;
    }
    case WM_DESTROY:
        accessibility.detach();
        PostQuitMessage(failed ? 1 : 0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
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
