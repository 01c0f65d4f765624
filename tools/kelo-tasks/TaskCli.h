#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kelo {

// Runs kelo-tasks with `args` (without the program name): rows to `out`, one line of error to
// `err`. Returns the exit status: 0 with or without rows, 2 for a usage error, 1 for anything
// else (bad company, task, category, user or date, damaged data). Nothing is written to the
// company.
int RunTaskCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelo
