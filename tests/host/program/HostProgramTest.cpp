// kelo-host's command line and the loading of the Task Manager module.
#include <stdexcept>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/program/HostOptions.h"
#include "host/program/HostSettings.h"
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


// First start turning it on and the user's choice being kept are driven end to end.
TEST(HostSettingsTest, SettingsMadeBeforeBackgroundFillExistedKeepItOff)
{
    QTemporaryDir older;
    SetINIFolder(older.path());
    EXPECT_FALSE(HostSettings::BackgroundFill()) << "absent means off";
    ASSERT_TRUE(WriteINIString(GetINI(0), "Tasks", "Other", "x"));
    EXPECT_FALSE(HostSettings::MakeIfMissing());
    EXPECT_FALSE(HostSettings::BackgroundFill());
    EXPECT_EQ(ReadINIString(GetINI(0), "Tasks", "Other", ""), "x");
    SetINIFolder(QString());
}

}  // namespace
}  // namespace kelo::host
