#pragma once

#include <cstdint>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::test {

// Writes recurring entries and what they refer to (bank and nominal accounts, suppliers,
// departments, tax rates, the tax scheme) through the record API.
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
    // A bank account of `kind` (1 bank, 2 cash, 4 credit card) and its nominal account of the
    // same code and name (PostingLedger's).
    void AddBank(const std::string& code, const std::string& name, uint8_t kind);
    void AddNominal(const std::string& code, const std::string& name);
    void AddSupplier(const std::string& code, const std::string& name, uint16_t bacs);
    void AddCustomer(const std::string& code, const std::string& name);
    // Department record `number`.
    void SetDepartment(int number, const std::string& reference, const std::string& name);
    void SetTaxRate(int code, double rate);
    void SetCashAccounting(bool cash);
    // Raw bytes over a field, for damaged data.
    void Poke(uint32_t recNo, uint32_t offset, uint8_t value);

private:
    DataContext& m_ctx;
};

}  // namespace kelo::test
