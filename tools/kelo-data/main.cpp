// kelo-data: make, inspect, change and check company folders.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "host/file/FileError.h"
#include "host/util/CommandLine.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/ToolError.h"

namespace {

constexpr const char* kAbout =
    "Make, inspect, change and check the folders that hold Kelo companies. Wherever a DIR is\n"
    "asked for, a postgresql:// URL (or a folder whose server.url file holds one) names a\n"
    "company kept on a PostgreSQL server.\n"
    "\n"
    "Commands:\n"
    "  create DIR                     make an empty company with every file\n"
    "  demo DIR [--date=dd/mm/yyyy] [--seed=N] [--scale=N]\n"
    "                                 make the demo company (dates relative to --date)\n"
    "  dump DIR FILE [--json]         print the records of FILE (number or path name)\n"
    "  import DIR FILE records.jsonl  add or replace records given as JSON lines\n"
    "  check DIR                      verify records and indexes\n"
    "  stat DIR                       record count of each file\n"
    "  upgrade DIR                    convert a company made by an older version\n"
    "  copy FROM TO                   copy a company between a folder and a server, all or\n"
    "                                 nothing (TO is a new folder or an empty database)\n"
    "  help                           this text\n"
    "\f\n"
    "Exit status: 0 when the command did its work, 1 when it failed (the message names the\n"
    "folder, file or value at fault), 2 for a bad command line.";

struct Command {
    std::string_view name;
    int (*run)(const kelo::tool::Args&);
    std::vector<std::string> options;  // the options the command takes
};

const Command kCommands[] = {
    {"create", kelo::tool::RunCreate, {}},
    {"demo", kelo::tool::RunDemo, {"date", "seed", "scale"}},
    {"dump", kelo::tool::RunDump, {"json"}},
    {"import", kelo::tool::RunImport, {}},
    {"check", kelo::tool::RunCheck, {}},
    {"stat", kelo::tool::RunStat, {}},
    {"upgrade", kelo::tool::RunUpgrade, {}},
    {"copy", kelo::tool::RunCopy, {}},
};

int usageError(const kelo::CommandLine& line, const std::string& message) {
    std::fprintf(stderr, "kelo-data: %s\n%s%s", message.c_str(), line.UsageText().c_str(),
                 line.TryHelp().c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    kelo::CommandLine line("kelo-data", {"COMMAND DIR [ARGUMENT]... [OPTION]..."}, kAbout);
    line.AddOption({"--date"}, "demo: the program date the data is made for (default: today).",
                   "DATE");
    line.AddOption({"--seed"}, "demo: the seed of the random choices (default: 1).", "N");
    line.AddOption({"--scale"}, "demo: multiply the volumes by N, 1 to 1000 (default: 1).", "N");
    line.AddOption({"--json"}, "dump: print JSON lines, as import reads them.");

    switch (line.Parse(std::vector<std::string>(argv + 1, argv + argc))) {
        case kelo::CommandLine::Outcome::Error:
            return usageError(line, line.Error());
        case kelo::CommandLine::Outcome::Help:
            std::fputs(line.HelpText().c_str(), stdout);
            return 0;
        case kelo::CommandLine::Outcome::Version:
            std::fputs(line.VersionText().c_str(), stdout);
            return 0;
        case kelo::CommandLine::Outcome::Run:
            break;
    }
    const std::vector<std::string>& words = line.Operands();
    if (words.empty()) return usageError(line, "no COMMAND given");
    const std::string& name = words.front();
    if (name == "help") {
        std::fputs(line.HelpText().c_str(), stdout);
        return 0;
    }
    for (const Command& c : kCommands) {
        if (c.name != name) continue;
        kelo::tool::Args args;
        args.operands.assign(words.begin() + 1, words.end());
        for (const QString& option : line.GivenOptions()) {
            const std::string o = option.toStdString();
            if (std::find(c.options.begin(), c.options.end(), o) == c.options.end())
                return usageError(line, name + " takes no option --" + o);
            args.options[o] = line.Value(option);
        }
        try {
            return c.run(args);
        } catch (const kelo::tool::ToolError& e) {
            std::fprintf(stderr, "kelo-data %s: %s\n", name.c_str(), e.what());
        } catch (const kelo::FileError& e) {
            std::fprintf(stderr, "kelo-data %s: %s\n", name.c_str(), e.what());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kelo-data %s: unexpected failure: %s\n", name.c_str(), e.what());
        }
        return 1;
    }
    return usageError(line, "unknown command '" + name + "'");
}
