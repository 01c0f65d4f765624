// kelo-data: make, inspect, change and check company folders.

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "host/file/FileError.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/ToolError.h"

namespace {

constexpr const char* kUsage =
    "usage: kelo-data COMMAND DIR ...\n"
    "  create DIR                     make an empty company with every file\n"
    "  demo DIR [--date dd/mm/yyyy] [--seed N] [--scale N]\n"
    "                                 make the demo company (dates relative to --date)\n"
    "  dump DIR FILE [--json]         print the records of FILE (number or path name)\n"
    "  import DIR FILE records.jsonl  add or replace records given as JSON lines\n"
    "  check DIR                      verify records and indexes\n"
    "  stat DIR                       record count of each file\n";

struct Command {
    std::string_view name;
    int (*run)(const kelo::tool::Args&);
};

constexpr Command kCommands[] = {
    {"create", kelo::tool::RunCreate}, {"demo", kelo::tool::RunDemo},
    {"dump", kelo::tool::RunDump},     {"import", kelo::tool::RunImport},
    {"check", kelo::tool::RunCheck},   {"stat", kelo::tool::RunStat},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    kelo::tool::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (c.name != name) continue;
        try {
            return c.run(args);
        } catch (const kelo::tool::ToolError& e) {
            std::fprintf(stderr, "kelo-data %s: %s\n", argv[1], e.what());
        } catch (const kelo::FileError& e) {
            std::fprintf(stderr, "kelo-data %s: %s\n", argv[1], e.what());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kelo-data %s: unexpected failure: %s\n", argv[1], e.what());
        }
        return 1;
    }
    std::fprintf(stderr, "kelo-data: unknown command '%s'\n%s", argv[1], kUsage);
    return 2;
}
