#include "host/program/HostOptions.h"

#include "host/util/CommandLine.h"
#include "host/util/DataFolder.h"
#include "host/util/Dates.h"

namespace kelo::host {

namespace {

void Describe(CommandLine& line) {
    line.AddOption({"--company"},
                   "Open the company in folder DIR, or on the server a postgresql:// URL "
                   "names (default: $XDG_DATA_HOME/kelo/company, that is "
                   "~/.local/share/kelo/company).",
                   "DIR");
    line.AddOption({"--user"}, "Log on as user NAME (default: OVERSEE).", "NAME");
    line.AddOption({"--date"}, "Make DATE (dd/mm/yyyy) the program date instead of today.", "DATE");
    line.AddOption({"--tasks"}, "Open the Task Manager at once.");
    line.AddOption({"--exit-after-start"},
                   "Quit as soon as the first list is filled (to time the start).");
}

CommandLine MakeLine() {
    return CommandLine(
        "kelo-host", {"[OPTION]..."},
        "Open a Kelo company and offer its Task Manager: the to-do lists, contacts,\n"
        "bills and the ledgers' tasks of the company's users.");
}

}  // namespace

std::string HostOptions::Usage() {
    CommandLine line = MakeLine();
    return line.UsageText() + line.TryHelp();
}

std::optional<HostOptions> HostOptions::Parse(const QStringList& arguments, std::string& error) {
    CommandLine line = MakeLine();
    Describe(line);
    std::vector<std::string> args;
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());

    HostOptions options;
    switch (line.Parse(args)) {
        case CommandLine::Outcome::Error:
            error = line.Error();
            return std::nullopt;
        case CommandLine::Outcome::Help:
            options.print = line.HelpText();
            return options;
        case CommandLine::Outcome::Version:
            options.print = line.VersionText();
            return options;
        case CommandLine::Outcome::Run:
            break;
    }
    if (!line.Operands().empty()) {
        error = "unexpected argument: " + line.Operands().front();
        return std::nullopt;
    }
    options.companyGiven = line.IsSet("company");
    options.company = options.companyGiven ? line.Value("company") : DefaultCompanyFolder();
    if (options.company.empty()) {
        error = "--company needs a folder";
        return std::nullopt;
    }
    if (line.IsSet("user")) options.user = line.Value("user");
    if (options.user.empty()) {
        error = "--user needs a name";
        return std::nullopt;
    }
    if (line.IsSet("date")) {
        const std::string date = line.Value("date");
        options.programDate = DateStringToNumber(date);
        if (options.programDate == 0) {
            error = "not a date: " + date + " (use dd/mm/yyyy)";
            return std::nullopt;
        }
    }
    options.openTasks = line.IsSet("tasks");
    options.exitAfterStart = line.IsSet("exit-after-start");
    return options;
}

}  // namespace kelo::host
