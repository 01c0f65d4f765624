// The GNU command line every program shares: both forms of a value, operands anywhere, "--",
// --help and --version, and one-line messages naming the option as typed.

#include <memory>

#include <gtest/gtest.h>

#include "host/util/CommandLine.h"

namespace kelo {
namespace {

std::unique_ptr<CommandLine> Line() {
    auto line =
        std::make_unique<CommandLine>("prog", std::vector<std::string>{"[OPTION]... WORD", "list"},
                                      "Does things.\n\f\nAfterword.");
    line->AddOption({"--company"}, "The folder.", "DIR");
    line->AddOption({"-q", "--quiet"}, "Say less.");
    return line;
}

TEST(CommandLineTest, ValuesFlagsAndOperandsInEveryGnuForm) {
    struct Case {
        std::vector<std::string> args;
        std::string company;
        bool quiet;
        std::vector<std::string> operands;
    } const cases[] = {
        {{"--company", "d", "w"}, "d", false, {"w"}},
        {{"--company=d", "w"}, "d", false, {"w"}},
        {{"w", "--company=a=b"}, "a=b", false, {"w"}},
        {{"w", "-q", "x"}, "", true, {"w", "x"}},
        {{"--quiet", "--company=1", "--company=2"}, "2", true, {}},
        {{"--", "--quiet", "-q"}, "", false, {"--quiet", "-q"}},
        {{"--company", "-not-an-option"}, "-not-an-option", false, {}},  // a value, not an option
        {{"--company="}, "", false, {}},
    };
    for (const Case& c : cases) {
        const auto line = Line();
        ASSERT_EQ(line->Parse(c.args), CommandLine::Outcome::Run) << c.args.front() << line->Error();
        EXPECT_EQ(line->Value("company"), c.company) << c.args.front();
        EXPECT_EQ(line->IsSet("quiet"), c.quiet) << c.args.front();
        EXPECT_EQ(line->Operands(), c.operands) << c.args.front();
    }
}

TEST(CommandLineTest, MistakesNameTheOptionAsTyped) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } const cases[] = {
        {{"--colour"}, "unknown option --colour"},
        {{"w", "-x"}, "unknown option -x"},
        {{"--company"}, "--company needs a value"},
        {{"--company", "--quiet"}, "--company needs a value"},
        {{"--quiet=yes"}, "--quiet takes no value"},
    };
    for (const Case& c : cases) {
        const auto line = Line();
        EXPECT_EQ(line->Parse(c.args), CommandLine::Outcome::Error) << c.error;
        EXPECT_EQ(line->Error(), c.error);
    }
}

TEST(CommandLineTest, HelpAndVersionWinOverTheRestOfTheLine) {
    const auto line = Line();
    EXPECT_EQ(line->Parse({"w", "--help"}), CommandLine::Outcome::Help);
    EXPECT_EQ(Line()->Parse({"--version", "w"}), CommandLine::Outcome::Version);

    const std::string help = line->HelpText();
    EXPECT_EQ(help.rfind("Usage: prog [OPTION]... WORD\n  or:  prog list\nDoes things.\n", 0), 0u)
        << help;
    EXPECT_NE(help.find("  -q, --quiet"), std::string::npos) << help;
    EXPECT_GT(help.find("Afterword."), help.find("--quiet"));
}

}  // namespace
}  // namespace kelo
