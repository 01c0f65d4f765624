#pragma once

// One function per kelo-data command. Each takes the operands after the command's name and the
// options given with it, prints its results on stdout and returns the exit status; mistakes
// throw ToolError.

#include <map>
#include <string>
#include <vector>

namespace kelo::tool {

struct Args {
    std::vector<std::string> operands;
    std::map<std::string, std::string> options;  // by long name; a flag's value is ""

    size_t size() const { return operands.size(); }
    const std::string& operator[](size_t i) const { return operands[i]; }
    bool Has(const std::string& option) const { return options.count(option) != 0; }
};

int RunCreate(const Args& args);
int RunDemo(const Args& args);
int RunDump(const Args& args);
int RunImport(const Args& args);
int RunCheck(const Args& args);
int RunStat(const Args& args);
int RunUpgrade(const Args& args);
int RunCopy(const Args& args);

}  // namespace kelo::tool
