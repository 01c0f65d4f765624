#include "host/framework/ForeignTrade.h"

#include "host/data/BankRecord.h"
#include "host/data/GlobalBlock.h"

namespace kelo {

bool ForeignTraderEnabled(const GlobalBlock& block) { return block.U32(kGlobalForeignTrader) == 1; }

bool IsBaseCurrency(uint8_t currency) { return currency == kBankCurrencyBase; }

}  // namespace kelo
