// SPDX-License-Identifier: MIT
#include "window_colours.h"

#include "unicode.h"

#include <string>

namespace {

// "Чисти" has the system's button colours in High Contrast; every other control the window's.
bool buttonColours(const WindowForm::Control &row)
{
    return row.kind == WindowForm::Kind::Button;
}

} // namespace

COLORREF colourRef(const WindowForm::Colour &colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

bool systemHighContrast()
{
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

WindowColours::~WindowColours()
{
    for (const auto &[colour, made] : brushes) {
        DeleteObject(made);
    }
}

void WindowColours::update()
{
    contrast = highContrastOn();
    for (const auto &[colour, made] : brushes) {
        DeleteObject(made);
    }
    brushes.clear();
}

COLORREF WindowColours::text(const WindowForm::Control &row) const
{
    if (contrast) {
        return GetSysColor(buttonColours(row) ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
    }
    // A control without a text colour of its own has no background of its own either: the
    // system's pair of window colours, which are readable together.
    return row.foreground ? colourRef(*row.foreground) : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF WindowColours::background(const WindowForm::Control &row) const
{
    if (contrast) {
        return GetSysColor(buttonColours(row) ? COLOR_BTNFACE : COLOR_WINDOW);
    }
    return row.background ? colourRef(*row.background) : GetSysColor(COLOR_WINDOW);
}

HBRUSH WindowColours::brush(const WindowForm::Control &row)
{
    return brushOf(background(row));
}

HBRUSH WindowColours::prepare(HDC dc, const WindowForm::Control &row)
{
    SetTextColor(dc, text(row));
    SetBkColor(dc, background(row));
    return brush(row);
}

void WindowColours::drawEdge(HDC dc, RECT &face, bool pressed)
{
    if (!contrast) {
        // The classic bevel in the system's three-dimensional colours.
        DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        return;
    }
    // The system's bevel colours may all equal the face in a High Contrast scheme: a line in the
    // button's text colour always shows, one pixel wide, two while pressed.
    HBRUSH line = brushOf(GetSysColor(COLOR_BTNTEXT));
    for (int width = pressed ? 2 : 1; width > 0; --width) {
        FrameRect(dc, &face, line);
        InflateRect(&face, -1, -1);
    }
}

void WindowColours::drawButton(const DRAWITEMSTRUCT &item, const WindowForm::Control &row)
{
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, brush(row));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    drawEdge(item.hDC, face, pressed);
    if (pressed) {
        OffsetRect(&face, 1, 1);
    }
    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, text(row));
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

HBRUSH WindowColours::brushOf(COLORREF colour)
{
    const auto found = brushes.find(colour);
    if (found != brushes.end()) {
        return found->second;
    }
    HBRUSH made = CreateSolidBrush(colour);
    brushes.emplace(colour, made);
    return made;
}
