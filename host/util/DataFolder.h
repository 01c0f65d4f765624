#pragma once

// Where company data lives when no folder is named: the XDG data folder.

#include <string>

// "$XDG_DATA_HOME/kelo/company" (~/.local/share/kelo/company): the company kelo-host and
// kelo-tasks open when given none. The folder need not exist.
std::string DefaultCompanyFolder();
