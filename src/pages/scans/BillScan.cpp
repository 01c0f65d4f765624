#include "src/pages/scans/BillScan.h"

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"

namespace kelo {

namespace {

CKColumn WithFlags(CKColumn column, uint16_t flags)
{
    column.flags = flags;
    return column;
}

std::vector<TaskCategory> Categories(const std::string& user, const CBAccessManager& access)
{
    return BillCategories(user, access);
}

const CKColumnSet& Columns() { return BillColumns(); }

}  // namespace

std::vector<TaskCategory> BillCategories(const std::string&, const CBAccessManager&)
{
    return {{"Current Bills", kBillCurrent}, {"Overdue Bills", kBillOverdue}, {"Paid Bills", kBillPaid}};
}

const CKColumnSet& BillColumns()
{
    static const CKColumnSet columns{
        WithFlags(CKColumn::Text(QStringLiteral("Description"), 31, 61), 0x0008),
        WithFlags(CKColumn::Text(QStringLiteral("Date"), 13, 11), 0x0008),
        WithFlags(CKColumn::Text(QStringLiteral("Date Due"), 13, 11), 0x0008),
        WithFlags(CKColumn::Amount(QStringLiteral("Outstanding"), 15), 0x0108),
        CKColumn::HiddenUInt32().Named(QStringLiteral("record_number")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("category")),
    };
    return columns;
}

double BillAmountPaid(const uint8_t* rec)
{
    return Round(GetF64(rec, kBillTaxPaid) + GetF64(rec, kBillNetPaid), 2);
}

double BillOutstanding(const uint8_t* rec)
{
    return Round(GetF64(rec, kBillNetAmount) + GetF64(rec, kBillTaxAmount) -
                     GetF64(rec, kBillNetPaid) - GetF64(rec, kBillTaxPaid),
                 2);
}

bool IsPartPaidBill(const uint8_t* rec)
{
    return IsPositiveAmount(BillAmountPaid(rec)) && IsPositiveAmount(BillOutstanding(rec));
}

uint32_t BillCategoryOf(double outstanding, uint16_t dueDate, uint16_t programDate)
{
    if (outstanding < kPositiveAmountThreshold) return kBillPaid;
    if (dueDate < programDate) return kBillOverdue;
    return kBillCurrent;
}

uint32_t BillCategoryOfRecord(const uint8_t* rec, uint16_t programDate)
{
    return BillCategoryOf(BillOutstanding(rec), GetU16(rec, kBillDueDate), programDate);
}

bool IsSameBill(const uint8_t* a, const uint8_t* b)
{
    if (GetU16(a, kBillFirstDueDate) != GetU16(b, kBillFirstDueDate)) return false;
    for (const Field& f : {kBillPayTo, kBillDetails, kBillReference})
        if (GetText(a, f) == GetText(b, f)) return true;
    return false;
}

bool RowShowsBill(std::span<const uint8_t> row, const uint8_t* rec)
{
    const CKColumnSet& cols = BillColumns();
    return cols.ReadText(row, kBillColDescription) == GetText(rec, kBillDetails) &&
           cols.ReadText(row, kBillColDate) == DateNumberToFullString(GetU16(rec, kBillDate)) &&
           cols.ReadText(row, kBillColDateDue) == DateNumberToFullString(GetU16(rec, kBillDueDate));
}

std::vector<uint8_t> BuildBillRow(const uint8_t* rec, uint32_t recNo, uint32_t category)
{
    const CKColumnSet& cols = BillColumns();
    std::vector<uint8_t> row(static_cast<size_t>(cols.RowSize()), 0);
    cols.WriteText(row, kBillColDescription, GetText(rec, kBillDetails));
    cols.WriteText(row, kBillColDate, DateNumberToFullString(GetU16(rec, kBillDate)));
    cols.WriteText(row, kBillColDateDue, DateNumberToFullString(GetU16(rec, kBillDueDate)));
    cols.WriteAmount(row, kBillColOutstanding, NormaliseZero(BillOutstanding(rec)));
    cols.WriteUInt32(row, kBillColRecordNumber, recNo);
    cols.WriteUInt32(row, kBillColCategory, category);
    return row;
}

void ScanBills(const ScanInput& input, ScanSink& sink)
{
    CDDataResourceManager manager(input.context);
    manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    DataFile bills = manager.Context().File(kFileBills);
    std::vector<uint8_t> rec(kBillLength, 0);
    const uint32_t count = RecCount(bills);
    for (uint32_t recNo = 1; recNo <= count && !sink.Stopped(); ++recNo) {
        if (ReadRec(bills, recNo, rec.data()) == 0) continue;
        const uint32_t category = BillCategoryOfRecord(rec.data(), input.programDate);
        if ((category & input.category) != 0) sink.AddRow(BuildBillRow(rec.data(), recNo, category));
    }
    manager.ReleaseResources();
}

const TaskScan& BillsTaskScan()
{
    static const TaskScan scan{32602, "Bills", &Categories, &Columns, &ScanBills};
    return scan;
}

}  // namespace kelo
