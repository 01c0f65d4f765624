#include <cstdio>
#include <filesystem>

#include "host/file/DataContext.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/CompanyFolder.h"
#include "tools/kelo-data/ToolError.h"

namespace kelo::tool {

int RunCreate(const Args& args)
{
    if (args.size() != 1) throw ToolError("usage: kelo-data create DIR");
    CompanyFolder folder(args[0]);
    DataContext::Create(folder.Path());
    folder.Keep();
    std::printf("created an empty company in %s\n", args[0].c_str());
    return 0;
}

}  // namespace kelo::tool
