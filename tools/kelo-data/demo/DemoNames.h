#pragma once

// Names, telephone numbers and texts that make the demo company look like a real one.

#include <map>
#include <string>

#include "tools/kelo-data/demo/DemoRandom.h"

namespace kelo::demo {

enum class Trade { Customer, Supplier };

// "Bramley Print & Design Ltd".
std::string BusinessName(DemoRandom& random, Trade trade);
// "Mrs Helen Carter".
std::string PersonName(DemoRandom& random);
// A number of the ranges kept for fiction ("0117 496 0123").
std::string Telephone(DemoRandom& random);
// Details of a sales or purchase invoice line.
std::string InvoiceDetails(DemoRandom& random, Trade trade);

// Account codes made from names: three letters of the name and a running number ("BRA001").
class AccountCodes final {
public:
    std::string Next(const std::string& name);

private:
    std::map<std::string, int> m_used;
};

}  // namespace kelo::demo
