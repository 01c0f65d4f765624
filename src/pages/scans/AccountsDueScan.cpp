#include "src/pages/scans/AccountsDueScan.h"

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CBAccessManager.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "src/app/TaskServices.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"
#include "src/pages/scans/ChainGuard.h"
#include "src/pages/scans/LedgerWalk.h"

namespace kelo {
namespace {

constexpr uint16_t kShownFlags = 0x0008;
constexpr uint16_t kNumberFlags = 0x0108;

constexpr int kSalesModule = 0;
constexpr int kPurchasesModule = 4;

constexpr uint8_t kSalesInvoice = 1;
constexpr uint8_t kPurchaseInvoice = 6;

int col(AccountsDueColumn c) { return static_cast<int>(c); }

// One ledger's part of the fill, inside its own data-resource bracket.
void scanLedger(const ScanInput& input, ScanSink& sink, int ledger)
{
    const CKColumnSet& columns = AccountsDueColumns();
    std::vector<uint8_t> row(static_cast<size_t>(columns.RowSize()), 0);
    std::vector<uint8_t> header(kAuditHeaderLength, 0);
    std::vector<uint8_t> split(kSplitLength, 0);
    ChainGuard chain;

    const LedgerFiles files = LedgerFilesOf(ledger);
    CDDataResourceManager resources(input.context);
    // The host names the ledger's pair this way round in its resource sets; only the pair counts.
    resources.GetResources().AddDataFile(files.index).AddIndexFile(files.data);
    resources.GetResources().Add(CBTranhead::GetStaticResourcesFor(kResourceRead));
    resources.ObtainResources();

    DataContext& context = resources.Context();
    datafilemap* headers = context.File(kFileAuditHeaders);
    datafilemap* splits = context.File(kFileSplits);
    const uint8_t invoiceType = ledger == kLedgerPurchases ? kPurchaseInvoice : kSalesInvoice;

    LedgerWalk walk(context, ledger);
    for (uint32_t account = walk.First(); account != 0 && !sink.Stopped(); account = walk.Next()) {
        const uint8_t* rec = walk.Account();
        const int16_t creditPeriod = GetI16(rec, kAccountCreditPeriod);
        const int16_t settlementPeriod = GetI16(rec, kAccountSettlementPeriod);
        chain.Reset();
        uint32_t next = GetU32(rec, kAccountFirstHeader);
        while (next != 0 && !sink.Stopped()) {
            // A loop or a number past the file ends this account's chain; the rest goes on.
            if (!chain.Visit(next) || !ReadRec(headers, next, header.data())) break;
            const uint8_t* h = header.data();
            if (GetU16(h, kHeaderExclusion) == 0 && GetU8(h, kHeaderType) == invoiceType &&
                !sink.Stopped()) {
                const double outstanding =
                    InvoiceOutstanding(GetF64(h, kHeaderNetAmount), GetF64(h, kHeaderTaxAmount),
                                       GetF64(h, kHeaderAmountPaid));
                const uint16_t date = GetU16(h, kHeaderDate);
                const uint32_t bits = ClassifyInvoice(ledger, outstanding, date, input.programDate,
                                                      creditPeriod, settlementPeriod);
                if (bits & input.category) {
                    // A split past the file leaves the row without its number (0), still listed.
                    uint32_t transaction = 0;
                    const uint32_t firstSplit = GetU32(h, kHeaderFirstSplit);
                    if (firstSplit != 0 && ReadRec(splits, firstSplit, split.data()))
                        transaction = GetU32(split.data(), kSplitTransactionNumber);
                    columns.WriteUInt32(row, col(AccountsDueColumn::No), transaction);
                    columns.WriteText(row, col(AccountsDueColumn::Account),
                                      GetText(h, kHeaderAccountReference));
                    columns.WriteText(row, col(AccountsDueColumn::Date),
                                      DateNumberToFullString(date));
                    columns.WriteText(row, col(AccountsDueColumn::Ref), GetText(h, kHeaderReference));
                    columns.WriteText(row, col(AccountsDueColumn::Details),
                                      GetText(h, kHeaderDetails));
                    columns.WriteAmount(row, col(AccountsDueColumn::Amount), outstanding);
                    columns.WriteUInt32(row, col(AccountsDueColumn::Bits), bits);
                    sink.AddRow(row);
                }
            }
            sink.Yield();
            next = GetU32(h, kHeaderNextHeader);
        }
        sink.Yield();
    }
    resources.ReleaseResources();
}

}  // namespace

std::vector<TaskCategory> AccountsDueCategories(const std::string& user,
                                                const CBAccessManager& access)
{
    const bool supervisor = user == kSupervisorName;
    std::vector<TaskCategory> categories;
    if (supervisor || !access.Check(kSalesModule, 0)) {
        categories.push_back({"Sales Overdue", kSalesOverdue});
        categories.push_back({"Sales Due", kSalesDue});
        categories.push_back({"Sales Within Settlement", kSalesWithinSettlement});
    }
    if (supervisor || !access.Check(kPurchasesModule, 0)) {
        categories.push_back({"Purchases Overdue", kPurchasesOverdue});
        categories.push_back({"Purchases Due", kPurchasesDue});
        categories.push_back({"Purchases Within Settlement", kPurchasesWithinSettlement});
    }
    return categories;
}

const CKColumnSet& AccountsDueColumns()
{
    static const CKColumnSet columns{
        CKColumn::UInt32("No", 8).Flagged(kNumberFlags),
        CKColumn::Text("A/C", 13, 9).Flagged(kShownFlags),
        CKColumn::Date("Date", 13, 11).Flagged(kShownFlags),
        CKColumn::Text("Ref", 11, 31).Flagged(kShownFlags),
        CKColumn::Text("Details", 21, 61).Flagged(kShownFlags),
        CKColumn::Amount("Amount", 15).Flagged(kNumberFlags),
        CKColumn::HiddenUInt32(),
    };
    return columns;
}

double InvoiceOutstanding(double net, double tax, double paid)
{
    return Round(tax + net - paid, 2);
}

uint32_t ClassifyInvoice(int ledger, double outstanding, uint16_t invoiceDate, uint16_t programDate,
                         int16_t creditPeriod, int16_t settlementPeriod)
{
    if (!IsPositiveAmount(outstanding)) return 0;
    const uint32_t overdue = ledger == kLedgerPurchases ? kPurchasesOverdue : kSalesOverdue;
    const uint32_t due = overdue << 1;
    const uint32_t settlement = overdue << 2;

    const int32_t age = int32_t(programDate) - int32_t(invoiceDate);
    uint32_t bits = 0;
    if (settlementPeriod != 0 && age <= settlementPeriod) bits |= settlement;
    if (age <= creditPeriod)
        bits |= due;
    else if (age > 0)
        bits |= overdue | due;
    return bits;
}

void ScanAccountsDue(const ScanInput& input, ScanSink& sink)
{
    constexpr uint32_t salesBits = kSalesOverdue | kSalesDue | kSalesWithinSettlement;
    constexpr uint32_t purchaseBits = kPurchasesOverdue | kPurchasesDue | kPurchasesWithinSettlement;
    for (int ledger : {kLedgerSales, kLedgerPurchases}) {
        // A ledger none of whose rows could share a bit with the category adds nothing; passing
        // it over lets a purchase category show its first row without walking every customer.
        if (!(input.category & (ledger == kLedgerSales ? salesBits : purchaseBits))) continue;
        scanLedger(input, sink, ledger);
        if (sink.Stopped()) return;
    }
}

uint32_t AccountsDueRowTransaction(std::span<const uint8_t> row)
{
    return AccountsDueColumns().ReadUInt32(row, static_cast<int>(AccountsDueColumn::No));
}

const TaskScan& AccountsDueTaskScan()
{
    static const TaskScan scan{kAccountsDueCommand, "Accounts Due", &AccountsDueCategories,
                               &AccountsDueColumns, &ScanAccountsDue};
    return scan;
}

}  // namespace kelo
