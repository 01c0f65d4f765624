// kelo-host: opens a company, logs a user on, keeps the program date and offers the Task
// Manager, which it loads as a module and drives through its four entry points.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include <QApplication>
#include <QIcon>
#include <QMetaObject>
#include <QStringList>

#include "host/file/DataContext.h"
#include "host/program/HostOptions.h"
#include "host/program/HostSession.h"
#include "host/program/HostSettings.h"
#include "host/program/HostWindow.h"
#include "host/program/InstallLayout.h"
#include "host/program/TaskModule.h"
#include "host/ui/CKMessageBox.h"
#include "host/util/ProgramDate.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace {

// Started from the desktop with no company yet: offer the demo company in the default folder,
// so there is something to look at. False when the user declines or it cannot be made.
bool OfferDemoCompany(const std::string& folder)
{
    namespace fs = std::filesystem;
    const QString text =
        QStringLiteral("There is no company in %1 yet.\n\nMake the demo company there now?")
            .arg(QString::fromStdString(folder));
    if (kelo::CKMessageBox::Show(nullptr, text, kelo::MsgKind::YesNo,
                                 QStringLiteral("Kelo Accounts")) != kelo::MsgAnswer::Yes)
        return false;
    std::error_code ec;
    const bool existed = fs::exists(folder, ec);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        fs::create_directories(folder);
        kelo::DataContext context = kelo::DataContext::Create(folder);
        kelo::demo::DemoOptions options;
        options.date = GetProgramDate();
        kelo::demo::MakeDemoCompany(context, options);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        if (!existed) fs::remove_all(folder, ec);
        kelo::CKMessageBox::Show(nullptr,
                                 QStringLiteral("The demo company could not be made in %1: %2")
                                     .arg(QString::fromStdString(folder), QString::fromUtf8(e.what())),
                                 kelo::MsgKind::Stop, QStringLiteral("Kelo Accounts"));
        return false;
    }
    QApplication::restoreOverrideCursor();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // The command line and the company are checked before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    std::string error;
    const auto options = kelo::host::HostOptions::Parse(arguments, error);
    if (!options) {
        std::fprintf(stderr, "kelo-host: %s\n%s", error.c_str(),
                     kelo::host::HostOptions::Usage().c_str());
        return 2;
    }
    if (!options->print.empty()) {
        std::fputs(options->print.c_str(), stdout);
        return 0;
    }
    if (options->programDate) SetProgramDate(options->programDate);

    const auto layout = kelo::host::InstallLayout::OfThisProgram();
    // The window system is needed before the company only to offer a first one.
    std::optional<QApplication> app;
    auto startApplication = [&] {
        if (app) return;
        app.emplace(argc, argv);
        QApplication::setApplicationName(QStringLiteral("kelo-host"));
        QApplication::setDesktopFileName(QStringLiteral("kelo-task-manager"));
        // The installed icon theme has it; a build folder or an unregistered tree has the copy.
        QApplication::setWindowIcon(QIcon::fromTheme(
            QStringLiteral("kelo-task-manager"),
            QIcon(QString::fromStdString(layout.ProgramFolder()) +
                  QStringLiteral("kelo-task-manager.png"))));
    };
    std::error_code ec;
    if (!options->companyGiven && !std::filesystem::exists(options->company + "/data.mdb", ec) &&
        kelo::store::ServerUrl(options->company).empty()) {
        startApplication();
        if (!OfferDemoCompany(options->company)) {
            std::fprintf(stderr, "kelo-host: no company in %s; give one with --company DIR\n",
                         options->company.c_str());
            return 1;
        }
    }

    std::unique_ptr<kelo::host::HostSession> session;
    std::unique_ptr<kelo::host::TaskModule> module;
    try {
        session = std::make_unique<kelo::host::HostSession>(options->company, options->user);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelo-host: %s\n", e.what());
        return 1;
    }

    startApplication();
    kelo::host::HostSettings::MakeIfMissing();
    try {
        session->FillGlobalBlock(layout.ProgramFolder());
        module = std::make_unique<kelo::host::TaskModule>(layout.ModulePath());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelo-host: %s\n", e.what());
        return 1;
    }

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
            QMetaObject::invokeMethod(&*app, quitWhenRunning, Qt::QueuedConnection);
    };
    if (options->exitAfterStart)
        QMetaObject::invokeMethod(&*app, quitWhenRunning, Qt::QueuedConnection);
    running = true;
    const int result = QApplication::exec();
    module->KillTaskManager();
    return result;
}
