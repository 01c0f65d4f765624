#include <iostream>

#include "tools/kelo-tasks/TaskCli.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return kelo::RunTaskCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
