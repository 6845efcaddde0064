// SPDX-License-Identifier: MIT
// Start-up: the session, the application, the one window, the event loop.
#include "clock_random.h"
#include "session_environment.h"
#include "zantrel.h"

#include <QApplication>

#include <cstdlib>
#include <exception>

int main(int /*argc*/, char *argv[])
{
    if (!SessionEnvironment::hasDisplay()) {
        return EXIT_FAILURE;
    }
    SessionEnvironment session;
    // The program takes no command line: Qt sees the program name alone, not even its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    session.started();
    QApplication::setApplicationName(QStringLiteral("zantrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTREL_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZANTREL_APP_ID));
    Zantrel::styleApplication();

    ClockRandom random;
    try {
        Zantrel window(random);
        QObject::connect(&window, &Zantrel::failed, &window, [](const QString &message) {
            Zantrel::reportError(message);
            QApplication::exit(EXIT_FAILURE);
        });
        window.show();
        return QApplication::exec();
    } catch (const std::exception &error) {
        Zantrel::reportError(QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
}
