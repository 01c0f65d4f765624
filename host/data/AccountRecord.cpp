#include "host/data/AccountRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kAccountReference,        kAccountName,          kAccountContactName,  kAccountTelephone,
    kAccountOnHold,           kAccountCreditLimit,   kAccountCreditPeriod, kAccountSettlementPeriod,
    kAccountCreditReviewDate, kAccountCreditCharges, kAccountBacs,         kAccountBalance,
    kAccountLastActivityDate, kAccountFirstHeader,
};

}  // namespace

const Layout kAccountLayout{"account", kAccountLength, kFields};

bool IsDeletedAccount(const uint8_t* rec) { return rec[kAccountName.offset] == 0xFF; }

}  // namespace kelo
