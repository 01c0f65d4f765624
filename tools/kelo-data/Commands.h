#pragma once

// One function per kelo-data command. Each takes the arguments after the command's name, prints
// its results on stdout and returns the exit status; mistakes throw ToolError.

#include <string>
#include <vector>

namespace kelo::tool {

using Args = std::vector<std::string>;

int RunCreate(const Args& args);
int RunDemo(const Args& args);
int RunDump(const Args& args);
int RunImport(const Args& args);
int RunCheck(const Args& args);
int RunStat(const Args& args);

}  // namespace kelo::tool
