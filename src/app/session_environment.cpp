// SPDX-License-Identifier: MIT
#include "session_environment.h"

#include <cstdio>
#include <cstdlib>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Qt's message handler takes no data of its own: it reaches the session through this, which the
// one SessionEnvironment sets while it lives.
SessionEnvironment *current = nullptr;

} // namespace

SessionEnvironment::SessionEnvironment() : qtHandler(qInstallMessageHandler(handleMessage))
{
    current = this;
#if defined(__linux__)
    keepQtFromMakingARuntimeFolder();
    keepToTheSessionBus();
#endif
}

SessionEnvironment::~SessionEnvironment()
{
    qInstallMessageHandler(qtHandler);
    current = nullptr;
}

bool SessionEnvironment::hasDisplay()
{
#if defined(__linux__)
    // Without a display Qt would abort; say why in one line instead.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        std::fputs("zantrel: no display to open the window on (DISPLAY is not set)\n", stderr);
        return false;
    }
#endif
    return true;
}

void SessionEnvironment::started()
{
#if defined(__linux__)
    if (!temporaryFolder) {
        return;
    }
    if (temporaryFolder->empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", temporaryFolder->c_str(), 1);
    }
    temporaryFolder.reset();
#endif
}

// What a learner needs to hear when Qt cannot open a window for want of its platform plugin: which
// one is missing and which package brings it.
QString SessionEnvironment::missingPlatformReport() const
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
void SessionEnvironment::handleMessage(QtMsgType type, const QMessageLogContext &context,
                                       const QString &message)
{
    SessionEnvironment &session = *current;
    // Qt's own notes on the runtime folder the program has chosen to do without.
    if (session.temporaryFolder && message.startsWith(QLatin1String("QStandardPaths: "))) {
        return;
    }
    static const QLatin1String notFound("Could not find the Qt platform plugin \"");
    if (message.startsWith(notFound)) {
        session.missingPlatform = message.mid(notFound.size()).section(QLatin1Char('"'), 0, 0);
        return;
    }
    if (type == QtFatalMsg && !session.missingPlatform.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(session.missingPlatformReport()));
        std::_Exit(EXIT_FAILURE);
    }
    session.qtHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::_Exit(EXIT_FAILURE);
    }
}

#if defined(__linux__)
// Where the desktop session has no bus, libdbus would start one of its own (dbus-launch) the
// first time Qt asks for it: a daemon that outlives the program and writes under ~/.dbus. The
// program needs the session bus only to reach screen readers, and a screen reader needs the
// session's own bus, so without one the program does without the bus.
void SessionEnvironment::keepToTheSessionBus() const
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) {
        return;
    }
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat bus = {};
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
// folder in which no folder can be made, so that the look finds nothing and creates nothing; the
// user's temporary folder is given back in started().
void SessionEnvironment::keepQtFromMakingARuntimeFolder()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
        return;
    }
    const std::string own = "/run/user/" + std::to_string(::geteuid());
    struct stat folder = {};
    if (::lstat(own.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
        folder.st_uid == ::geteuid() && (folder.st_mode & 07777) == 0700) {
        ::setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
        return;
    }
    // Copied before setenv, which may free the string getenv points into.
    const char *temporary = std::getenv("TMPDIR");
    temporaryFolder = std::string(temporary != nullptr ? temporary : "");
    ::setenv("TMPDIR", "/proc", 1);
}
#endif
