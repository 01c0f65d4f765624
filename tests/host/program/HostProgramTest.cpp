// kelo-host's command line and the loading of the Task Manager module.
#include <stdexcept>

#include <gtest/gtest.h>

#include "host/program/HostOptions.h"
#include "host/program/TaskModule.h"
#include "host/util/Dates.h"

namespace kelo::host {
namespace {

QStringList Args(std::initializer_list<const char*> args)
{
    QStringList list{"kelo-host"};
    for (const char* a : args) list << a;
    return list;
}

TEST(HostOptionsTest, DefaultsAndEveryOption)
{
    std::string error;
    auto o = HostOptions::Parse(Args({"--company", "/tmp/c"}), error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->company, "/tmp/c");
    EXPECT_EQ(o->user, "OVERSEE");
    EXPECT_EQ(o->programDate, 0);
    EXPECT_FALSE(o->openTasks);

    o = HostOptions::Parse(
        Args({"--tasks", "--user", "CLERK", "--date", "29/02/2028", "--company", "d"}), error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->user, "CLERK");
    EXPECT_EQ(o->programDate, DateNumberFromComponents(29, 2, 2028));
    EXPECT_TRUE(o->openTasks);
}

TEST(HostOptionsTest, BadCommandLinesSayWhatIsWrong)
{
    struct Case {
        std::initializer_list<const char*> args;
        const char* message;
    } const cases[] = {
        {{}, "--company DIR is required"},
        {{"--tasks"}, "--company DIR is required"},
        {{"--company"}, "--company needs a value"},
        {{"--company", "--tasks"}, "--company needs a value"},
        {{"--company", "d", "--date", "29/02/2027"}, "not a date: 29/02/2027 (use dd/mm/yyyy)"},
        {{"--company", "d", "--user", ""}, "--user needs a name"},
        {{"--company", "d", "--colour"}, "unknown argument: --colour"},
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

}  // namespace
}  // namespace kelo::host
