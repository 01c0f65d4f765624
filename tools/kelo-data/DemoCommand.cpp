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
    const char* usage = "usage: kelo-data demo DIR [--date dd/mm/yyyy] [--seed N] [--scale N]";
    std::string dir;
    demo::DemoOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--date" || a == "--seed" || a == "--scale") {
            if (!hasValue) throw ToolError(a + " needs a value; " + usage);
            const std::string& v = args[++i];
            if (a == "--date") {
                options.date = DateStringToNumber(v);
                if (!options.date) throw ToolError("bad date '" + v + "' (give dd/mm/yyyy)");
            } else if (a == "--seed") {
                options.seed = uint64_t(ParseNumber(v, "seed", 0, (1LL << 62)));
            } else {
                options.scale = int(ParseNumber(v, "scale", 1, 1000));
            }
        } else if (a.starts_with("--") || !dir.empty()) {
            throw ToolError("unexpected argument " + a + "; " + usage);
        } else {
            dir = a;
        }
    }
    if (dir.empty()) throw ToolError(usage);
    if (!options.date) options.date = GetProgramDate();

    CompanyFolder folder(dir);
    const auto start = std::chrono::steady_clock::now();
    options.progress = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    {
        DataContext ctx = DataContext::Create(dir);
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
