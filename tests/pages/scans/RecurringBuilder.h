#pragma once

#include <cstdint>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::test {

// Writes recurring entries and what they refer to (suppliers, departments, tax rates) through the
// record API; bank and nominal accounts are PostingLedger's.
class RecurringBuilder {
public:
    struct Entry {
        int8_t kind = 0;
        std::string second = "7100";
        std::string bank = "1200";
        std::string reference = "REF";
        std::string details = "Details";
        int8_t suspended = 0;
        double net = 0;
        double tax = 0;
        uint16_t lastPosted = 0;
        int16_t department = 0;
        int16_t taxCode = 1;
        int16_t interval = 1;
        int8_t unit = 2;
        uint16_t start = 0;
        int16_t total = 0;
        int16_t made = 0;
    };

    explicit RecurringBuilder(DataContext& context) : m_ctx(context) {}

    // The next record of the recurring entry file; returns its number.
    uint32_t Add(const Entry& entry);
    void AddSupplier(const std::string& code, const std::string& name, uint16_t bacs);
    // Department record `number`.
    void SetDepartment(int number, const std::string& reference, const std::string& name);
    void SetTaxRate(int code, double rate);
    // Raw bytes over a field, for damaged data.
    void Poke(uint32_t recNo, uint32_t offset, uint8_t value);

private:
    DataContext& m_ctx;
};

}  // namespace kelo::test
