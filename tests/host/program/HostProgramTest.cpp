// kelo-host's command line and the loading of the Task Manager module.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/program/HostOptions.h"
#include "host/program/HostSettings.h"
#include "host/util/Settings.h"

namespace kelo::host {
namespace {

QStringList Args(std::initializer_list<const char*> args)
{
    QStringList list{"kelo-host"};
    for (const char* a : args) list << a;
    return list;
}

// The options themselves are driven end to end; here what kelo-host says of a bad line.
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
