#include "host/data/SetupRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kSetupCompanyName, kSetupAddress1, kSetupAddress2,       kSetupAddress3,
    kSetupAddress4,    kSetupAddress5, kSetupDefaultTaxCode, kSetupFinancialYearStart,
    kSetupForeignTrader, kSetupVatScheme,
    kSetupCustomerMonthAging, kSetupSupplierMonthAging, kSetupCustomerPeriod1,
    kSetupCustomerPeriod2, kSetupCustomerPeriod3, kSetupCustomerOlder, kSetupSupplierPeriod1,
    kSetupSupplierPeriod2, kSetupSupplierPeriod3, kSetupSupplierOlder, kSetupAgeAsCurrent,
    kSetupLastBackup, kSetupLastRestore, kSetupClearAuditRan, kSetupClearStockRan,
    kSetupTelephone,   kSetupFax,      kSetupVatNumber,      kSetupEmail,
    kSetupWebSite,
};

}  // namespace

const Layout kSetupLayout{"setup", kSetupLength, kFields};

}  // namespace kelo
