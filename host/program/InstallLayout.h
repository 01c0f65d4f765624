#pragma once

#include <filesystem>
#include <string>

namespace kelo::host {

// Where kelo-host finds the Task Manager module and its program folder (the folder that holds
// Help/Accounts/Tasks.CHM): beside the program in the build folder, or where the install put
// them relative to the program (../lib/<arch>/kelo and ../share/kelo), so an installed tree
// may be moved as a whole. KELO_TASKS_MODULE and KELO_PROGRAM_DIR override either.
class InstallLayout final {
public:
    // `programFolder`: the folder of the running program.
    explicit InstallLayout(std::filesystem::path programFolder);
    // For the running process (/proc/self/exe).
    static InstallLayout OfThisProgram();

    std::string ModulePath() const;
    // Ends with a separator.
    std::string ProgramFolder() const;

private:
    std::filesystem::path m_bin;
};

}  // namespace kelo::host
