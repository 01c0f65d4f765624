// kelo-host: opens a company, logs a user on, keeps the program date and offers the Task
// Manager, which it loads as a module and drives through its four entry points.
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QMetaObject>
#include <QStringList>

#include "host/program/HostOptions.h"
#include "host/program/HostSession.h"
#include "host/program/HostWindow.h"
#include "host/program/TaskModule.h"
#include "host/util/ProgramDate.h"

int main(int argc, char** argv)
{
    // The command line and the company are checked before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    std::string error;
    const auto options = kelo::host::HostOptions::Parse(arguments, error);
    if (!options) {
        std::fprintf(stderr, "kelo-host: %s\n%s\n", error.c_str(),
                     kelo::host::HostOptions::Usage());
        return 2;
    }

    std::unique_ptr<kelo::host::HostSession> session;
    std::unique_ptr<kelo::host::TaskModule> module;
    try {
        session = std::make_unique<kelo::host::HostSession>(options->company, options->user);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelo-host: %s\n", e.what());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelo-host"));
    try {
        QString programDir = QDir(QApplication::applicationDirPath()).absolutePath();
        if (const QByteArray env = qgetenv("KELO_PROGRAM_DIR"); !env.isEmpty())
            programDir = QString::fromLocal8Bit(env);
        session->FillGlobalBlock(QDir::cleanPath(programDir).toStdString() + "/");
        module = std::make_unique<kelo::host::TaskModule>(kelo::host::TaskModule::DefaultPath());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelo-host: %s\n", e.what());
        return 1;
    }
    if (options->programDate) SetProgramDate(options->programDate);

    kelo::host::HostWindow window(*session, *module);
    window.show();
    if (options->openTasks) window.OpenTaskManager();
    // Opening may process events before exec() runs, and a quit handled then is lost: the
    // queued check repeats itself until the main loop is running.
    bool running = false;
    std::function<void()> quitWhenRunning = [&] {
        if (running)
            QCoreApplication::exit(0);  // quit() would ask the windows first
        else
            QMetaObject::invokeMethod(&app, quitWhenRunning, Qt::QueuedConnection);
    };
    if (options->exitAfterStart)
        QMetaObject::invokeMethod(&app, quitWhenRunning, Qt::QueuedConnection);
    running = true;
    const int result = QApplication::exec();
    module->KillTaskManager();
    return result;
}
