#pragma once

// A program's command line in the GNU manner, over QCommandLineParser: a long option takes its
// value as "--name value" or "--name=value", options and operands mix in any order, "--" ends
// the options, and --help and --version are always there. Needs no QCoreApplication.

#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QStringList>

namespace kelo {

class CommandLine final {
public:
    enum class Outcome { Run, Help, Version, Error };

    // `program`: the name messages start with; `usage`: the synopsis lines shown after "Usage:",
    // each without the program name; `about`: what --help says under them (may hold an
    // epilogue after the options, separated by a line of its own "\f").
    CommandLine(std::string program, std::vector<std::string> usage, std::string about);

    // Adds an option named by `names` (one letter: "-x", longer: "--name"); a non-empty
    // `valueName` makes it take a value.
    void AddOption(const QStringList& names, const QString& description,
                   const QString& valueName = QString());

    // Parses `args` (without the program name). On Outcome::Error, Error() says what is wrong.
    Outcome Parse(const std::vector<std::string>& args);

    bool IsSet(const QString& name) const;
    // The value of option `name` (the last one given), or "" when it is not set.
    std::string Value(const QString& name) const;
    // The long names (no dashes) of the options given, each once.
    QStringList GivenOptions() const;
    const std::vector<std::string>& Operands() const { return m_operands; }

    const std::string& Error() const { return m_error; }
    std::string HelpText() const;     // for stdout, with --help
    std::string VersionText() const;  // for stdout, with --version
    std::string UsageText() const;    // the "Usage:" lines
    // What follows a usage error on stderr: "Try 'PROGRAM --help' for more information."
    std::string TryHelp() const;

private:
    bool TakesValue(const QString& arg) const;
    bool IsOption(const QString& arg) const;
    std::string Explain() const;

    std::string m_program;
    std::vector<std::string> m_usage;
    std::string m_about;
    QCommandLineParser m_parser;
    QStringList m_valueOptions;  // option names that take a value
    QStringList m_allNames;
    std::vector<QStringList> m_options;  // each option's names, the long one last
    std::vector<std::string> m_operands;
    std::string m_error;
};

}  // namespace kelo
