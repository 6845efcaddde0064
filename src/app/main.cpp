// SPDX-License-Identifier: MIT
// Start-up: the application, the one window, the event loop.
#include "clock_random.h"
#include "window_form.h"
#include "zantrel.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QtMessageHandler defaultMessageHandler = nullptr;
bool startingWithoutRuntimeFolder = false;

// The platform plugin Qt looked for and did not find, as its warning names it.
QString missingPlatform;

// What a learner needs to hear when Qt cannot open a window for want of its platform plugin: which
// one is missing and which package brings it.
QString missingPlatformReport()
{
    const QString package = missingPlatform.startsWith(QLatin1String("wayland"))
                                ? QStringLiteral("qt6-wayland")
                            : missingPlatform == QLatin1String("xcb") ? QStringLiteral("libqt6gui6")
                                                                      : QString();
    return QStringLiteral(
               "zantrel: cannot open a window: Qt's platform plugin \"%1\" is not installed%2")
        .arg(missingPlatform,
             package.isEmpty() ? QString() : QStringLiteral(" (Debian package %1)").arg(package));
}

// A fatal error inside Qt (a display that cannot be reached, say) ends the program with Qt's
// message and a failure code instead of an abort and a core dump; a missing platform plugin, with
// one line that says which.
void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Qt's own notes on the runtime folder the program has chosen to do without.
    if (startingWithoutRuntimeFolder && message.startsWith(QLatin1String("QStandardPaths: "))) {
        return;
    }
    static const QLatin1String notFound("Could not find the Qt platform plugin \"");
    if (message.startsWith(notFound)) {
        missingPlatform = message.mid(notFound.size()).section(QLatin1Char('"'), 0, 0);
        return;
    }
    if (type == QtFatalMsg && !missingPlatform.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missingPlatformReport()));
        std::_Exit(EXIT_FAILURE);
    }
    defaultMessageHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::_Exit(EXIT_FAILURE);
    }
}

// An error in the exercise ends the program: said on the console and in a message box.
void reportError(const QString &message)
{
    const QString text = QString::fromStdString(WindowForm::errorReport(message.toStdString()));
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

// Qt looks into the session's runtime folder at start-up (for a Flatpak marker). Where the session
// names none (after su, or in a bare startx), Qt would create /tmp/runtime-$USER for the look, and
// the program writes nothing. So the program takes the user's own runtime folder where the system
// keeps one (/run/user/UID, private and the user's), and otherwise gives Qt's start-up a temporary
// folder in which no folder can be made, so that the look finds nothing and creates nothing. The
// returned value is the temporary folder to restore once Qt has started, when it was changed.
std::optional<std::string> keepQtFromMakingARuntimeFolder()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
        return std::nullopt;
    }
    const std::string own = "/run/user/" + std::to_string(::geteuid());
    struct stat folder {};
    if (::lstat(own.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
        folder.st_uid == ::geteuid() && (folder.st_mode & 07777) == 0700) {
        ::setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
        return std::nullopt;
    }
    const char *temporary = std::getenv("TMPDIR");
    ::setenv("TMPDIR", "/proc", 1);
    startingWithoutRuntimeFolder = true;
    return std::string(temporary != nullptr ? temporary : "");
}

void restoreTemporaryFolder(const std::optional<std::string> &temporary)
{
    if (!temporary) {
        return;
    }
    startingWithoutRuntimeFolder = false;
    if (temporary->empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", temporary->c_str(), 1);
    }
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
    const std::optional<std::string> temporaryFolder = keepQtFromMakingARuntimeFolder();
    keepToTheSessionBus();
#endif
    defaultMessageHandler = qInstallMessageHandler(handleMessage);
    // The program takes no command line: Qt sees the program name alone, not even its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
#if defined(__linux__)
    restoreTemporaryFolder(temporaryFolder);
#endif
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
