// SPDX-License-Identifier: MIT
#pragma once

#include "window_form.h"

#include <windows.h>

#include <array>
#include <string_view>
#include <vector>

struct IAccPropServices;

// What screen readers read of the Windows edition, with standard controls only. Windows' own
// accessibility proxies name a button or a label by its text, a plain window by its window text,
// and an EDIT by the STATIC just before it in z-order. So attach() puts a hidden STATIC carrying
// its row's accessible name just before each named text box, gives Frame1, which paints no text,
// its name as its window text, and adds the announcer: a shown STATIC of no size at the bottom of
// the z-order, whose text is the latest answer. Where oleacc's Dynamic Annotation works, attach()
// also gives every row its accessible name and description (the options' names are their formulas
// in words) and the announcer the live setting "polite"; describe() gives a control a description
// (the expression in words). announce() puts an answer into the announcer and raises
// EVENT_OBJECT_LIVEREGIONCHANGED on it: screen readers speak the name of the object that raises it,
// the answer. Without Dynamic Annotation (its service missing, or not implemented) the rest works
// as before. oleacc is reached through COM, with ole32 loaded at run time.
class AccessibleControls {
public:
    AccessibleControls() = default;
    ~AccessibleControls();
    AccessibleControls(const AccessibleControls &) = delete;
    AccessibleControls &operator=(const AccessibleControls &) = delete;
    AccessibleControls(AccessibleControls &&) = delete;
    AccessibleControls &operator=(AccessibleControls &&) = delete;

    // `controls`: each row's control, by row position, all children of `window`.
    void attach(HWND window, const std::array<HWND, WindowForm::controlCount> &controls);
    void describe(HWND control, std::string_view description);
    void announce(std::string_view answer);
    // The window's font for the controls attach() made, as for every other control.
    void setFont(HFONT font) const;
    // Clears the annotations and ends COM; called while the window still exists.
    void detach();

private:
    void annotate(HWND control, const GUID &property, std::string_view text);

    HMODULE ole32 = nullptr;
    bool comStarted = false;
    IAccPropServices *services = nullptr;
    HWND announcerControl = nullptr;
    std::vector<HWND> madeControls; // the labels and the announcer
    std::vector<HWND> annotatedControls;
};
