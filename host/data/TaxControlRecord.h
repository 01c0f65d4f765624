#pragma once

#include "host/data/Field.h"

namespace kelo {

// Tax and control record (record 1 of file 18): the nominal records of the control accounts and
// the rates of tax codes T0-T99. Each tax code has a 123-byte slot from offset 92 whose first 8
// bytes are its rate; the rest of each slot, bytes 8-11 and 20-91 are reserved.
inline constexpr uint32_t kTaxCodeCount = 100;
inline constexpr uint32_t kTaxRateBase = 92;
inline constexpr uint32_t kTaxRateStride = 123;
inline constexpr uint32_t kTaxControlLength = kTaxRateBase + kTaxRateStride * kTaxCodeCount;

// Record numbers in the nominal file (10) of the four control accounts; bills may not be charged
// to any of them.
inline constexpr Field kControlDebtors{"debtors_control", 0, 4, FieldType::U32};
inline constexpr Field kControlCreditors{"creditors_control", 4, 4, FieldType::U32};
inline constexpr Field kControlSalesTax{"sales_tax_control", 12, 4, FieldType::U32};
inline constexpr Field kControlPurchaseTax{"purchase_tax_control", 16, 4, FieldType::U32};

inline constexpr Field kControlAccounts[] = {kControlDebtors, kControlCreditors, kControlSalesTax,
                                             kControlPurchaseTax};

// The rate field (percent, double) of tax code `code`, 0-99; named "tax_rate_<code>". The caller
// checks the range.
const Field& TaxRateField(int code);

// The rate in percent of tax code `code`, or 0 for a code outside 0-99.
double TaxRate(const uint8_t* rec, int code);
void SetTaxRate(uint8_t* rec, int code, double rate);

// True when nominal record `nominalRecNo` is one of the four control accounts.
bool IsControlAccount(const uint8_t* rec, uint32_t nominalRecNo);

extern const Layout kTaxControlLayout;

}  // namespace kelo
