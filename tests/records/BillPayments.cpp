#include "BillPayments.h"

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"

namespace kelo::test {

std::vector<uint8_t> WriteBill(DataContext& ctx, uint32_t recNo, const TestBill& b)
{
    std::vector<uint8_t> rec(kBillLength, 0);
    SetText(rec.data(), kBillPayTo, b.payTo);
    SetText(rec.data(), kBillDetails, b.details);
    SetText(rec.data(), kBillReference, b.reference);
    SetI16(rec.data(), kBillTaxCode, int16_t(b.taxCode));
    SetU16(rec.data(), kBillDate, b.billDate);
    SetU16(rec.data(), kBillDueDate, b.dueDate);
    SetU16(rec.data(), kBillDatePaid, b.datePaid);
    SetF64(rec.data(), kBillNetAmount, b.net);
    SetF64(rec.data(), kBillTaxAmount, b.tax);
    SetF64(rec.data(), kBillNetPaid, b.netPaid);
    SetF64(rec.data(), kBillTaxPaid, b.taxPaid);
    SetU16(rec.data(), kBillFirstDueDate, b.dueDate);
    SetU16(rec.data(), kBillFirstDueDateSet, 1);
    WriteRec(ctx.File(kFileBills), recNo, rec.data());
    return rec;
}

std::vector<uint8_t> ReadBill(DataContext& ctx, uint32_t recNo)
{
    std::vector<uint8_t> rec(kBillLength, 0);
    ReadRec(ctx.File(kFileBills), recNo, rec.data());
    return rec;
}

}  // namespace kelo::test
