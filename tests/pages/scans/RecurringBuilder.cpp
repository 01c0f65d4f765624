#include "RecurringBuilder.h"

#include <vector>

#include "LedgerBuilder.h"
#include "host/data/DepartmentRecord.h"
#include "host/data/FileMap.h"
#include "host/data/RecurringRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"

namespace kelo::test {
namespace {

std::vector<uint8_t> readOrBlank(DataContext& ctx, int file, uint32_t recNo)
{
    std::vector<uint8_t> rec(ctx.File(file)->recordLength, 0);
    if (!ReadRec(ctx.File(file), recNo, rec.data())) std::fill(rec.begin(), rec.end(), 0);
    return rec;
}

}  // namespace

uint32_t RecurringBuilder::Add(const Entry& e)
{
    std::vector<uint8_t> rec(kRecurringLength, 0);
    uint8_t* p = rec.data();
    SetI8(p, kRecurringKind, e.kind);
    SetText(p, kRecurringSecondAccount, e.second);
    SetText(p, kRecurringBankCode, e.bank);
    SetText(p, kRecurringReference, e.reference);
    SetText(p, kRecurringDetails, e.details);
    SetI8(p, kRecurringSuspended, e.suspended);
    SetF64(p, kRecurringNetAmount, e.net);
    SetF64(p, kRecurringTaxAmount, e.tax);
    SetU16(p, kRecurringLastPosted, e.lastPosted);
    SetI16(p, kRecurringDepartment, e.department);
    SetI16(p, kRecurringTaxCode, e.taxCode);
    SetI16(p, kRecurringInterval, e.interval);
    SetI8(p, kRecurringUnit, e.unit);
    SetU16(p, kRecurringStartDate, e.start);
    SetI16(p, kRecurringTotalPostings, e.total);
    SetI16(p, kRecurringPostingsMade, e.made);
    const uint32_t recNo = RecCount(m_ctx.File(kFileRecurring)) + 1;
    WriteRec(m_ctx.File(kFileRecurring), recNo, p);
    return recNo;
}

void RecurringBuilder::AddSupplier(const std::string& code, const std::string& name, uint16_t bacs)
{
    LedgerBuilder(m_ctx).AddAccount(kLedgerPurchases, {.code = code, .name = name, .bacs = bacs});
}

void RecurringBuilder::SetDepartment(int number, const std::string& reference,
                                     const std::string& name)
{
    std::vector<uint8_t> rec(kDepartmentLength, 0);
    SetText(rec.data(), kDepartmentUserReference, reference);
    SetText(rec.data(), kDepartmentName, name);
    WriteRec(m_ctx.File(kFileDepartments), uint32_t(number), rec.data());
}

void RecurringBuilder::SetTaxRate(int code, double rate)
{
    std::vector<uint8_t> rec = readOrBlank(m_ctx, kFileTaxControl, 1);
    kelo::SetTaxRate(rec.data(), code, rate);
    WriteRec(m_ctx.File(kFileTaxControl), 1, rec.data());
}

void RecurringBuilder::Poke(uint32_t recNo, uint32_t offset, uint8_t value)
{
    std::vector<uint8_t> rec = readOrBlank(m_ctx, kFileRecurring, recNo);
    rec.at(offset) = value;
    WriteRec(m_ctx.File(kFileRecurring), recNo, rec.data());
}

}  // namespace kelo::test
