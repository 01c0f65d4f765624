#pragma once

#include <cstdint>
#include <string>

namespace kelo {
class DataContext;
}

namespace kelo::test {

// Nominal and bank accounts with their code index entries, written straight through the record
// API. Each returns the new record number.
uint32_t AddNominal(DataContext& context, const std::string& code, const std::string& name,
                    uint8_t kind = 0);
// A bank account; its name is the nominal account's business, so only the code is stored here.
uint32_t AddBank(DataContext& context, const std::string& code);

}  // namespace kelo::test
