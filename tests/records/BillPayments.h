#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/file/DataContext.h"

namespace kelo::test {

// A bill as the payment tests need it, written as record `recNo` of the bill file.
struct TestBill {
    std::string payTo = "7100";
    std::string details = "Warehouse rent";
    std::string reference = "INV77";
    int taxCode = 1;
    uint16_t billDate = 46000;
    uint16_t dueDate = 46030;
    double net = 100.00;
    double tax = 20.00;
    double netPaid = 0;
    double taxPaid = 0;
    uint16_t datePaid = 0;
};

std::vector<uint8_t> WriteBill(DataContext& ctx, uint32_t recNo, const TestBill& bill);
std::vector<uint8_t> ReadBill(DataContext& ctx, uint32_t recNo);

}  // namespace kelo::test
