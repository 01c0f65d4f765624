#include "host/data/SplitRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kSplitType,      kSplitNominalCode,       kSplitDetails,         kSplitUserName,
    kSplitTaxCode,   kSplitNetAmount,         kSplitTaxAmount,       kSplitHeader,
    kSplitNextSplit, kSplitTransactionNumber, kSplitFirstAllocation,
};

}  // namespace

const Layout kSplitLayout{"split", kSplitLength, kFields};

}  // namespace kelo
