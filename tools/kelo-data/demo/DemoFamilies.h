#pragma once

// The demo company is made family by family, each in its own file; the chart of accounts they
// all post to is fixed here.

#include "tools/kelo-data/demo/DemoBuilder.h"

namespace kelo::demo {

// Nominal codes the families post to.
inline constexpr const char* kBankCurrent = "1200";
inline constexpr const char* kBankDeposit = "1210";
inline constexpr const char* kPettyCash = "1230";
inline constexpr const char* kCreditCard = "1240";
inline constexpr const char* kDebtorsControl = "1100";
inline constexpr const char* kCreditorsControl = "2100";
inline constexpr const char* kSalesStationery = "4000";
inline constexpr const char* kSalesFurniture = "4001";
inline constexpr const char* kSalesConsumables = "4002";
inline constexpr const char* kPurchases = "5000";
inline constexpr const char* kCarriage = "5100";

inline constexpr const char* kUserSupervisor = "OVERSEE";
inline constexpr const char* kUserSales = "ANNE";
inline constexpr const char* kUserAccounts = "TOM";

// Company details, tax codes and control accounts, users and their rights, departments,
// nominal and bank accounts (DemoSetup.cpp).
void MakeSetup(DemoBuilder& b);
// Customers and suppliers with their audit trail: headers, splits, allocations and the
// transaction-number index (DemoLedgers.cpp, DemoAuditTrail.cpp).
void MakeLedgers(DemoBuilder& b);
// Invoices and credit notes, sales orders and purchase orders (DemoOrders.cpp).
void MakeOrders(DemoBuilder& b);
// Stock items (DemoStock.cpp).
void MakeStock(DemoBuilder& b);
// Recurring entries of all seven kinds (DemoRecurring.cpp).
void MakeRecurring(DemoBuilder& b);
// To Do entries, phone call reminders and bills (DemoOwnRecords.cpp).
void MakeOwnRecords(DemoBuilder& b);

// The rate in percent of demo tax code `code` (T0-T9; 0 for others).
double DemoTaxRate(int code);

}  // namespace kelo::demo
