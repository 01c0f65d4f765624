#include <cstdio>

#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace {

const char* kindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Data: return "data";
    case FileKind::Index: return "index";
    case FileKind::Notes: return "notes";
    }
    return "?";
}

}  // namespace

int RunStat(const Args& args)
{
    if (args.size() != 1) throw ToolError("usage: kelo-data stat DIR");
    DataContext ctx = OpenCompany(args[0], true);
    CDDataResourceManager mgr(ctx);
    mgr.GetResources().AddDataFile(kFileSetup);
    mgr.ObtainResources();
    std::printf("%4s  %-13s %-6s %12s\n", "No.", "Path", "Kind", "Records");
    int missing = 0;
    for (const FileInfo& info : AllFiles()) {
        DataFile f = mgr.Context().File(info.number);
        if (!FileExists(f)) {
            std::printf("%4d  %-13s %-6s %12s\n", info.number, info.path, kindName(info.kind),
                        "missing");
            ++missing;
            continue;
        }
        std::printf("%4d  %-13s %-6s %12u\n", info.number, info.path, kindName(info.kind),
                    RecCount(f));
    }
    mgr.ReleaseResources();
    if (missing) std::fprintf(stderr, "kelo-data stat: %d file(s) missing\n", missing);
    return missing ? 1 : 0;
}

}  // namespace kelo::tool
