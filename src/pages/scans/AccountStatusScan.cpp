#include "src/pages/scans/AccountStatusScan.h"

#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Money.h"
#include "src/app/TaskServices.h"
#include "host/data/AccountRecord.h"
#include "src/pages/scans/LedgerWalk.h"

namespace kelo {
namespace {

constexpr int kSalesModule = 0;
constexpr int kPurchasesModule = 4;
constexpr uint32_t kSalesBits = 1 | 2 | 4 | 8 | 16;
constexpr uint32_t kPurchaseBits = 32 | 64 | 128 | 256;

int col(AccountStatusColumn c) { return static_cast<int>(c); }

}  // namespace

AccountState AccountStateOf(const uint8_t* rec)
{
    AccountState s;
    s.balance = GetF64(rec, kAccountBalance);
    s.creditLimit = GetF64(rec, kAccountCreditLimit);
    s.onHold = GetU8(rec, kAccountOnHold);
    s.lastActivity = GetU16(rec, kAccountLastActivityDate);
    s.creditCharges = GetU16(rec, kAccountCreditCharges);
    s.creditReview = GetU16(rec, kAccountCreditReviewDate);
    return s;
}

std::vector<TaskCategory> AccountStatusCategories(const std::string& user,
                                                  const CBAccessManager& access)
{
    const bool supervisor = user == kSupervisorName;
    std::vector<TaskCategory> categories;
    if (supervisor || !access.Check(kSalesModule, 0)) {
        categories.push_back({"Sales Over Credit Limit", kSalesOverCreditLimit});
        categories.push_back({"Sales On Hold", kSalesOnHold});
        categories.push_back({"Sales Inactive", kSalesInactive});
        categories.push_back({"Sales Credit Chargeable", kSalesCreditChargeable});
        categories.push_back({"Sales Beyond Credit Review", kSalesBeyondCreditReview});
    }
    if (supervisor || !access.Check(kPurchasesModule, 0)) {
        categories.push_back({"Purchase Over Credit Limit", kPurchaseOverCreditLimit});
        categories.push_back({"Purchase On Hold", kPurchaseOnHold});
        categories.push_back({"Purchase Inactive", kPurchaseInactive});
        categories.push_back({"Purchase Beyond Credit Review", kPurchaseBeyondCreditReview});
    }
    return categories;
}

const CKColumnSet& AccountStatusColumns()
{
    static const CKColumnSet columns{
        CKColumn::Text("A/C", 13, 9).Flagged(0x0008),
        CKColumn::Text("Name", 31, 61).Flagged(0x0008),
        CKColumn::Amount("Balance", 15).Flagged(0x0108),
        CKColumn::HiddenUInt32(),
        CKColumn::HiddenUInt32(),
    };
    return columns;
}

uint32_t ClassifyAccount(int ledger, const AccountState& a, uint16_t programDate)
{
    const bool purchases = ledger == kLedgerPurchases;
    uint32_t bits = 0;
    if (a.balance > a.creditLimit && IsPositiveAmount(a.creditLimit))
        bits |= purchases ? kPurchaseOverCreditLimit : kSalesOverCreditLimit;
    if (a.onHold != 0) bits |= purchases ? kPurchaseOnHold : kSalesOnHold;
    if (a.lastActivity != 0 && int32_t(programDate) - int32_t(a.lastActivity) > kInactiveDays)
        bits |= purchases ? kPurchaseInactive : kSalesInactive;
    // Suppliers have no credit charges.
    if (!purchases && a.creditCharges != 0) bits |= kSalesCreditChargeable;
    if (a.creditReview != 0 && a.creditReview < programDate)
        bits |= purchases ? kPurchaseBeyondCreditReview : kSalesBeyondCreditReview;
    return bits;
}

int AccountStatusLedgerOf(uint32_t category)
{
    return category > kSalesBeyondCreditReview ? kLedgerPurchases : kLedgerSales;
}

int AccountStatusPropertiesLedger(uint32_t category)
{
    // Exactly one of the nine bits: the tree only ever gives single bits.
    if (category == 0 || (category & (category - 1)) != 0) return 0;
    if (category & kSalesBits) return kLedgerSales;
    if (category & kPurchaseBits) return kLedgerPurchases;
    return 0;
}

void ScanAccountStatus(const ScanInput& input, ScanSink& sink)
{
    const int ledger = AccountStatusLedgerOf(input.category);
    const CKColumnSet& columns = AccountStatusColumns();
    std::vector<uint8_t> row(static_cast<size_t>(columns.RowSize()), 0);

    const LedgerFiles files = LedgerFilesOf(ledger);
    CDDataResourceManager resources(input.context);
    // The host names the ledger's pair this way round in its resource sets; only the pair counts.
    resources.GetResources().AddDataFile(files.index).AddIndexFile(files.data);
    resources.ObtainResources();

    LedgerWalk walk(resources.Context(), ledger);
    for (uint32_t account = walk.First(); account != 0 && !sink.Stopped(); account = walk.Next()) {
        const uint8_t* rec = walk.Account();
        const uint32_t bits = ClassifyAccount(ledger, AccountStateOf(rec), input.programDate);
        if (bits & input.category) {
            columns.WriteText(row, col(AccountStatusColumn::Account), GetText(rec, kAccountReference));
            columns.WriteText(row, col(AccountStatusColumn::Name), GetText(rec, kAccountName));
            columns.WriteAmount(row, col(AccountStatusColumn::Balance), GetF64(rec, kAccountBalance));
            columns.WriteUInt32(row, col(AccountStatusColumn::Bits), bits);
            columns.WriteUInt32(row, col(AccountStatusColumn::RecordNumber), account);
            sink.AddRow(row);
        }
        sink.Yield();
    }
    resources.ReleaseResources();
}

uint32_t AccountStatusRowRecord(std::span<const uint8_t> row)
{
    return AccountStatusColumns().ReadUInt32(row, static_cast<int>(AccountStatusColumn::RecordNumber));
}

const TaskScan& AccountStatusTaskScan()
{
    static const TaskScan scan{kAccountStatusCommand, "Account Status", &AccountStatusCategories,
                               &AccountStatusColumns, &ScanAccountStatus};
    return scan;
}

}  // namespace kelo
