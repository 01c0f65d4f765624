#include "host/util/CommandLine.h"

#include <QRegularExpression>

#ifndef KELO_VERSION
#define KELO_VERSION "0"
#endif

namespace kelo {

namespace {

QString NameOf(const QString& arg) {
    QString name = arg;
    while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
    return name.section(QLatin1Char('='), 0, 0);
}

QString Dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

}  // namespace

CommandLine::CommandLine(std::string program, std::vector<std::string> usage, std::string about)
    : m_program(std::move(program)), m_usage(std::move(usage)), m_about(std::move(about)) {
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    AddOption({QStringLiteral("-h"), QStringLiteral("--help")},
              QStringLiteral("Display this help and exit."));
    AddOption({QStringLiteral("--version")},
              QStringLiteral("Output version information and exit."));
}

void CommandLine::AddOption(const QStringList& names, const QString& description,
                            const QString& valueName) {
    QStringList bare;
    for (const QString& n : names) bare << NameOf(n);
    QCommandLineOption option(bare, description, valueName);
    m_parser.addOption(option);
    m_allNames << bare;
    m_options.push_back(bare);
    if (!valueName.isEmpty()) m_valueOptions << bare;
}

bool CommandLine::TakesValue(const QString& arg) const {
    return arg.startsWith(QLatin1Char('-')) && !arg.contains(QLatin1Char('=')) &&
           m_valueOptions.contains(NameOf(arg));
}

bool CommandLine::IsOption(const QString& arg) const {
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-')) && m_allNames.contains(NameOf(arg));
}

CommandLine::Outcome CommandLine::Parse(const std::vector<std::string>& args) {
    QStringList list{QString::fromStdString(m_program)};
    for (const std::string& a : args) list << QString::fromStdString(a);
    m_operands.clear();
    m_error.clear();
    // "--company --tasks" is a forgotten value, not a folder named "--tasks".
    for (qsizetype i = 1; i + 1 < list.size() && list[i] != QLatin1String("--"); ++i) {
        if (TakesValue(list[i]) && IsOption(list[i + 1])) {
            m_error = list[i].toStdString() + " needs a value";
            return Outcome::Error;
        }
        if (TakesValue(list[i])) ++i;
    }
    if (!m_parser.parse(list)) {
        m_error = Explain();
        return Outcome::Error;
    }
    if (m_parser.isSet(QStringLiteral("help"))) return Outcome::Help;
    if (m_parser.isSet(QStringLiteral("version"))) return Outcome::Version;
    for (const QString& operand : m_parser.positionalArguments())
        m_operands.push_back(operand.toStdString());
    return Outcome::Run;
}

// The parser's own messages are sentences for a translator; ours name the option as typed.
std::string CommandLine::Explain() const {
    const QStringList unknown = m_parser.unknownOptionNames();
    if (!unknown.isEmpty()) return "unknown option " + Dashed(unknown.first()).toStdString();
    const QString text = m_parser.errorText();
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'"));
    static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'"));
    if (const auto m = missing.match(text); m.hasMatch())
        return m.captured(1).toStdString() + " needs a value";
    if (const auto m = unexpected.match(text); m.hasMatch())
        return m.captured(1).toStdString() + " takes no value";
    QString plain = text;
    if (plain.endsWith(QLatin1Char('.'))) plain.chop(1);
    if (!plain.isEmpty()) plain[0] = plain[0].toLower();
    return plain.toStdString();
}

bool CommandLine::IsSet(const QString& name) const {
    return m_parser.isSet(name);
}

std::string CommandLine::Value(const QString& name) const {
    return m_parser.value(name).toStdString();
}

QStringList CommandLine::GivenOptions() const {
    QStringList given;
    // optionNames() gives each name as typed: report the option's long name, once.
    for (const QString& typed : m_parser.optionNames())
        for (const QStringList& names : m_options)
            if (names.contains(typed) && !given.contains(names.last())) given << names.last();
    return given;
}

std::string CommandLine::UsageText() const {
    std::string text;
    for (size_t i = 0; i < m_usage.size(); ++i)
        text += (i == 0 ? "Usage: " : "  or:  ") + m_program + " " + m_usage[i] + "\n";
    return text;
}

std::string CommandLine::HelpText() const {
    const std::string::size_type split = m_about.find("\n\f\n");
    const std::string before = m_about.substr(0, split);
    const std::string after =
        split == std::string::npos ? std::string() : m_about.substr(split + 3);
    // The parser's table of options, without its usage line (which names the program by path).
    const QString table = m_parser.helpText();
    const qsizetype at = table.indexOf(QStringLiteral("Options:"));
    std::string text =
        UsageText() + before + "\n\n" + (at < 0 ? QString() : table.mid(at)).toStdString();
    if (!after.empty()) text += "\n" + after + "\n";
    return text;
}

std::string CommandLine::VersionText() const {
    return m_program + " (Kelo Task Manager) " KELO_VERSION "\n";
}

std::string CommandLine::TryHelp() const {
    return "Try '" + m_program + " --help' for more information.\n";
}

}  // namespace kelo
