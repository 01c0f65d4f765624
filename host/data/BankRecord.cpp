#include "host/data/BankRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {kBankCode, kBankName, kBankCurrency, kBankKind};

}  // namespace

const Layout kBankLayout{"bank", kBankLength, kFields};

}  // namespace kelo
