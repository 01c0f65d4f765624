#include "host/data/SetupRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kSetupCompanyName, kSetupAddress1, kSetupAddress2,       kSetupAddress3,
    kSetupAddress4,    kSetupAddress5, kSetupDefaultTaxCode, kSetupFinancialYearStart,
    kSetupForeignTrader, kSetupVatScheme,
    kSetupTelephone,   kSetupFax,      kSetupVatNumber,      kSetupEmail,
    kSetupWebSite,
};

}  // namespace

const Layout kSetupLayout{"setup", kSetupLength, kFields};

}  // namespace kelo
