#include <string_view>

#include "host/util/Dates.h"
#include "host/data/BankRecord.h"
#include "host/data/DepartmentRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/data/UserRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

struct Nominal {
    const char* code;
    const char* name;
};

// A trading company's chart of accounts, in code order.
constexpr Nominal kChart[] = {
    {"0010", "Freehold Property"},          {"0020", "Plant and Machinery"},
    {"0030", "Office Equipment"},           {"0040", "Furniture and Fixtures"},
    {"0050", "Motor Vehicles"},             {"1001", "Stock"},
    {"1100", "Debtors Control Account"},    {"1103", "Prepayments"},
    {"1200", "Bank Current Account"},       {"1210", "Bank Deposit Account"},
    {"1230", "Petty Cash"},                 {"1240", "Company Credit Card"},
    {"2100", "Creditors Control Account"},  {"2109", "Accruals"},
    {"2200", "Sales Tax Control Account"},  {"2201", "Purchase Tax Control Account"},
    {"2210", "PAYE"},                       {"2211", "National Insurance"},
    {"2300", "Loans"},                      {"3000", "Ordinary Shares"},
    {"3200", "Profit and Loss Account"},    {"4000", "Sales - Stationery"},
    {"4001", "Sales - Office Furniture"},   {"4002", "Sales - IT Consumables"},
    {"4009", "Discounts Allowed"},          {"4900", "Miscellaneous Income"},
    {"4905", "Distribution and Carriage"},  {"5000", "Materials Purchased"},
    {"5009", "Discounts Taken"},            {"5100", "Carriage Inwards"},
    {"6201", "Advertising"},                {"7000", "Gross Wages"},
    {"7006", "Employers NI"},               {"7100", "Rent"},
    {"7103", "General Rates"},              {"7200", "Electricity"},
    {"7201", "Gas"},                        {"7300", "Fuel and Oil"},
    {"7304", "Vehicle Insurance"},          {"7400", "Travelling"},
    {"7500", "Office Stationery"},          {"7502", "Telephone"},
    {"7504", "Postage and Carriage"},       {"7600", "Legal Fees"},
    {"7601", "Audit and Accountancy Fees"}, {"7700", "Equipment Repairs"},
    {"7900", "Bank Interest Paid"},         {"7901", "Bank Charges"},
    {"8100", "Bad Debt Write Off"},         {"8200", "Donations"},
    {"9998", "Suspense Account"},           {"9999", "Mispostings Account"},
};

struct Bank {
    const char* code;
    uint8_t kind;
};
constexpr Bank kBanks[] = {{kBankCurrent, kBankKindBank},
                           {kBankDeposit, kBankKindBank},
                           {kPettyCash, kBankKindCash},
                           {kCreditCard, kBankKindCreditCard}};

// UK rates: T0 zero rated, T1 standard, T2 exempt, T4 sales to the EC, T5 reduced, T7 and T8
// EC purchases, T9 outside the scope of VAT.
constexpr double kRates[10] = {0.0, 20.0, 0.0, 0.0, 0.0, 5.0, 0.0, 0.0, 20.0, 0.0};

constexpr const char* kDepartments[] = {"Sales", "Purchasing", "Warehouse", "Administration",
                                        "Directors"};

void makeCompany(DemoBuilder& b)
{
    Record rec = Blank(kSetupLength);
    SetText(rec.data(), kSetupCompanyName, "Kingsbridge Office Supplies Ltd");
    SetText(rec.data(), kSetupAddress1, "Unit 4, Riverside Trading Estate");
    SetText(rec.data(), kSetupAddress2, "Mill Lane");
    SetText(rec.data(), kSetupAddress3, "Kingsbridge");
    SetText(rec.data(), kSetupAddress4, "Devon");
    SetText(rec.data(), kSetupAddress5, "TQ7 1NW");
    SetText(rec.data(), kSetupTelephone, "01632 960100");
    SetText(rec.data(), kSetupFax, "01632 960101");
    SetText(rec.data(), kSetupVatNumber, "GB 293 7715 48");
    SetText(rec.data(), kSetupEmail, "accounts@kingsbridge-office.example");
    SetText(rec.data(), kSetupWebSite, "www.kingsbridge-office.example");
    SetI16(rec.data(), kSetupDefaultTaxCode, 1);
    // The financial year starts on 1 April and holds the program date.
    int day, month, year;
    DateNumberToComponents(b.Today(), day, month, year);
    uint16_t start = DateNumberFromComponents(1, 4, month >= 4 ? year : year - 1);
    if (!start) start = DateNumberFromComponents(1, 4, year);
    SetU16(rec.data(), kSetupFinancialYearStart, start);
    // Both ledgers age by days at 30, 60, 90 and 120; the age-as-current rule is off.
    const Field* periods[] = {&kSetupCustomerPeriod1, &kSetupCustomerPeriod2,
                              &kSetupCustomerPeriod3, &kSetupCustomerOlder,
                              &kSetupSupplierPeriod1, &kSetupSupplierPeriod2,
                              &kSetupSupplierPeriod3, &kSetupSupplierOlder};
    for (int i = 0; i < 8; ++i) SetI16(rec.data(), *periods[i], int16_t(30 * (i % 4 + 1)));
    // Housekeeping: backed up last night, restored once six weeks ago, stock cleared at the
    // year's start; the audit trail was never cleared.
    const uint16_t today = b.Today();
    SetU16(rec.data(), kSetupLastBackup, today > 1 ? uint16_t(today - 1) : today);
    SetU16(rec.data(), kSetupLastRestore, today > 42 ? uint16_t(today - 42) : today);
    SetU16(rec.data(), kSetupClearStockRan, start);
    b.Put(kFileSetup, 1, rec);
}

void makeUsers(DemoBuilder& b)
{
    struct User {
        const char* name;
        int barred[2];  // modules without access, -1 = none
    };
    const User users[] = {{kUserSupervisor, {-1, -1}},
                          {kUserSales, {4, 6}},       // no purchase ledger, no stock
                          {kUserAccounts, {0, 4}}};   // neither ledger
    uint32_t recno = 0;
    for (const User& u : users) {
        Record rec = Blank(kUserLength);
        SetText(rec.data(), kUserName, u.name);
        for (int m = 0; m < kUserModuleCount; ++m) {
            const bool barred = m == u.barred[0] || m == u.barred[1];
            SetUserModuleAccess(rec.data(), m, barred ? kAccessNone : kAccessFull);
        }
        if (std::string_view(u.name) == kUserAccounts)
            SetUserOptionBarred(rec.data(), 19, 1, true);  // Company Details
        b.Put(kFileUsers, ++recno, rec);
    }
}

void makeNominal(DemoBuilder& b)
{
    uint32_t recno = 0;
    Record tax = Blank(kTaxControlLength);
    for (const Nominal& n : kChart) {
        Record rec = Blank(kNominalLength);
        SetText(rec.data(), kNominalCode, n.code);
        SetText(rec.data(), kNominalName, n.name);
        for (const Bank& bank : kBanks)
            if (std::string_view(bank.code) == n.code) SetU8(rec.data(), kNominalAccountKind, kNominalKindBank);
        b.Put(kFileNominal, ++recno, rec);
        const AccountKey key = BuildAccountKey(n.code);
        b.Key(kFileNominalIndex, key.data(), recno);
        const std::string_view code = n.code;
        if (code == kDebtorsControl) SetU32(tax.data(), kControlDebtors, recno);
        if (code == kCreditorsControl) SetU32(tax.data(), kControlCreditors, recno);
        if (code == "2200") SetU32(tax.data(), kControlSalesTax, recno);
        if (code == "2201") SetU32(tax.data(), kControlPurchaseTax, recno);
    }
    for (int code = 0; code < 10; ++code) SetTaxRate(tax.data(), code, kRates[code]);
    b.Put(kFileTaxControl, 1, tax);

    recno = 0;
    for (const Bank& bank : kBanks) {
        Record rec = Blank(kBankLength);
        SetText(rec.data(), kBankCode, bank.code);
        for (const Nominal& n : kChart)
            if (std::string_view(n.code) == bank.code) SetText(rec.data(), kBankName, n.name);
        SetU8(rec.data(), kBankCurrency, kBankCurrencyBase);
        SetU8(rec.data(), kBankKind, bank.kind);
        b.Put(kFileBank, ++recno, rec);
        const AccountKey key = BuildAccountKey(bank.code);
        b.Key(kFileBankIndex, key.data(), recno);
    }
}

}  // namespace

double DemoTaxRate(int code) { return code >= 0 && code < 10 ? kRates[code] : 0.0; }

void MakeSetup(DemoBuilder& b)
{
    makeCompany(b);
    makeUsers(b);
    makeNominal(b);
    uint32_t recno = 0;
    for (const char* name : kDepartments) {
        Record rec = Blank(kDepartmentLength);
        SetText(rec.data(), kDepartmentUserReference, std::string(name).substr(0, 3));
        SetText(rec.data(), kDepartmentName, name);
        b.Put(kFileDepartments, ++recno, rec);
    }
    b.Report("company: Kingsbridge Office Supplies Ltd, 3 users, " +
             std::to_string(std::size(kChart)) + " nominal accounts, 4 bank accounts, tax codes T0-T9");
}

}  // namespace kelo::demo
