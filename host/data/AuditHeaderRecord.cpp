#include "host/data/AuditHeaderRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kHeaderType,      kHeaderAccountReference, kHeaderBankCode,   kHeaderReference,
    kHeaderDetails,   kHeaderUserName,         kHeaderDate,       kHeaderNetAmount,
    kHeaderTaxAmount, kHeaderAmountPaid,       kHeaderFirstSplit, kHeaderNextHeader,
    kHeaderExclusion, kHeaderAgeAsCurrent,
};

}  // namespace

const Layout kAuditHeaderLayout{"audit_header", kAuditHeaderLength, kFields};

}  // namespace kelo
