// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

// The desktop session as Qt's start-up sees it, kept to what a program that writes nothing and
// takes no command line may use. Made before the application, it says whether there is a display
// to open the window on; it keeps Qt from making a runtime folder (or starting a session bus) of
// its own, and turns Qt's fatal errors into one line and a failure code. started() is called once
// the application exists: the session is then as the user left it.
class SessionEnvironment {
public:
    SessionEnvironment();
    ~SessionEnvironment();
    SessionEnvironment(const SessionEnvironment &) = delete;
    SessionEnvironment &operator=(const SessionEnvironment &) = delete;
    SessionEnvironment(SessionEnvironment &&) = delete;
    SessionEnvironment &operator=(SessionEnvironment &&) = delete;

    // False, after saying why on the console, where the session has no display to open a window on.
    static bool hasDisplay();
    void started();

private:
    void keepToTheSessionBus() const;
    void keepQtFromMakingARuntimeFolder();
    QString missingPlatformReport() const;
    static void handleMessage(QtMsgType type, const QMessageLogContext &context,
                              const QString &message);

    QtMessageHandler qtHandler = nullptr;
    // The temporary folder to give back once Qt has started, where start-up went without one.
    std::optional<std::string> temporaryFolder;
    // The platform plugin Qt looked for and did not find, as its warning names it.
    QString missingPlatform;
};
