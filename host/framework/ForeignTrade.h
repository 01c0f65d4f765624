#pragma once

// The host's currency routines that bank postings consult.

#include <cstdint>

namespace kelo {

class GlobalBlock;

// True when the open company trades in foreign currencies (the global block's word, filled by
// the host from the setup record). False for no block.
bool ForeignTraderEnabled(const GlobalBlock& block);

// True when `currency` (a bank record's currency byte) is the company's base currency.
bool IsBaseCurrency(uint8_t currency);

}  // namespace kelo
