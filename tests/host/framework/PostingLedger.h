#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/file/DataContext.h"

namespace kelo::test {

// Writes the accounts a posting needs into a test company: nominal and bank accounts with their
// index entries, and the tax and control record.
class PostingLedger {
public:
    explicit PostingLedger(DataContext& ctx) : m_ctx(ctx) {}

    // Returns the nominal record number.
    uint32_t Nominal(const std::string& code, const std::string& name, double balance = 0,
                     uint8_t kind = 0);
    // A bank account and its nominal account of the same code; returns the bank record number.
    uint32_t Bank(const std::string& code, const std::string& name, uint8_t kind, double balance = 0,
                  uint8_t currency = 1);
    // The bank record alone, for tests that show the name comes from the nominal account.
    uint32_t BankOnly(const std::string& code, uint8_t kind, const std::string& name = {},
                      double balance = 0, uint8_t currency = 1);
    // Tax and control record: the two tax control accounts by nominal record number and the rates.
    void TaxControl(uint32_t salesTax, uint32_t purchaseTax, const std::vector<double>& rates);
    // The usual chart: 1200 bank, 1230 cash, 1240 card, 2200/2201 tax control, 7100 rent,
    // 7200 electricity; T0 0 %, T1 20 %, T5 5 %.
    void Standard();

    std::vector<uint8_t> NominalRecord(const std::string& code);
    std::vector<uint8_t> BankRecord(const std::string& code);
    double NominalBalance(const std::string& code);
    double BankBalance(const std::string& code);

private:
    DataContext& m_ctx;
};

}  // namespace kelo::test
