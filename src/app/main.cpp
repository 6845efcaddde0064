// SPDX-License-Identifier: MIT
// Start-up: the application, the one window, the event loop.
#include "clock_random.h"
#include "zantrel.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <exception>

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
    const QString text = QStringLiteral("Грешка при изпълнение: ") + message;
    std::fprintf(stderr, "zantrel: %s\n", qPrintable(text));
    QMessageBox::critical(nullptr, QStringLiteral("zantrel"), text);
}

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
#endif
    defaultMessageHandler = qInstallMessageHandler(handleMessage);
    // The program takes no command line: Qt sees the program name alone, not even its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("zantrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZANTREL_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZANTREL_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

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
