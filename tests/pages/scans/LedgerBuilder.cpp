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

void LedgerBuilder::Poke(int file, uint32_t recNo, const Field& field, uint32_t value)
{
    std::vector<uint8_t> rec = Read(file, recNo);
    SetU32(rec.data(), field, value);
    Write(file, recNo, rec);
}

void LedgerBuilder::Append(int ownerFile, uint32_t owner, const Field& first, int file,
                           const Field& next, uint32_t recNo)
{
    uint32_t at = GetU32(Read(ownerFile, owner).data(), first);
    if (at == 0) return Poke(ownerFile, owner, first, recNo);
    for (uint32_t after; (after = GetU32(Read(file, at).data(), next)) != 0;) at = after;
    Poke(file, at, next, recNo);
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
    SetU16(rec.data(), kAccountBacs, a.bacs);
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

    Append(accountFile(ledger), accountRecNo, kAccountFirstHeader, kFileAuditHeaders,
           kHeaderNextHeader, headerNo);
    return headerNo;
}

uint32_t LedgerBuilder::FirstSplitOf(uint32_t headerRecNo)
{
    return GetU32(Read(kFileAuditHeaders, headerRecNo).data(), kHeaderFirstSplit);
}

uint32_t LedgerBuilder::AddAllocation(uint32_t headerRecNo, uint16_t date, double amount)
{
    const uint32_t allocationNo = RecCount(m_ctx.File(kFileAllocations)) + 1;
    std::vector<uint8_t> rec(kAllocationLength, 0);
    SetU16(rec.data(), kAllocationDate, date);
    SetF64(rec.data(), kAllocationAmount, amount);
    Write(kFileAllocations, allocationNo, rec);
    Append(kFileSplits, FirstSplitOf(headerRecNo), kSplitFirstAllocation, kFileAllocations,
           kAllocationNext, allocationNo);
    return allocationNo;
}

void LedgerBuilder::MarkDeleted(int ledger, uint32_t accountRecNo)
{
    std::vector<uint8_t> rec = Read(accountFile(ledger), accountRecNo);
    rec[kAccountName.offset] = 0xFF;
    Write(accountFile(ledger), accountRecNo, rec);
}

}  // namespace kelo::test
