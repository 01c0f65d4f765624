#include <cstdio>

#include "host/file/RecordCodec.h"
#include "host/file/StoreUpgrade.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/ToolError.h"

namespace kelo::tool {

int RunUpgrade(const Args& args)
{
    if (args.size() != 1) throw ToolError("usage: kelo-data upgrade DIR");
    const uint32_t was = UpgradeStore(args[0]);
    if (was == codec::kStoreFormat || was == 0)
        std::printf("%s is already in store format %u: nothing to do\n", args[0].c_str(),
                    codec::kStoreFormat);
    else
        std::printf("%s converted from store format %u to %u\n", args[0].c_str(), was,
                    codec::kStoreFormat);
    return 0;
}

}  // namespace kelo::tool
