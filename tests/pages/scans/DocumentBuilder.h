#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::test {

// Writes invoices and sales and purchase orders through the record API, each with its index
// entry. Record numbers are given out 1 up per file; every call returns its number.
class DocumentBuilder {
public:
    struct Document {
        uint32_t number = 1;
        std::string name = "Customer";
        int8_t type = 0;         // invoices only
        uint8_t printed = 0;     // invoices only
        uint8_t posted = 0;      // invoices only
        int8_t status = 0;       // orders only
        double amounts[4] = {};
        uint16_t date = 0;
        bool deleted = false;    // the name's first byte 0xFF, the key left in the index
    };
    explicit DocumentBuilder(DataContext& context) : m_context(context) {}

    uint32_t AddInvoice(const Document& d);
    uint32_t AddSalesOrder(const Document& d);
    uint32_t AddPurchaseOrder(const Document& d);

private:
    uint32_t Next(int file) { return ++m_last[file]; }

    DataContext& m_context;
    std::map<int, uint32_t> m_last;
};

}  // namespace kelo::test
