#include "host/data/AllocationRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kAllocationDate, kAllocationAmount, kAllocationNext};

}  // namespace

const Layout kAllocationLayout{"allocation", kAllocationLength, kFields};

}  // namespace kelo
