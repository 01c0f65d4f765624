#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "src/pages/scans/TaskScan.h"

namespace kelo {

class CBAccessManager;
class CKColumnSet;

// The Bills list: every bill of the bill file in record order (the order of entry), as current,
// overdue or paid against the program date.

// Category bits of the Bills tree.
inline constexpr uint32_t kBillCurrent = 1;
inline constexpr uint32_t kBillOverdue = 2;
inline constexpr uint32_t kBillPaid = 4;

// Columns of the list row (column set 1006, 99 bytes), in row order.
enum BillColumn : int {
    kBillColDescription,  // the bill's Details
    kBillColDate,         // dd/mm/yyyy
    kBillColDateDue,      // dd/mm/yyyy
    kBillColOutstanding,  // amount, rounded to 2 decimals
    kBillColRecordNumber,
    kBillColCategory,
};

// "Current Bills" 1, "Overdue Bills" 2, "Paid Bills" 4.
std::vector<TaskCategory> BillCategories(const std::string& user, const CBAccessManager& access);
const CKColumnSet& BillColumns();

// Round(tax paid + net paid, 2).
double BillAmountPaid(const uint8_t* rec);
// Round(net + tax - net paid - tax paid, 2).
double BillOutstanding(const uint8_t* rec);
// True when something was paid and something is still outstanding: such a bill is kept.
bool IsPartPaidBill(const uint8_t* rec);
// Paid when the outstanding is below 5e-9, else Overdue when due before the program date, else
// Current (due today or later).
uint32_t BillCategoryOf(double outstanding, uint16_t dueDate, uint16_t programDate);

// Whether two versions of a record stand for the same bill. Bills carry no number of their own
// and a delete renumbers the later ones, so a record read again at the same number may be
// another bill: the same bill keeps its first due date (set once) and at least one of its
// Pay To, Details and Ref.
bool IsSameBill(const uint8_t* a, const uint8_t* b);

// Whether list row `row` still shows `rec` (its Details and both dates): a row whose bill another
// user changed or moved to another number no longer does.
bool RowShowsBill(std::span<const uint8_t> row, const uint8_t* rec);

// The list row of bill `recNo` with its category bit.
std::vector<uint8_t> BuildBillRow(const uint8_t* rec, uint32_t recNo, uint32_t category);
// The category of a stored bill on the program date.
uint32_t BillCategoryOfRecord(const uint8_t* rec, uint16_t programDate);

// The bills of input.category, in record order; stops when the sink says so. Throws FileError
// on a fault of the data layer.
void ScanBills(const ScanInput& input, ScanSink& sink);

// The registry entry of the Bills page.
const TaskScan& BillsTaskScan();

}  // namespace kelo
