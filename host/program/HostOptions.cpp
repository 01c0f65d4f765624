#include "host/program/HostOptions.h"

#include "host/util/Dates.h"

namespace kelo::host {

const char* HostOptions::Usage()
{
    return "usage: kelo-host --company DIR [--user NAME] [--date dd/mm/yyyy] [--tasks] [--exit-after-start]";
}

std::optional<HostOptions> HostOptions::Parse(const QStringList& arguments, std::string& error)
{
    HostOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= arguments.size() || arguments[i + 1].startsWith("--")) {
                error = std::string(name) + " needs a value";
                return std::nullopt;
            }
            return arguments[++i].toStdString();
        };
        if (arg == "--company") {
            const auto v = value("--company");
            if (!v) return std::nullopt;
            options.company = *v;
        } else if (arg == "--user") {
            const auto v = value("--user");
            if (!v) return std::nullopt;
            options.user = *v;
        } else if (arg == "--date") {
            const auto v = value("--date");
            if (!v) return std::nullopt;
            options.programDate = DateStringToNumber(*v);
            if (options.programDate == 0) {
                error = "not a date: " + *v + " (use dd/mm/yyyy)";
                return std::nullopt;
            }
        } else if (arg == "--tasks") {
            options.openTasks = true;
        } else if (arg == "--exit-after-start") {
            options.exitAfterStart = true;
        } else {
            error = "unknown argument: " + arg.toStdString();
            return std::nullopt;
        }
    }
    if (options.company.empty()) {
        error = "--company DIR is required";
        return std::nullopt;
    }
    if (options.user.empty()) {
        error = "--user needs a name";
        return std::nullopt;
    }
    return options;
}

}  // namespace kelo::host
