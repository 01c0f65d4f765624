#include "src/pages/scans/AccountsDueScan.h"

#include <deque>
#include <exception>

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

// An account whose chain of headers the fill walks, and what it found there so far.
struct AccountChain {
    uint32_t next = 0;  // the header read next; 0 once the chain has ended
    int16_t creditPeriod = 0;
    int16_t settlementPeriod = 0;
    ChainGuard chain;
    std::vector<uint8_t> rows;  // rows found behind an account still walked, one after another
    std::exception_ptr failed;  // what ended the chain early, given out in its turn
};

// Chains walked side by side: a step reads the next header of each in turn, so the store
// fetches one chain's next header from memory while the others are read, where one chain at a
// time waits for every header. Rows still come out account by account, in the walk's order: the
// first account's at once, those of the accounts behind it when it is done.
constexpr size_t kChainsAtOnce = 4;
// Accounts whose chains have ended held back behind one still walked, at the most.
constexpr size_t kAccountsHeld = 64;

// One ledger's part of the fill, inside its own data-resource bracket.
void scanLedger(const ScanInput& input, ScanSink& sink, int ledger)
{
    const CKColumnSet& columns = AccountsDueColumns();
    const size_t rowSize = static_cast<size_t>(columns.RowSize());
    std::vector<uint8_t> row(rowSize, 0);
    std::vector<uint8_t> header(kAuditHeaderLength, 0);
    std::vector<uint8_t> split(kSplitLength, 0);

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
    std::deque<AccountChain> accounts;  // in the walk's order
    size_t walking = 0;                 // of them, those whose chain goes on

    // Reads the chain's next header and lists it when it is due; a loop or a number past the
    // file ends this account's chain and the rest goes on.
    const auto step = [&](AccountChain& a) {
        const uint32_t at = a.next;
        a.next = 0;
        if (!a.chain.Visit(at) || !ReadRec(headers, at, header.data())) return;
        const uint8_t* h = header.data();
        if (GetU16(h, kHeaderExclusion) == 0 && GetU8(h, kHeaderType) == invoiceType) {
            const double outstanding =
                InvoiceOutstanding(GetF64(h, kHeaderNetAmount), GetF64(h, kHeaderTaxAmount),
                                   GetF64(h, kHeaderAmountPaid));
            const uint16_t date = GetU16(h, kHeaderDate);
            const uint32_t bits = ClassifyInvoice(ledger, outstanding, date, input.programDate,
                                                  a.creditPeriod, a.settlementPeriod);
            if (bits & input.category) {
                // A split past the file leaves the row without its number (0), still listed.
                uint32_t transaction = 0;
                const uint32_t firstSplit = GetU32(h, kHeaderFirstSplit);
                if (firstSplit != 0 && ReadRec(splits, firstSplit, split.data()))
                    transaction = GetU32(split.data(), kSplitTransactionNumber);
                columns.WriteUInt32(row, col(AccountsDueColumn::No), transaction);
                columns.WriteText(row, col(AccountsDueColumn::Account),
                                  GetText(h, kHeaderAccountReference));
                columns.WriteText(row, col(AccountsDueColumn::Date), DateNumberToFullString(date));
                columns.WriteText(row, col(AccountsDueColumn::Ref), GetText(h, kHeaderReference));
                columns.WriteText(row, col(AccountsDueColumn::Details), GetText(h, kHeaderDetails));
                columns.WriteAmount(row, col(AccountsDueColumn::Amount), outstanding);
                columns.WriteUInt32(row, col(AccountsDueColumn::Bits), bits);
                if (&a != &accounts.front())
                    a.rows.insert(a.rows.end(), row.begin(), row.end());
                else if (!sink.Stopped())
                    sink.AddRow(row);
            }
        }
        a.next = GetU32(h, kHeaderNextHeader);
    };

    // The accounts in front whose chains have ended give their rows, in order; the one then in
    // front gives those it has found, and lists the rest as it finds them.
    const auto giveRows = [&] {
        while (!accounts.empty() && !sink.Stopped()) {
            AccountChain& a = accounts.front();
            for (size_t at = 0; at < a.rows.size() && !sink.Stopped(); at += rowSize)
                sink.AddRow(std::span<const uint8_t>(a.rows.data() + at, rowSize));
            a.rows.clear();
            if (a.next != 0) return;
            if (a.failed) std::rethrow_exception(a.failed);
            accounts.pop_front();
            sink.Yield();
        }
    };

    uint32_t account = walk.First();
    std::exception_ptr walkFailed;  // an account read ahead was damaged: given out in its turn
    while (!sink.Stopped()) {
        while (account != 0 && walking < kChainsAtOnce && accounts.size() < kAccountsHeld) {
            const uint8_t* rec = walk.Account();
            AccountChain& a = accounts.emplace_back();
            a.creditPeriod = GetI16(rec, kAccountCreditPeriod);
            a.settlementPeriod = GetI16(rec, kAccountSettlementPeriod);
            a.next = GetU32(rec, kAccountFirstHeader);
            walking += a.next != 0;
            try {
                account = walk.Next();
            } catch (...) {
                walkFailed = std::current_exception();
                account = 0;
            }
        }
        if (accounts.empty()) {
            if (walkFailed) std::rethrow_exception(walkFailed);
            break;
        }
        for (AccountChain& a : accounts) {
            if (a.next == 0) continue;
            try {
                step(a);
            } catch (...) {
                // Given out after the rows the account listed before it, as a walk of one
                // chain at a time would.
                a.failed = std::current_exception();
            }
            walking -= a.next == 0;
            sink.Yield();
            if (sink.Stopped()) {
                sink.Yield();  // the account's, as its chain ends there
                break;
            }
        }
        giveRows();
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
