// SPDX-License-Identifier: MIT
// Start-up of the Windows edition: the window, then the message loop, whose keys for moving
// between the controls go to the window first.
#include "clock_random.h"
#include "zantrel_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    ClockRandom random;
    ZantrelWindow zantrel(random);
    HWND window = zantrel.create(instance);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!zantrel.navigate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
