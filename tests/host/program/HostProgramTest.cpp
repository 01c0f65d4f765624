// kelo-host's command line and the loading of the Task Manager module.
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/program/HostOptions.h"
#include "host/program/HostSettings.h"
#include "host/program/InstallLayout.h"
#include "host/program/TaskModule.h"
#include "host/util/Dates.h"
#include "host/util/Settings.h"

namespace kelo::host {
namespace {

QStringList Args(std::initializer_list<const char*> args)
{
    QStringList list{"kelo-host"};
    for (const char* a : args) list << a;
    return list;
}

// The GNU forms themselves are the shared command line's; here what kelo-host makes of them.
TEST(HostOptionsTest, DefaultsAndEveryOption)
{
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/kelo-xdg-data");
    std::string error;
    auto o = HostOptions::Parse(Args({}), error);
    if (old.isNull()) qunsetenv("XDG_DATA_HOME");
    else qputenv("XDG_DATA_HOME", old);
    ASSERT_TRUE(o) << error;
    EXPECT_FALSE(o->companyGiven);
    EXPECT_EQ(o->company, "/tmp/kelo-xdg-data/kelo/company") << "in the data folder";
    EXPECT_EQ(o->user, "OVERSEE");
    EXPECT_EQ(o->programDate, 0);
    EXPECT_FALSE(o->openTasks);

    o = HostOptions::Parse(Args({"--tasks", "--user", "CLERK", "--date", "29/02/2028", "--company",
                                 "d", "--exit-after-start"}),
                           error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->company, "d");
    EXPECT_EQ(o->user, "CLERK");
    EXPECT_EQ(o->programDate, DateNumberFromComponents(29, 2, 2028));
    EXPECT_TRUE(o->openTasks);
    EXPECT_TRUE(o->exitAfterStart);
    const auto h = HostOptions::Parse(Args({"--help"}), error);
    ASSERT_TRUE(h);
    for (const char* option : {"--company <DIR>", "--user <NAME>", "--date <DATE>", "--tasks",
                               "--exit-after-start"})
        EXPECT_NE(h->print.find(option), std::string::npos) << option;
}

TEST(HostOptionsTest, BadCommandLinesSayWhatIsWrong)
{
    struct Case {
        std::initializer_list<const char*> args;
        const char* message;
    } const cases[] = {
        {{"--company="}, "--company needs a folder"},
        {{"--company", "d", "--date", "29/02/2027"}, "not a date: 29/02/2027 (use dd/mm/yyyy)"},
        {{"--company", "d", "--user", ""}, "--user needs a name"},
        {{"--company", "d", "stray"}, "unexpected argument: stray"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(HostOptions::Parse(Args(c.args), error));
        EXPECT_EQ(error, c.message);
    }
}

// The module and the help are found beside the program in the build folder, and where the
// install put them relative to the program otherwise.
TEST(InstallLayoutTest, BuildFolderFirstThenTheInstalledPlaces)
{
    namespace fs = std::filesystem;
    qunsetenv("KELO_TASKS_MODULE");
    qunsetenv("KELO_PROGRAM_DIR");
    QTemporaryDir tmp;
    const fs::path root = tmp.path().toStdString();
    fs::create_directories(root / "usr/bin");
    const InstallLayout installed(root / "usr/bin");
    EXPECT_EQ(installed.ModulePath(),
              (root / "usr" / KELO_TEST_LIBDIR / "kelo/libkl70Tasks.so").string());
    EXPECT_EQ(installed.ProgramFolder(), (root / "usr" / KELO_TEST_DATADIR / "kelo/").string());

    fs::create_directories(root / "build/Help");
    std::ofstream((root / "build/libkl70Tasks.so").string()) << "";
    const InstallLayout build(root / "build");
    EXPECT_EQ(build.ModulePath(), (root / "build/libkl70Tasks.so").string());
    EXPECT_EQ(build.ProgramFolder(), (root / "build/").string());

    qputenv("KELO_TASKS_MODULE", "/elsewhere/libkl70Tasks.so");
    qputenv("KELO_PROGRAM_DIR", "/elsewhere/program");
    EXPECT_EQ(build.ModulePath(), "/elsewhere/libkl70Tasks.so");
    EXPECT_EQ(build.ProgramFolder(), "/elsewhere/program/");
    qunsetenv("KELO_TASKS_MODULE");
    qunsetenv("KELO_PROGRAM_DIR");
}

TEST(TaskModuleTest, MissingModuleIsReportedByName)
{
    try {
        TaskModule module("/nonexistent/libkl70Tasks.so");
        FAIL() << "loaded a module that does not exist";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/libkl70Tasks.so"), std::string::npos);
    }
}

#ifdef KELO_TASKS_MODULE_PATH
TEST(TaskModuleTest, TheBuiltModuleExportsItsEntryPoints)
{
    TaskModule module(KELO_TASKS_MODULE_PATH);
    EXPECT_EQ(module.TaskIsShowing(), 0);
    // Without a window these do nothing, and the module needs no application for them.
    module.KillTaskManager();
    module.ShowTaskManager();
    EXPECT_EQ(module.TaskIsShowing(), 0);
}
#endif


TEST(HostSettingsTest, FirstSettingsTurnBackgroundFillOnAndTheChoiceIsKept)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetINIFolder(dir.path());
    EXPECT_FALSE(HostSettings::BackgroundFill());  // absent means off
    EXPECT_TRUE(HostSettings::MakeIfMissing());
    EXPECT_EQ(ReadINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 0), 1);
    EXPECT_TRUE(HostSettings::BackgroundFill());

    // Turned off by the user: a later start leaves it off.
    ASSERT_TRUE(HostSettings::SetBackgroundFill(false));
    EXPECT_FALSE(HostSettings::MakeIfMissing());
    EXPECT_EQ(ReadINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 1), 0);
    ASSERT_TRUE(HostSettings::SetBackgroundFill(true));
    EXPECT_TRUE(HostSettings::BackgroundFill());

    // Settings made before the value existed keep it off.
    QTemporaryDir older;
    SetINIFolder(older.path());
    ASSERT_TRUE(WriteINIString(GetINI(0), "Tasks", "Other", "x"));
    EXPECT_FALSE(HostSettings::MakeIfMissing());
    EXPECT_FALSE(HostSettings::BackgroundFill());
    EXPECT_EQ(ReadINIString(GetINI(0), "Tasks", "Other", ""), "x");
    SetINIFolder(QString());
}

}  // namespace
}  // namespace kelo::host
