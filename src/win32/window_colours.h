// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <windows.h>

#include <map>

// The colours the Windows edition paints with. With High Contrast off, every control has its row's
// colours: the window, Frame1, the options, the labels and "Чисти" their fixed faces with the
// form's text colour on them, whatever the system's text colours are; the text and list boxes,
// which have no colours of their own, the system's window colours. With High Contrast on, every
// control has the system's colours: the window's text on the window's background everywhere, and
// on "Чисти" the button's, inside an edge of the button's text colour. update() asks whether High
// Contrast is on (through the function the window is given: the system's setting, or a test's
// answer) and drops the brushes, which are made again, one for each colour, as painting needs
// them; the window calls it at the start and whenever the system's settings or colours change.
using HighContrastQuery = bool (*)();

// A colour of the form as Windows gives colours.
COLORREF colourRef(const WindowForm::Colour &colour);

// Whether Windows' High Contrast is on (SPI_GETHIGHCONTRAST).
bool systemHighContrast();

class WindowColours {
public:
    explicit WindowColours(HighContrastQuery query = systemHighContrast) : highContrastOn(query) {}
    ~WindowColours();
    WindowColours(const WindowColours &) = delete;
    WindowColours &operator=(const WindowColours &) = delete;
    WindowColours(WindowColours &&) = delete;
    WindowColours &operator=(WindowColours &&) = delete;

    void update();

    // A row's text and background colours (the window's own row for the window).
    COLORREF text(const WindowForm::Control &row) const;
    COLORREF background(const WindowForm::Control &row) const;
    HBRUSH brush(const WindowForm::Control &row);
    // The answer to WM_CTLCOLOR*: the row's colours set on the control's device context, and the
    // brush of its background.
    HBRUSH prepare(HDC dc, const WindowForm::Control &row);
    // An owner-drawn button ("Чисти") of the row: its face in its colour with the classic raised
    // bevel, sunk while pressed, its caption, and the focus rectangle when it has the focus.
    void drawButton(const DRAWITEMSTRUCT &item, const WindowForm::Control &row);

private:
    // The edge round a button's face, raised or sunk; leaves `face` as the rectangle inside it.
    void drawEdge(HDC dc, RECT &face, bool pressed);
    HBRUSH brushOf(COLORREF colour);

    HighContrastQuery highContrastOn;
    bool contrast = false;
    std::map<COLORREF, HBRUSH> brushes;
};
