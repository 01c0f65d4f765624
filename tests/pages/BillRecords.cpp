#include "tests/pages/BillRecords.h"

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"

namespace kelo::test {

uint32_t AddBill(DataContext& context, const BillSpec& b, uint32_t recNo)
{
    std::vector<uint8_t> rec(kBillLength, 0);
    uint8_t* p = rec.data();
    SetText(p, kBillPayTo, b.payTo);
    SetText(p, kBillDetails, b.details);
    SetText(p, kBillReference, b.reference);
    SetI16(p, kBillTaxCode, b.taxCode);
    SetU16(p, kBillDate, b.billDate ? b.billDate : b.dueDate);
    SetU16(p, kBillDueDate, b.dueDate);
    SetU16(p, kBillDatePaid, b.datePaid);
    SetF64(p, kBillNetAmount, b.net);
    SetF64(p, kBillTaxAmount, b.tax);
    SetF64(p, kBillNetPaid, b.netPaid);
    SetF64(p, kBillTaxPaid, b.taxPaid);
    SetU16(p, kBillFirstDueDate, b.dueDate);
    SetU16(p, kBillFirstDueDateSet, 1);
    DataFile bills = context.File(kFileBills);
    if (recNo == 0) recNo = RecCount(bills) + 1;
    WriteRec(bills, recNo, p);
    return recNo;
}

std::vector<uint8_t> ReadStoredBill(DataContext& context, uint32_t recNo)
{
    std::vector<uint8_t> rec(kBillLength, 0);
    if (ReadRec(context.File(kFileBills), recNo, rec.data()) == 0) rec.clear();
    return rec;
}

std::vector<std::string> BillDetails(DataContext& context)
{
    std::vector<std::string> details;
    DataFile bills = context.File(kFileBills);
    const uint32_t count = RecCount(bills);
    std::vector<uint8_t> rec(kBillLength, 0);
    for (uint32_t n = 1; n <= count; ++n)
        if (ReadRec(bills, n, rec.data())) details.push_back(GetText(rec.data(), kBillDetails));
    return details;
}

}  // namespace kelo::test
