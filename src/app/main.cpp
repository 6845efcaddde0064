// SPDX-License-Identifier: MIT
// Start-up: the session, the application, the one window, the event loop. An error in the
// exercise ends the program, said on the console and in a message box.
#include "clock_random.h"
#include "session_environment.h"
#include "window_form.h"
#include "zantrel.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>

static void reportError(const QString &message)
{
    const QString text = QString::fromStdString(WindowForm::errorReport(message.toStdString()));
    std::fprintf(stderr, "zantrel: %s\n", qPrintable(text));
    QMessageBox::critical(nullptr, QStringLiteral("zantrel"), text);
}

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
            reportError(message);
            QApplication::exit(EXIT_FAILURE);
        });
        window.show();
        return QApplication::exec();
    } catch (const std::exception &error) {
        reportError(QString::fromUtf8(error.what()));
        return EXIT_FAILURE;
    }
}
