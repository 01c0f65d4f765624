#include "host/data/BankRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kBankCode, kBankName, kBankCurrency, kBankKind, kBankBalance};

}  // namespace

const Layout kBankLayout{"bank", kBankLength, kFields};

}  // namespace kelo
