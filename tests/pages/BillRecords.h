#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelo {
class DataContext;
}

namespace kelo::test {

// A bill as the tests describe it; written with its first due date set, as a save leaves it.
struct BillSpec {
    std::string details;
    double net = 0;
    double tax = 0;
    double netPaid = 0;
    double taxPaid = 0;
    uint16_t dueDate = 0;
    uint16_t billDate = 0;  // 0: the due date
    std::string payTo = "7500";
    uint16_t datePaid = 0;
    std::string reference = "REF";
    int16_t taxCode = 0;
};

// Writes a bill as record `recNo` (0: appended, RecCount + 1) and returns its record number.
uint32_t AddBill(DataContext& context, const BillSpec& bill, uint32_t recNo = 0);
std::vector<uint8_t> ReadStoredBill(DataContext& context, uint32_t recNo);
// The Details of every bill in record order.
std::vector<std::string> BillDetails(DataContext& context);

}  // namespace kelo::test
