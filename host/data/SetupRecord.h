#pragma once

#include "host/data/Field.h"

namespace kelo {

// Company setup record (record 1 of file 0). Bytes not named here (to 4,608) are reserved.
inline constexpr uint32_t kSetupLength = 4608;

inline constexpr Field kSetupCompanyName{"company_name", 3, 61, FieldType::Text};
inline constexpr Field kSetupAddress1{"address_1", 64, 61, FieldType::Text};
inline constexpr Field kSetupAddress2{"address_2", 125, 61, FieldType::Text};
inline constexpr Field kSetupAddress3{"address_3", 186, 61, FieldType::Text};
inline constexpr Field kSetupAddress4{"address_4", 247, 61, FieldType::Text};
inline constexpr Field kSetupAddress5{"address_5", 308, 61, FieldType::Text};
// Tax code 0-99 that a new bill starts with.
inline constexpr Field kSetupDefaultTaxCode{"default_tax_code", 891, 2, FieldType::I16};
// First day of the financial year (IsDateOutsideFYear); the year runs 12 months from it.
inline constexpr Field kSetupFinancialYearStart{"financial_year_start", 893, 2, FieldType::U16};
// 1: the company trades in foreign currencies (ForeignTraderEnabled).
inline constexpr Field kSetupForeignTrader{"foreign_trader", 895, 1, FieldType::U8};
// How the company accounts for tax: 0 standard (tax due when invoiced), 1 cash accounting
// (tax due when paid); IsStandardVat.
inline constexpr Field kSetupVatScheme{"vat_scheme", 896, 1, FieldType::U8};
inline constexpr uint8_t kVatSchemeStandard = 0;
inline constexpr uint8_t kVatSchemeCash = 1;
// How the ledgers age their accounts (the host copies these into its global block). Month aging
// non-zero ages by calendar month; the periods are the first day of Period 1, 2, 3 and Older.
// A ledger whose four periods are all 0 has never set them and ages at 30, 60, 90 and 120 days.
inline constexpr Field kSetupCustomerMonthAging{"customer_month_aging", 1000, 1, FieldType::U8};
inline constexpr Field kSetupSupplierMonthAging{"supplier_month_aging", 1001, 1, FieldType::U8};
inline constexpr Field kSetupCustomerPeriod1{"customer_period_1", 1002, 2, FieldType::I16};
inline constexpr Field kSetupCustomerPeriod2{"customer_period_2", 1004, 2, FieldType::I16};
inline constexpr Field kSetupCustomerPeriod3{"customer_period_3", 1006, 2, FieldType::I16};
inline constexpr Field kSetupCustomerOlder{"customer_older", 1008, 2, FieldType::I16};
inline constexpr Field kSetupSupplierPeriod1{"supplier_period_1", 1010, 2, FieldType::I16};
inline constexpr Field kSetupSupplierPeriod2{"supplier_period_2", 1012, 2, FieldType::I16};
inline constexpr Field kSetupSupplierPeriod3{"supplier_period_3", 1014, 2, FieldType::I16};
inline constexpr Field kSetupSupplierOlder{"supplier_older", 1016, 2, FieldType::I16};
// Non-zero: a transaction flagged age-as-current is aged as current, both ledgers.
inline constexpr Field kSetupAgeAsCurrent{"age_as_current", 1018, 2, FieldType::U16};
// Dates of the housekeeping runs (0 = never), shown in the About box.
inline constexpr Field kSetupLastBackup{"last_backup", 1020, 2, FieldType::U16};
inline constexpr Field kSetupLastRestore{"last_restore", 1022, 2, FieldType::U16};
inline constexpr Field kSetupClearAuditRan{"clear_audit_ran", 1024, 2, FieldType::U16};
inline constexpr Field kSetupClearStockRan{"clear_stock_ran", 1026, 2, FieldType::U16};
inline constexpr Field kSetupTelephone{"telephone", 3942, 31, FieldType::Text};
inline constexpr Field kSetupFax{"fax", 3973, 31, FieldType::Text};
inline constexpr Field kSetupVatNumber{"vat_number", 4004, 31, FieldType::Text};
inline constexpr Field kSetupEmail{"email", 4190, 61, FieldType::Text};
inline constexpr Field kSetupWebSite{"web_site", 4446, 61, FieldType::Text};

extern const Layout kSetupLayout;

}  // namespace kelo
