#pragma once

// The host's currency routines that bank postings consult.

#include <cstdint>

namespace kelo {

// True when the open company trades in foreign currencies (the global block's word, filled by
// the host from the setup record). False before the host has filled the block.
bool ForeignTraderEnabled();

// True when `currency` (a bank record's currency byte) is the company's base currency.
bool IsBaseCurrency(uint8_t currency);

}  // namespace kelo
