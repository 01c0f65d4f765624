#include "host/framework/TransactionPost.h"

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/NominalRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/util/Money.h"

namespace kelo {

namespace {

using Record = std::vector<uint8_t>;

// +1 for money paid out of the bank, -1 for money taken in, 0 for a type not posted here.
int Direction(uint8_t type)
{
    switch (type) {
    case kTypeBankPayment:
    case kTypeCashPayment:
    case kTypeCardPayment: return 1;
    case kTypeBankReceipt:
    case kTypeCashReceipt:
    case kTypeCardReceipt: return -1;
    default: return 0;
    }
}

// What a posting will move, worked out (and every account it needs found) before anything is
// written, so a refusal leaves the company as it was.
struct Plan {
    int direction = 0;
    uint32_t bankRecNo = 0;
    double net = 0;
    double tax = 0;
    std::map<uint32_t, double> nominal;  // nominal record number -> debit (negative: credit)
};

std::optional<Plan> MakePlan(DataContext& ctx, const uint8_t* header, const uint8_t* bank,
                             int bankCount, const uint8_t* splits, int splitCount)
{
    Plan plan;
    plan.direction = Direction(GetU8(header, kHeaderType));
    if (!plan.direction || !bank || bankCount != 1 || !splits || splitCount < 1) return {};
    if (GetU16(header, kHeaderDate) == 0) return {};
    const std::string bankCode = GetText(bank, kBankCode);
    if (bankCode.empty() || GetText(header, kHeaderBankCode) != bankCode) return {};

    Record rec(kBankLength), nominal(kNominalLength), control(kTaxControlLength, 0);
    plan.bankRecNo = FlashFindAccount(ctx, kLedgerBank, bankCode.c_str(), rec.data(), 0);
    const uint32_t bankNominal =
        FlashFindAccount(ctx, kLedgerNominal, bankCode.c_str(), nominal.data(), 0);
    if (!plan.bankRecNo || !bankNominal) return {};
    const bool haveControl = ReadRec(ctx.File(kFileTaxControl), 1, control.data()) != 0;
    const Field& taxControl = plan.direction > 0 ? kControlPurchaseTax : kControlSalesTax;

    for (int i = 0; i < splitCount; ++i) {
        const uint8_t* s = splits + size_t(i) * kSplitLength;
        const double net = GetF64(s, kSplitNetAmount);
        const double tax = GetF64(s, kSplitTaxAmount);
        if (!std::isfinite(net) || !std::isfinite(tax)) return {};
        const std::string code = GetText(s, kSplitNominalCode);
        const uint32_t recNo =
            code.empty() ? 0 : FlashFindAccount(ctx, kLedgerNominal, code.c_str(), nominal.data(), 0);
        if (!recNo) return {};
        plan.nominal[recNo] += plan.direction * net;
        if (tax != 0) {
            const uint32_t taxRecNo = haveControl ? GetU32(control.data(), taxControl) : 0;
            if (!taxRecNo || !ReadRec(ctx.File(kFileNominal), taxRecNo, nominal.data())) return {};
            plan.nominal[taxRecNo] += plan.direction * tax;
        }
        plan.net += net;
        plan.tax += tax;
    }
    plan.net = Round(plan.net, 2);
    plan.tax = Round(plan.tax, 2);
    plan.nominal[bankNominal] -= plan.direction * Round(plan.net + plan.tax, 2);
    return plan;
}

uint32_t Write(DataContext& ctx, const Plan& plan, const uint8_t* header, const uint8_t* splits,
               int splitCount)
{
    DataFile headers = ctx.File(kFileAuditHeaders);
    DataFile splitFile = ctx.File(kFileSplits);
    DataFile index = ctx.File(kFileTransactionIndex);

    TransactionKey last{};
    const uint32_t number = LastKey(index, last.data()) ? TransactionNumberFromKey(last.data()) + 1 : 1;
    const uint32_t headerNo = RecCount(headers) + 1;
    const uint32_t firstSplit = RecCount(splitFile) + 1;
    const double gross = Round(plan.net + plan.tax, 2);

    Record h(header, header + kAuditHeaderLength);
    SetText(h.data(), kHeaderAccountReference, GetText(header, kHeaderBankCode));
    SetF64(h.data(), kHeaderNetAmount, plan.net);
    SetF64(h.data(), kHeaderTaxAmount, plan.tax);
    // Money through the bank is settled when it moves.
    SetF64(h.data(), kHeaderAmountPaid, gross);
    SetU32(h.data(), kHeaderFirstSplit, firstSplit);
    SetU32(h.data(), kHeaderNextHeader, 0);
    WriteRec(headers, headerNo, h.data());

    const TransactionKey key = BuildTransactionKey(number);
    for (int i = 0; i < splitCount; ++i) {
        const uint8_t* given = splits + size_t(i) * kSplitLength;
        Record s(given, given + kSplitLength);
        const uint32_t splitNo = firstSplit + uint32_t(i);
        SetU32(s.data(), kSplitHeader, headerNo);
        SetU32(s.data(), kSplitNextSplit, i + 1 < splitCount ? splitNo + 1 : 0);
        SetU32(s.data(), kSplitTransactionNumber, number);
        SetU32(s.data(), kSplitFirstAllocation, 0);
        WriteRec(splitFile, splitNo, s.data());
        AddKey(index, key.data(), splitNo, 0, 0);
    }

    Record rec(kNominalLength);
    DataFile nominalFile = ctx.File(kFileNominal);
    for (const auto& [recNo, debit] : plan.nominal) {
        ReadRec(nominalFile, recNo, rec.data());
        SetF64(rec.data(), kNominalBalance, Round(GetF64(rec.data(), kNominalBalance) + debit, 2));
        WriteRec(nominalFile, recNo, rec.data());
    }
    Record bank(kBankLength);
    DataFile bankFile = ctx.File(kFileBank);
    ReadRec(bankFile, plan.bankRecNo, bank.data());
    SetF64(bank.data(), kBankBalance,
           Round(GetF64(bank.data(), kBankBalance) - plan.direction * gross, 2));
    WriteRec(bankFile, plan.bankRecNo, bank.data());
    return number;
}

}  // namespace

uint32_t TransactionPost(CBBusContext& context, const uint8_t* header, int,
                         const uint8_t* bankRecord, int bankCount, const uint8_t* splits,
                         int splitCount, int, int)
{
    if (!header) return 0;
    DataContext& ctx = context.Context();
    if (ctx.Environment().CurrentTxn(true)) {
        const std::optional<Plan> plan = MakePlan(ctx, header, bankRecord, bankCount, splits, splitCount);
        return plan ? Write(ctx, *plan, header, splits, splitCount) : 0;
    }
    CDDataResourceManager manager(ctx);
    manager.GetResources()
        .Add(CBTranhead::GetStaticResourcesFor(kResourceSave))
        .Add(CBNom::GetStaticResourcesFor(kResourceSave))
        .Add(CBBank::GetStaticResourcesFor(kResourceSave))
        .AddDataFile(kFileTaxControl);
    manager.ObtainResources();
    const std::optional<Plan> plan =
        MakePlan(manager.Context(), header, bankRecord, bankCount, splits, splitCount);
    if (!plan) return 0;  // the manager abandons its empty transaction
    const uint32_t number = Write(manager.Context(), *plan, header, splits, splitCount);
    manager.ReleaseResources();
    return number;
}

}  // namespace kelo
