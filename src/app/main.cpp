// SPDX-License-Identifier: MIT
// Start-up: the application, the one window, the event loop.
#include "clock_random.h"
#include "zantrel.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

int main(int /*argc*/, char *argv[])
{
#if defined(__linux__)
    // Without a display Qt would abort; say why in one line instead.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        std::fputs("zantrel: no display to open the window on (DISPLAY is not set)\n", stderr);
        return EXIT_FAILURE;
    }
#endif
    // The program takes no command line: Qt sees the program name alone, not even its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("zantrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTREL_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZANTREL_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    ClockRandom random;
    Zantrel window(random);
    window.show();
    return QApplication::exec();
}
