#include "src/pages/scans/RecurringScan.h"

#include <algorithm>

#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/RecurringRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Text.h"
#include "src/pages/scans/RecurringEntry.h"

namespace kelo {
namespace {

constexpr uint16_t kShownFlags = 0x0008;
constexpr uint16_t kAmountFlags = 0x0108;
constexpr uint16_t kCountFlags = 0x0408;

constexpr int kJournalDebitType = 15;
constexpr int kJournalCreditType = 16;

int col(RecurringColumn c) { return static_cast<int>(c); }

void scan(const ScanInput& input, ScanSink& sink, bool withFinish)
{
    const CKColumnSet& columns = withFinish ? RecurringToolColumns() : RecurringColumns();
    const int finishColumn = col(RecurringColumn::Count);
    std::vector<uint8_t> row(static_cast<size_t>(columns.RowSize()), 0);
    std::vector<uint8_t> rec(kRecurringLength, 0);

    CDDataResourceManager resources(input.context);
    resources.GetResources().Add(CDPersistentRecurringEntry::GetStaticResourcesFor(kResourceRead));
    resources.GetResources().Add(CDPersistentBank::GetStaticResourcesFor(kResourceRead));
    resources.ObtainResources();
    DataContext& context = resources.Context();
    DataFile file = context.File(kFileRecurring);

    const uint32_t count = RecCount(file);
    for (uint32_t recNo = 1; recNo <= count && !sink.Stopped(); ++recNo) {
        // A number with no record behind it has nothing to show.
        if (!ReadRec(file, recNo, rec.data())) continue;
        const RecurringEntry e = RecurringEntry::Of(rec.data());
        const uint32_t bit = RecurringCategoryOf(e.kind);
        if (!(bit & input.category)) continue;

        std::fill(row.begin(), row.end(), 0);
        columns.WriteUInt32(row, col(RecurringColumn::RecordNumber), recNo);
        columns.WriteText(row, col(RecurringColumn::Frequency), e.FrequencyText());
        // A negative count is damage; the column holds no sign.
        columns.WriteUInt32(row, col(RecurringColumn::PostsMade),
                            static_cast<uint32_t>(std::max(e.postingsMade, 0)));
        columns.WriteText(row, col(RecurringColumn::NextPosting), e.NextPostingText());
        columns.WriteText(row, col(RecurringColumn::Reference), e.reference);
        columns.WriteText(row, col(RecurringColumn::Details), e.details);
        columns.WriteAmount(row, col(RecurringColumn::Amount), e.tax + e.net);
        if (withFinish) columns.WriteText(row, finishColumn, e.ProjectedFinish().Text());

        if (e.kind == kRecurringTransfer) {
            columns.WriteText(row, col(RecurringColumn::Type), TranType(kJournalDebitType));
            sink.AddRow(row);
            columns.WriteText(row, col(RecurringColumn::Type), TranType(kJournalCreditType));
            sink.AddRow(row);
            continue;
        }
        // Only payments and receipts care which kind of account the bank is.
        const bool byBank = e.kind == kRecurringPayment || e.kind == kRecurringReceipt;
        const int bankKind = byBank ? RecurringBankKind(context, e.bankCode) : 0;
        columns.WriteText(row, col(RecurringColumn::Type), TranType(RecurringTypeCode(e.kind, bankKind)));
        sink.AddRow(row);
    }
    resources.ReleaseResources();
}

}  // namespace

std::vector<TaskCategory> RecurringCategories(const std::string&, const CBAccessManager&)
{
    return {{"Payments", kRecurringPayments},     {"Receipts", kRecurringReceipts},
            {"Debits", kRecurringDebits},         {"Credits", kRecurringCredits},
            {"Bank Transfers", kRecurringTransfers}, {"Customer SAs", kRecurringCustomerSAs},
            {"Supplier PAs", kRecurringSupplierPAs}};
}

const CKColumnSet& RecurringColumns()
{
    static const CKColumnSet columns{
        CKColumn::Text("Tp", 10, 10).Flagged(kShownFlags),
        CKColumn::Text("Ref", 9, 9).Flagged(kShownFlags),
        CKColumn::Text("Details", 25, 61).Flagged(kShownFlags),
        CKColumn::Amount("Amount", 13).Flagged(kAmountFlags),
        CKColumn::Text("Frequency", 15, 13).Flagged(kShownFlags),
        CKColumn::Text("Next Posting", 15, 11).Flagged(kShownFlags),
        CKColumn::UInt32("Posts Made", 13).Flagged(kCountFlags),
        CKColumn::HiddenUInt32().Named("record_number"),
    };
    return columns;
}

const CKColumnSet& RecurringToolColumns()
{
    static const CKColumnSet columns = [] {
        CKColumnSet c = RecurringColumns();
        c.Add(CKColumn::Text("Finish Date", 15, 11));
        return c;
    }();
    return columns;
}

uint32_t RecurringCategoryOf(int kind)
{
    switch (kind) {
    case kRecurringPayment: return kRecurringPayments;
    case kRecurringReceipt: return kRecurringReceipts;
    case kRecurringTransfer: return kRecurringTransfers;
    case kRecurringCustomerOnAccount: return kRecurringCustomerSAs;
    case kRecurringJournalDebit: return kRecurringDebits;
    case kRecurringJournalCredit: return kRecurringCredits;
    case kRecurringSupplierOnAccount: return kRecurringSupplierPAs;
    default: return 0;
    }
}

int RecurringTypeCode(int kind, int bankKind)
{
    switch (kind) {
    case kRecurringPayment:
        return bankKind == kBankKindCash ? 13 : bankKind == kBankKindCreditCard ? 17 : 11;
    case kRecurringReceipt:
        return bankKind == kBankKindCash ? 14 : bankKind == kBankKindCreditCard ? 18 : 12;
    case kRecurringCustomerOnAccount: return 4;
    case kRecurringJournalDebit: return kJournalDebitType;
    case kRecurringJournalCredit: return kJournalCreditType;
    case kRecurringSupplierOnAccount: return 9;
    default: return 0;
    }
}

int RecurringBankKind(DataContext& context, const std::string& code)
{
    std::vector<uint8_t> bank(kBankLength, 0);
    const std::string key = FillUp(code, kBankCode.width);
    if (!NetworkFlashFindAccount(context, kLedgerBank, key.c_str(), bank.data(), 0)) return 0;
    return GetU8(bank.data(), kBankKind);
}

void ScanRecurring(const ScanInput& input, ScanSink& sink) { scan(input, sink, false); }

void ScanRecurringWithFinish(const ScanInput& input, ScanSink& sink) { scan(input, sink, true); }

uint32_t RecurringRowRecord(std::span<const uint8_t> row)
{
    return RecurringColumns().ReadUInt32(row, col(RecurringColumn::RecordNumber));
}

const TaskScan& RecurringTaskScan()
{
    static const TaskScan scan{kRecurringCommand,   "Recurring Items", &RecurringCategories,
                               &RecurringColumns,   &ScanRecurring,    &RecurringToolColumns,
                               &ScanRecurringWithFinish};
    return scan;
}

}  // namespace kelo
