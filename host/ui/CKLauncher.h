#pragma once

#include <functional>

#include <QString>
#include <QStringList>

namespace kelo {

// WinExec: starts a command line as a detached process. "CALC.EXE" (any case, with or without a
// folder) starts the desktop's calculator when one is installed. Failures are not reported to
// the user; Run answers whether a process started. Tests replace the starter.
class CKLauncher final {
public:
    // Starts `program` with `arguments` detached; true when it started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    // `show` is the window show state and is not used. Empty command line: false, nothing runs.
    static bool WinExec(const QString& commandLine, int show = 1);

    static Starter SetStarter(Starter starter);

    // The desktop calculator's program, empty when none is found on PATH.
    static QString FindCalculator();
};

}  // namespace kelo
