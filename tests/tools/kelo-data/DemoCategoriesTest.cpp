// Every category of every task page has at least two rows in the default demo company. The
// conditions here are the pages' classification rules applied to the raw records, written out
// independently of the pages' own scans.

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "host/util/Text.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/RecurringRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/StockRecord.h"
#include "host/data/ToDoRecord.h"
#include "tests/host/file/TempCompany.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

constexpr double kTolerance = 0.000000005;
using Counts = std::map<std::string, int>;
using Rec = std::vector<uint8_t>;

// Records of a data file in the order of its index, skipping deleted ones reached by the walk.
template <typename Fn>
void walkIndexed(DataContext& ctx, int dataFile, int indexFile, int nameOffset, Fn fn)
{
    DataFile data = ctx.File(dataFile);
    DataFile index = ctx.File(indexFile);
    Rec rec(data->recordLength), key(index->recordLength, 0);
    for (uint32_t n = SearchRecord(data, index, key.data(), rec.data(), 0); n;
         n = NextRecord(data, index, key.data(), rec.data(), 0))
        if (rec[size_t(nameOffset)] != 0xFF) fn(rec.data(), n);
}

template <typename Fn>
void walkNumbered(DataContext& ctx, int dataFile, Fn fn)
{
    DataFile data = ctx.File(dataFile);
    Rec rec(data->recordLength);
    for (uint32_t n = 1; n <= RecCount(data); ++n)
        if (ReadRec(data, n, rec.data())) fn(rec.data(), n);
}

void countToDo(DataContext& ctx, uint16_t today, Counts& c)
{
    walkNumbered(ctx, kFileToDo, [&](const uint8_t* r, uint32_t) {
        if (IsDeletedToDo(r)) return;
        const std::string user = GetText(r, kToDoDelegateTo) + ": ";
        const uint16_t due = GetU16(r, kToDoDateDue);
        const bool done = GetU16(r, kToDoCompleted) != 0;
        if (GetText(r, kToDoType) != "Phone call reminder.") {
            ++c[user + (done ? "Completed Tasks" : due < today ? "Overdue Tasks" : "Current Tasks")];
        } else if (GetI16(r, kToDoLedgerType) != 0) {
            ++c[user + (done           ? "Completed Contacts"
                        : due > today  ? "Future Contacts"
                        : due == today ? "Today's Contacts"
                                       : "Overdue Contacts")];
        }
    });
}

void countBills(DataContext& ctx, uint16_t today, Counts& c)
{
    walkNumbered(ctx, kFileBills, [&](const uint8_t* r, uint32_t) {
        const double paid = Round(GetF64(r, kBillNetPaid) + GetF64(r, kBillTaxPaid), 2);
        const double out = Round(GetF64(r, kBillNetAmount) + GetF64(r, kBillTaxAmount) -
                                     GetF64(r, kBillNetPaid) - GetF64(r, kBillTaxPaid), 2);
        if (out < kTolerance) ++c["Paid Bills"];
        else if (GetU16(r, kBillDueDate) < today) ++c["Overdue Bills"];
        else ++c["Current Bills"];
        if (paid > kTolerance && out > kTolerance) ++c["(part paid bills)"];
    });
}

void countLedger(DataContext& ctx, bool sales, uint16_t today, Counts& c)
{
    const std::string l = sales ? "Sales " : "Purchase ";
    const std::string due = sales ? "Sales " : "Purchases ";
    DataFile headers = ctx.File(kFileAuditHeaders);
    Rec h(headers->recordLength);
    walkIndexed(ctx, sales ? kFileCustomers : kFileSuppliers,
                sales ? kFileCustomerIndex : kFileSupplierIndex, kAccountName.offset,
                [&](const uint8_t* a, uint32_t) {
        const double balance = GetF64(a, kAccountBalance), limit = GetF64(a, kAccountCreditLimit);
        if (balance > limit && limit > kTolerance) ++c[l + "Over Credit Limit"];
        if (GetU8(a, kAccountOnHold)) ++c[l + "On Hold"];
        const uint16_t last = GetU16(a, kAccountLastActivityDate);
        if (last && int(today) - int(last) > 90) ++c[l + "Inactive"];
        if (sales && GetU16(a, kAccountCreditCharges)) ++c[l + "Credit Chargeable"];
        const uint16_t review = GetU16(a, kAccountCreditReviewDate);
        if (review && review < today) ++c[l + "Beyond Credit Review"];

        const int credit = GetI16(a, kAccountCreditPeriod);
        const int settlement = GetI16(a, kAccountSettlementPeriod);
        for (uint32_t n = GetU32(a, kAccountFirstHeader); n; n = GetU32(h.data(), kHeaderNextHeader)) {
            ASSERT_TRUE(ReadRec(headers, n, h.data()));
            if (GetU16(h.data(), kHeaderExclusion) || GetU8(h.data(), kHeaderType) != (sales ? 1 : 6))
                continue;
            const double out = Round(GetF64(h.data(), kHeaderTaxAmount) + GetF64(h.data(), kHeaderNetAmount) -
                                         GetF64(h.data(), kHeaderAmountPaid), 2);
            if (out <= kTolerance) continue;
            const int age = int(today) - int(GetU16(h.data(), kHeaderDate));
            if (settlement != 0 && age <= settlement) ++c[due + "Within Settlement"];
            if (age <= credit) ++c[due + "Due"];
            else if (age > 0) ++c[due + "Overdue"], ++c[due + "Due"];
        }
    });
}

void countRecurring(DataContext& ctx, Counts& c)
{
    const char* kinds[] = {"Payments", "Receipts", "Bank Transfers", "Customer SAs",
                           "Debits", "Credits", "Supplier PAs"};
    walkNumbered(ctx, kFileRecurring, [&](const uint8_t* r, uint32_t) {
        const int kind = GetI8(r, kRecurringKind);
        if (kind < 0 || kind > 6) return;
        c[kinds[kind]] += kind == 2 ? 2 : 1;  // a transfer is listed as two rows
        const int total = GetI16(r, kRecurringTotalPostings);
        if (GetI8(r, kRecurringSuspended) == 1) ++c["(suspended entries)"];
        else if (total > 0 && total == GetI16(r, kRecurringPostingsMade)) ++c["(finished entries)"];
        if (kind == 0) {
            Rec bank(kBankLength);
            const std::string code = FillUp(GetText(r, kRecurringBankCode), 9);
            ASSERT_TRUE(FlashFindAccount(ctx, kLedgerBank, code.c_str(), bank.data(), 0)) << code;
            ++c["(payments from bank kind " + std::to_string(GetU8(bank.data(), kBankKind)) + ")"];
        }
    });
}

void countDocuments(DataContext& ctx, Counts& c)
{
    walkIndexed(ctx, kFileInvoices, kFileInvoiceIndex, kInvoiceCustomerName.offset,
                [&](const uint8_t* r, uint32_t) {
        const int type = GetI8(r, kInvoiceType);
        const bool printed = GetU8(r, kInvoicePrinted), posted = GetU8(r, kInvoicePosted);
        if (type >= 0 && type <= 2) {
            if (!printed) ++c["Inv to Print"];
            if (!posted) ++c["Inv to Post"];
        } else if (type == 3 || type == 4) {
            if (!printed) ++c["Crd to Print"];
            if (!posted) ++c["Crd to Post"];
        }
    });
    const std::map<int, std::string> sop = {
        {0, "To Allocate"}, {1, "To Allocate"}, {4, "To Allocate"}, {11, "To Allocate"},
        {2, "Allocated, to Despatch"}, {5, "Allocated, to Despatch"}, {6, "Allocated, to Despatch"},
        {9, "Held"}, {10, "Held"}, {3, "Cancelled"}, {7, "Cancelled"}, {8, "Completed"}};
    walkIndexed(ctx, kFileSalesOrders, kFileSalesOrderIndex, kSalesOrderCustomerName.offset,
                [&](const uint8_t* r, uint32_t) {
        const int status = GetI8(r, kSalesOrderStatus);
        if (sop.count(status)) ++c["SOP " + sop.at(status)];
        ++c["(sales order status " + std::to_string(status) + ")"];
    });
    const std::map<int, std::string> pop = {
        {0, "To Order"}, {2, "To Deliver"}, {6, "To Deliver"}, {3, "Cancelled"}, {8, "Completed"}};
    walkIndexed(ctx, kFilePurchaseOrders, kFilePurchaseOrderIndex, kPurchaseOrderSupplierName.offset,
                [&](const uint8_t* r, uint32_t) {
        const int status = GetI8(r, kPurchaseOrderStatus);
        if (pop.count(status)) ++c["POP " + pop.at(status)];
    });
}

void countStock(DataContext& ctx, Counts& c)
{
    walkIndexed(ctx, kFileStock, kFileStockIndex, kStockDescription.offset,
                [&](const uint8_t* r, uint32_t) {
        const int type = GetU8(r, kStockItemType);
        if (type == 1 || type == 2) return;
        const double stock = GetF64(r, kStockQuantityInStock), reorder = GetF64(r, kStockReorderLevel);
        if (stock <= kTolerance) ++c["Out of Stock"];
        if (stock <= kTolerance && reorder > kTolerance) ++c["Out of Stock (restricted)"];
        if (stock - reorder <= kTolerance && reorder != 0.0) ++c["Below Reorder"];
        if (GetF64(r, kStockQuantityOnOrder) > kTolerance) ++c["On Order"];
        if (GetF64(r, kStockQuantityAllocated) > kTolerance) ++c["Allocated"];
    });
}

Counts countAll(DataContext& ctx, uint16_t today)
{
    Counts c;
    countToDo(ctx, today, c);
    countBills(ctx, today, c);
    countLedger(ctx, true, today, c);
    countLedger(ctx, false, today, c);
    countRecurring(ctx, c);
    countDocuments(ctx, c);
    countStock(ctx, c);
    return c;
}

std::vector<std::string> expectedCategories()
{
    std::vector<std::string> names;
    for (const char* user : {"OVERSEE", "ANNE", "TOM"}) {
        for (const char* cat : {"Current Tasks", "Overdue Tasks", "Completed Tasks", "Overdue Contacts",
                                "Today's Contacts", "Future Contacts", "Completed Contacts"})
            names.push_back(std::string(user) + ": " + cat);
    }
    for (const char* cat : {
             "Current Bills", "Overdue Bills", "Paid Bills", "(part paid bills)",
             "Sales Overdue", "Sales Due", "Sales Within Settlement", "Purchases Overdue",
             "Purchases Due", "Purchases Within Settlement", "Sales Over Credit Limit",
             "Sales On Hold", "Sales Inactive", "Sales Credit Chargeable",
             "Sales Beyond Credit Review", "Purchase Over Credit Limit", "Purchase On Hold",
             "Purchase Inactive", "Purchase Beyond Credit Review", "Payments", "Receipts", "Debits",
             "Credits", "Bank Transfers", "Customer SAs", "Supplier PAs", "(suspended entries)",
             "(finished entries)", "(payments from bank kind 1)", "(payments from bank kind 2)",
             "(payments from bank kind 4)", "Inv to Print", "Inv to Post", "Crd to Print",
             "Crd to Post", "SOP To Allocate", "SOP Allocated, to Despatch", "SOP Held",
             "SOP Cancelled", "SOP Completed", "POP To Order", "POP To Deliver", "POP Cancelled",
             "POP Completed", "Out of Stock", "Out of Stock (restricted)", "Below Reorder",
             "On Order", "Allocated"})
        names.push_back(cat);
    for (int status = 0; status <= 11; ++status)
        names.push_back("(sales order status " + std::to_string(status) + ")");
    return names;
}

class DemoCategories : public testing::TestWithParam<const char*> {};

TEST_P(DemoCategories, EveryCategoryOfEveryPageHasAtLeastTwoRows)
{
    const uint16_t today = DateStringToNumber(GetParam());
    ASSERT_NE(today, 0);
    test::TempCompany company;
    demo::DemoOptions options;
    options.date = today;
    demo::MakeDemoCompany(company.Context(), options);

    const Counts counts = countAll(company.Context(), today);
    for (const std::string& name : expectedCategories()) {
        const auto it = counts.find(name);
        EXPECT_GE(it == counts.end() ? 0 : it->second, 2) << name << " on " << GetParam();
    }
    if (std::getenv("KELO_PRINT_DEMO_COUNTS"))
        for (const auto& [name, n] : counts) std::cout << "| " << name << " | " << n << " |\n";
}

// A date inside a year, a leap day and a date near the start of the date numbers' range.
INSTANTIATE_TEST_SUITE_P(Dates, DemoCategories,
                         testing::Values("15/06/2027", "29/02/2028", "03/01/1902"));

}  // namespace
}  // namespace kelo
