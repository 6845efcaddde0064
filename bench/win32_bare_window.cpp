// SPDX-License-Identifier: MIT
// The reference for the Windows edition's start-up: a bare Win32 window of the same size and
// colours with the same kinds of controls in the same places (two hidden list boxes, two edit
// controls, an owner-drawn button, a container of nine auto radio buttons, two labels) and no
// exercise behind them.
#include <windows.h>

namespace {

struct Row {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
    RECT place; // left, top, width, height at 96 dpi
    COLORREF background;
    const wchar_t *text;
};

constexpr COLORREF none = CLR_INVALID;
HBRUSH brushes[20];
Row rows[20];
int rowCount = 0;
HFONT font;

LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC || message == WM_ERASEBKGND) {
        if (message == WM_ERASEBKGND) {
            RECT client;
            GetClientRect(frame, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brushes[4]);
            return 1;
        }
        return SendMessageW(GetParent(frame), message, wParam, lParam);
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        const int row = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) - 100;
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (row >= 0 && row < rowCount && rows[row].background != none) {
            SetBkColor(dc, rows[row].background);
            return reinterpret_cast<LRESULT>(brushes[row]);
        }
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DRAWITEM: {
        const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        RECT face = item->rcItem;
        FillRect(item->hDC, &face, brushes[3]);
        DrawEdge(item->hDC, &face, EDGE_RAISED, BF_RECT | BF_ADJUST);
        SetBkMode(item->hDC, TRANSPARENT);
        DrawTextW(item->hDC, L"Чисти", -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return TRUE;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const COLORREF window = RGB(192, 192, 255);
    const Row fixed[] = {
        {L"LISTBOX", LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, {328, 88, 57, 118}, none, L""},
        {L"LISTBOX", LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, {288, 48, 41, 118}, none, L""},
        {L"EDIT",
         ES_READONLY | WS_VISIBLE,
         WS_EX_CLIENTEDGE,
         {8, 240, 449, 41},
         none,
         L" 4*a^2 +  12*a*b +  9*b^2"},
        {L"BUTTON",
         BS_OWNERDRAW | WS_VISIBLE,
         0,
         {304, 208, 121, 25},
         RGB(255, 128, 128),
         L"Чисти"},
        {L"BareFrame", WS_VISIBLE, WS_EX_CONTROLPARENT, {160, 56, 129, 185}, window, L""},
        {L"EDIT",
         ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_VISIBLE,
         WS_EX_CLIENTEDGE,
         {8, 288, 449, 121},
         none,
         L"В основното образование често се срещат случаи на задачи."},
        {L"STATIC",
         SS_CENTER | SS_CENTERIMAGE | WS_VISIBLE,
         0,
         {160, 32, 121, 25},
         RGB(255, 192, 128),
         L"Формула"},
        {L"STATIC",
         SS_CENTER | SS_CENTERIMAGE | WS_VISIBLE,
         0,
         {56, 0, 345, 25},
         RGB(255, 192, 128),
         L"Математика - формули за съкратено умножение"},
    };
    const wchar_t *const captions[] = {L"(x + y)^2",     L"(x - y)^2",     L"x^2 - y^2",
                                       L"(x + y + z)^2", L"(x + y - z)^2", L"(x + y)^3",
                                       L"(x - y)^3",     L"x^3 + y^3",     L"x^3 - y^3"};
    for (const Row &row : fixed) {
        rows[rowCount++] = row;
    }
    for (int option = 0; option < 9; ++option) {
        rows[rowCount++] = {L"BUTTON",
                            static_cast<DWORD>(BS_AUTORADIOBUTTON | WS_VISIBLE),
                            0,
                            {0, 20 * option, 121, 20},
                            RGB(128, 255, 255),
                            captions[option]};
    }

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(window);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = frameProcedure;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = L"BareFrame";
    RegisterClassW(&frameClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT outer{0, 0, 465, 414};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND main = CreateWindowExW(0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                                nullptr, nullptr, instance, nullptr);
    font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_ROMAN, L"Times New Roman");
    HWND frame = nullptr;
    for (int row = 0; row < rowCount; ++row) {
        const Row &r = rows[row];
        if (r.background != none) {
            brushes[row] = CreateSolidBrush(r.background);
        }
        HWND control = CreateWindowExW(
            r.exStyle, r.className, r.text, WS_CHILD | WS_CLIPSIBLINGS | r.style, r.place.left,
            r.place.top, r.place.right, r.place.bottom, row >= 8 ? frame : main,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + row)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row == 4) {
            frame = control;
        }
    }
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
