#include <chrono>
#include <cstdio>
#include <filesystem>

#include "host/file/DataContext.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/CompanyFolder.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo::tool {

int RunDemo(const Args& args)
{
    if (args.size() != 1)
        throw ToolError("usage: kelo-data demo DIR [--date=dd/mm/yyyy] [--seed=N] [--scale=N]");
    const std::string dir = args[0];
    demo::DemoOptions options;
    if (args.Has("date")) {
        const std::string& v = args.options.at("date");
        options.date = DateStringToNumber(v);
        if (!options.date) throw ToolError("bad date '" + v + "' (give dd/mm/yyyy)");
    }
    if (args.Has("seed"))
        options.seed = uint64_t(ParseNumber(args.options.at("seed"), "seed", 0, (1LL << 62)));
    if (args.Has("scale"))
        options.scale = int(ParseNumber(args.options.at("scale"), "scale", 1, 1000));
    if (!options.date) options.date = GetProgramDate();

    CompanyFolder folder(dir);
    const auto start = std::chrono::steady_clock::now();
    options.progress = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    {
        DataContext ctx = DataContext::Create(folder.Path());
        demo::MakeDemoCompany(ctx, options);
    }
    folder.Keep();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::uintmax_t bytes = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec))
        if (e.is_regular_file(ec)) bytes += e.file_size(ec);
    std::printf("demo company for %s in %s: %.1f s, %.1f MB on disk\n",
                DateNumberToFullString(options.date).c_str(), dir.c_str(), seconds,
                double(bytes) / (1024.0 * 1024.0));
    return 0;
}

}  // namespace kelo::tool
