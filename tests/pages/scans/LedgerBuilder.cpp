#include "LedgerBuilder.h"

#include <stdexcept>

#include "host/file/RecordFile.h"
#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/SplitRecord.h"

namespace kelo::test {
namespace {

int accountFile(int ledger) { return ledger == kLedgerPurchases ? kFileSuppliers : kFileCustomers; }
int indexFile(int ledger) { return ledger == kLedgerPurchases ? kFileSupplierIndex : kFileCustomerIndex; }

}  // namespace

std::vector<uint8_t> LedgerBuilder::Read(int file, uint32_t recNo)
{
    std::vector<uint8_t> rec(m_ctx.File(file)->recordLength, 0);
    if (!ReadRec(m_ctx.File(file), recNo, rec.data()))
        throw std::runtime_error("builder: no record " + std::to_string(recNo));
    return rec;
}

void LedgerBuilder::Write(int file, uint32_t recNo, const std::vector<uint8_t>& rec)
{
    WriteRec(m_ctx.File(file), recNo, rec.data());
}

uint32_t LedgerBuilder::AddAccount(int ledger, const Account& a)
{
    std::vector<uint8_t> rec(kAccountLength, 0);
    SetText(rec.data(), kAccountReference, a.code);
    SetText(rec.data(), kAccountName, a.name);
    SetText(rec.data(), kAccountContactName, a.contact);
    SetText(rec.data(), kAccountTelephone, a.telephone);
    SetI16(rec.data(), kAccountCreditPeriod, a.creditPeriod);
    SetI16(rec.data(), kAccountSettlementPeriod, a.settlementPeriod);
    SetF64(rec.data(), kAccountBalance, a.balance);
    SetF64(rec.data(), kAccountCreditLimit, a.creditLimit);
    SetU8(rec.data(), kAccountOnHold, a.onHold);
    SetU16(rec.data(), kAccountLastActivityDate, a.lastActivity);
    SetU16(rec.data(), kAccountCreditCharges, a.creditCharges);
    SetU16(rec.data(), kAccountCreditReviewDate, a.creditReview);
    const uint32_t recNo = RecCount(m_ctx.File(accountFile(ledger))) + 1;
    Write(accountFile(ledger), recNo, rec);
    const AccountKey key = BuildAccountKey(a.code);
    AddKey(m_ctx.File(indexFile(ledger)), key.data(), recNo, 0, 0);
    return recNo;
}

uint32_t LedgerBuilder::AddHeader(int ledger, uint32_t accountRecNo, const Header& h)
{
    const uint32_t headerNo = RecCount(m_ctx.File(kFileAuditHeaders)) + 1;
    const uint32_t splitNo = RecCount(m_ctx.File(kFileSplits)) + 1;
    const uint32_t transaction = h.transaction ? h.transaction : m_lastTransaction + 1;
    m_lastTransaction = std::max(m_lastTransaction, transaction);

    std::vector<uint8_t> split(kSplitLength, 0);
    SetU32(split.data(), kSplitHeader, headerNo);
    SetU32(split.data(), kSplitTransactionNumber, transaction);
    Write(kFileSplits, splitNo, split);
    const TransactionKey key = BuildTransactionKey(transaction);
    AddKey(m_ctx.File(kFileTransactionIndex), key.data(), splitNo, 0, 0);

    std::vector<uint8_t> rec(kAuditHeaderLength, 0);
    SetU8(rec.data(), kHeaderType, h.type);
    SetText(rec.data(), kHeaderAccountReference, h.account);
    SetText(rec.data(), kHeaderReference, h.reference);
    SetText(rec.data(), kHeaderDetails, h.details);
    SetU16(rec.data(), kHeaderDate, h.date);
    SetF64(rec.data(), kHeaderNetAmount, h.net);
    SetF64(rec.data(), kHeaderTaxAmount, h.tax);
    SetF64(rec.data(), kHeaderAmountPaid, h.paid);
    SetU16(rec.data(), kHeaderExclusion, h.exclusion);
    SetU16(rec.data(), kHeaderAgeAsCurrent, h.ageAsCurrent);
    SetU32(rec.data(), kHeaderFirstSplit, splitNo);
    Write(kFileAuditHeaders, headerNo, rec);

    // Append to the account's chain.
    std::vector<uint8_t> account = Read(accountFile(ledger), accountRecNo);
    uint32_t at = GetU32(account.data(), kAccountFirstHeader);
    if (at == 0) {
        SetU32(account.data(), kAccountFirstHeader, headerNo);
        Write(accountFile(ledger), accountRecNo, account);
    } else {
        for (;;) {
            std::vector<uint8_t> prev = Read(kFileAuditHeaders, at);
            const uint32_t next = GetU32(prev.data(), kHeaderNextHeader);
            if (next == 0) {
                SetU32(prev.data(), kHeaderNextHeader, headerNo);
                Write(kFileAuditHeaders, at, prev);
                break;
            }
            at = next;
        }
    }
    return headerNo;
}

uint32_t LedgerBuilder::FirstSplitOf(uint32_t headerRecNo)
{
    return GetU32(Read(kFileAuditHeaders, headerRecNo).data(), kHeaderFirstSplit);
}

uint32_t LedgerBuilder::AddSplit(uint32_t headerRecNo)
{
    const uint32_t splitNo = RecCount(m_ctx.File(kFileSplits)) + 1;
    uint32_t at = FirstSplitOf(headerRecNo);
    std::vector<uint8_t> prev = Read(kFileSplits, at);
    while (GetU32(prev.data(), kSplitNextSplit) != 0) {
        at = GetU32(prev.data(), kSplitNextSplit);
        prev = Read(kFileSplits, at);
    }
    std::vector<uint8_t> split(kSplitLength, 0);
    SetU32(split.data(), kSplitHeader, headerRecNo);
    SetU32(split.data(), kSplitTransactionNumber, GetU32(prev.data(), kSplitTransactionNumber));
    Write(kFileSplits, splitNo, split);
    SetU32(prev.data(), kSplitNextSplit, splitNo);
    Write(kFileSplits, at, prev);
    return splitNo;
}

uint32_t LedgerBuilder::AddAllocation(uint32_t headerRecNo, uint16_t date, double amount)
{
    return AddAllocationOnSplit(FirstSplitOf(headerRecNo), date, amount);
}

uint32_t LedgerBuilder::AddAllocationOnSplit(uint32_t splitNo, uint16_t date, double amount)
{
    const uint32_t allocationNo = RecCount(m_ctx.File(kFileAllocations)) + 1;
    std::vector<uint8_t> rec(kAllocationLength, 0);
    SetU16(rec.data(), kAllocationDate, date);
    SetF64(rec.data(), kAllocationAmount, amount);
    Write(kFileAllocations, allocationNo, rec);

    std::vector<uint8_t> split = Read(kFileSplits, splitNo);
    uint32_t at = GetU32(split.data(), kSplitFirstAllocation);
    if (at == 0) {
        SetU32(split.data(), kSplitFirstAllocation, allocationNo);
        Write(kFileSplits, splitNo, split);
        return allocationNo;
    }
    for (;;) {
        std::vector<uint8_t> prev = Read(kFileAllocations, at);
        const uint32_t next = GetU32(prev.data(), kAllocationNext);
        if (next == 0) {
            SetU32(prev.data(), kAllocationNext, allocationNo);
            Write(kFileAllocations, at, prev);
            return allocationNo;
        }
        at = next;
    }
}

void LedgerBuilder::SetFirstHeader(int ledger, uint32_t accountRecNo, uint32_t headerRecNo)
{
    std::vector<uint8_t> rec = Read(accountFile(ledger), accountRecNo);
    SetU32(rec.data(), kAccountFirstHeader, headerRecNo);
    Write(accountFile(ledger), accountRecNo, rec);
}

void LedgerBuilder::SetNextHeader(uint32_t headerRecNo, uint32_t next)
{
    std::vector<uint8_t> rec = Read(kFileAuditHeaders, headerRecNo);
    SetU32(rec.data(), kHeaderNextHeader, next);
    Write(kFileAuditHeaders, headerRecNo, rec);
}

void LedgerBuilder::SetFirstSplit(uint32_t headerRecNo, uint32_t split)
{
    std::vector<uint8_t> rec = Read(kFileAuditHeaders, headerRecNo);
    SetU32(rec.data(), kHeaderFirstSplit, split);
    Write(kFileAuditHeaders, headerRecNo, rec);
}

void LedgerBuilder::SetFirstAllocation(uint32_t splitRecNo, uint32_t allocation)
{
    std::vector<uint8_t> rec = Read(kFileSplits, splitRecNo);
    SetU32(rec.data(), kSplitFirstAllocation, allocation);
    Write(kFileSplits, splitRecNo, rec);
}

void LedgerBuilder::SetNextAllocation(uint32_t allocationRecNo, uint32_t next)
{
    std::vector<uint8_t> rec = Read(kFileAllocations, allocationRecNo);
    SetU32(rec.data(), kAllocationNext, next);
    Write(kFileAllocations, allocationRecNo, rec);
}

void LedgerBuilder::MarkDeleted(int ledger, uint32_t accountRecNo)
{
    std::vector<uint8_t> rec = Read(accountFile(ledger), accountRecNo);
    rec[kAccountName.offset] = 0xFF;
    Write(accountFile(ledger), accountRecNo, rec);
}

}  // namespace kelo::test
