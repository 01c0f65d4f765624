#include "src/pages/scans/AgedAnalysis.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/GlobalBlock.h"
#include "host/data/SplitRecord.h"
#include "src/pages/scans/ChainGuard.h"

namespace kelo {
namespace {

// The ledger's counted types: the invoice (owed), a credit, and a payment on account.
struct CountedTypes {
    uint8_t owed;
    uint8_t credit;
    uint8_t onAccount;
};

CountedTypes countedTypesOf(int ledger)
{
    if (ledger == kLedgerPurchases) return {6, 7, 9};
    return {1, 2, 4};
}

// The buffers and loop guards of one analysis, made once.
struct Walk {
    explicit Walk(DataContext& context)
        : headers(context.File(kFileAuditHeaders)),
          splits(context.File(kFileSplits)),
          allocations(context.File(kFileAllocations)),
          header(kAuditHeaderLength),
          split(kSplitLength),
          allocation(kAllocationLength)
    {
    }
    datafilemap* headers;
    datafilemap* splits;
    datafilemap* allocations;
    std::vector<uint8_t> header, split, allocation;
    ChainGuard headerChain, splitChain, allocationChain;
};

// Net plus tax less every allocation dated on or before the cut-off, rounded at each step.
double outstandingAt(Walk& w, const uint8_t* header, uint16_t cutOff)
{
    std::vector<uint8_t>& split = w.split;
    std::vector<uint8_t>& allocation = w.allocation;
    ChainGuard& splitChain = w.splitChain;
    ChainGuard& allocationChain = w.allocationChain;

    double outstanding = Round(GetF64(header, kHeaderNetAmount) + GetF64(header, kHeaderTaxAmount), 2);
    splitChain.Reset();
    for (uint32_t s = GetU32(header, kHeaderFirstSplit); s != 0;
         s = GetU32(split.data(), kSplitNextSplit)) {
        if (!splitChain.Visit(s) || !ReadRec(w.splits, s, split.data())) break;
        allocationChain.Reset();
        for (uint32_t a = GetU32(split.data(), kSplitFirstAllocation); a != 0;
             a = GetU32(allocation.data(), kAllocationNext)) {
            if (!allocationChain.Visit(a) || !ReadRec(w.allocations, a, allocation.data())) break;
            if (GetU16(allocation.data(), kAllocationDate) <= cutOff)
                outstanding = Round(outstanding - GetF64(allocation.data(), kAllocationAmount), 2);
        }
    }
    return outstanding;
}

}  // namespace

AgingSettings AgingSettingsOf(const GlobalBlock& block, int ledger)
{
    AgingSettings s;
    if (!block.Exists()) return s;
    const bool suppliers = ledger == kLedgerPurchases;
    s.monthAging = block.U8(suppliers ? kGlobalSupplierMonthAging : kGlobalCustomerMonthAging) != 0;
    s.period1 = block.I16(suppliers ? kGlobalSupplierPeriod1 : kGlobalCustomerPeriod1);
    s.period2 = block.I16(suppliers ? kGlobalSupplierPeriod2 : kGlobalCustomerPeriod2);
    s.period3 = block.I16(suppliers ? kGlobalSupplierPeriod3 : kGlobalCustomerPeriod3);
    s.older = block.I16(suppliers ? kGlobalSupplierOlder : kGlobalCustomerOlder);
    s.ageAsCurrent = block.U16(kGlobalAgeAsCurrent);
    return s;
}

AgedBucket ChooseAgedBucket(const AgingSettings& settings, uint16_t agingDate, uint16_t date,
                            uint16_t headerAgeAsCurrent)
{
    if (settings.ageAsCurrent != 0 && headerAgeAsCurrent != 0) return AgedBucket::Current;
    if (settings.monthAging) {
        const int months = DateNumberToMonth(agingDate) - DateNumberToMonth(date);
        if (months < 0) return AgedBucket::Current;
        const int slot = std::min(months + static_cast<int>(AgedBucket::Current),
                                  static_cast<int>(AgedBucket::Older));
        return static_cast<AgedBucket>(slot);
    }
    const int32_t days = int32_t(agingDate) - int32_t(date);
    if (days >= settings.older) return AgedBucket::Older;
    if (days >= settings.period3) return AgedBucket::Period3;
    if (days >= settings.period2) return AgedBucket::Period2;
    if (days >= settings.period1) return AgedBucket::Period1;
    if (days >= 0) return AgedBucket::Current;
    return AgedBucket::Future;
}

AgedValues ComputeAgedAnalysis(DataContext& context, int ledger, uint32_t firstHeader,
                               const AgingSettings& settings, uint16_t agingDate, uint16_t cutOff)
{
    AgedValues aged{};
    if (ledger != kLedgerSales && ledger != kLedgerPurchases) return aged;
    const CountedTypes types = countedTypesOf(ledger);
    Walk w(context);
    for (uint32_t h = firstHeader; h != 0; h = GetU32(w.header.data(), kHeaderNextHeader)) {
        if (!w.headerChain.Visit(h) || !ReadRec(w.headers, h, w.header.data())) break;
        const uint8_t* rec = w.header.data();
        if (GetU16(rec, kHeaderExclusion) != 0) continue;
        const uint8_t type = GetU8(rec, kHeaderType);
        if (type != types.owed && type != types.credit && type != types.onAccount) continue;
        const uint16_t date = GetU16(rec, kHeaderDate);
        if (type == types.onAccount && date > cutOff) continue;

        double amount = outstandingAt(w, rec, cutOff);
        if (std::fabs(amount) < kPositiveAmountThreshold) continue;
        if (type != types.owed) amount = -amount;

        const auto bucket = static_cast<size_t>(
            ChooseAgedBucket(settings, agingDate, date, GetU16(rec, kHeaderAgeAsCurrent)));
        aged[bucket] = Round(aged[bucket] + amount, 2);
        aged[0] = Round(aged[0] + amount, 2);
    }
    return aged;
}

}  // namespace kelo
