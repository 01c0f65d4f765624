#include "host/framework/VatScheme.h"

#include <vector>

#include "host/data/FileMap.h"
#include "host/data/SetupRecord.h"
#include "host/file/RecordFile.h"

namespace kelo {

bool IsStandardVat(DataContext& context)
{
    std::vector<uint8_t> setup(kSetupLength, 0);
    if (!ReadRec(context.File(kFileSetup), 1, setup.data())) return true;
    return GetU8(setup.data(), kSetupVatScheme) == kVatSchemeStandard;
}

}  // namespace kelo
