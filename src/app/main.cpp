// SPDX-License-Identifier: MIT
// Start-up: the application, the one window, the event loop.
#include "clock_random.h"
#include "window_texts.h"
#include "zantrel.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#if defined(__linux__)
#include <sys/stat.h>
#endif

namespace {

QtMessageHandler defaultMessageHandler = nullptr;

// A fatal error inside Qt (a display that cannot be reached, say) ends the program with Qt's
// message and a failure code instead of an abort and a core dump.
void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    defaultMessageHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::_Exit(EXIT_FAILURE);
    }
}

// An error in the exercise ends the program: said on the console and in a message box.
void reportError(const QString &message)
{
    const QString text =
        QString::fromUtf8(WindowTexts::errorPrefix.data(),
                          static_cast<qsizetype>(WindowTexts::errorPrefix.size())) +
        message;
    std::fprintf(stderr, "zantrel: %s\n", qPrintable(text));
    QMessageBox::critical(nullptr, QStringLiteral("zantrel"), text);
}

#if defined(__linux__)
// Where the desktop session has no bus, libdbus would start one of its own (dbus-launch) the
// first time Qt asks for it: a daemon that outlives the program and writes under ~/.dbus. The
// program needs the session bus only to reach screen readers, and a screen reader needs the
// session's own bus, so without one the program does without the bus.
void keepToTheSessionBus()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) {
        return;
    }
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    if (runtime != nullptr && *runtime != '\0' &&
        ::stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode)) {
        return; // libdbus finds the session's bus there by itself
    }
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}
#endif

} // namespace

int main(int /*argc*/, char *argv[])
{
#if defined(__linux__)
    // Without a display Qt would abort; say why in one line instead.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        std::fputs("zantrel: no display to open the window on (DISPLAY is not set)\n", stderr);
        return EXIT_FAILURE;
    }
    keepToTheSessionBus();
#endif
    defaultMessageHandler = qInstallMessageHandler(handleMessage);
    // The program takes no command line: Qt sees the program name alone, not even its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("zantrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTREL_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZANTREL_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The window's font for the whole application, so that no second face is ever loaded.
    QApplication::setFont(Zantrel::windowFont());

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
