#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/file/DataContext.h"

namespace kelo::demo {

struct DemoOptions {
    uint16_t date = 0;  // the program date the data is made for; 0 = the host's program date
    uint64_t seed = 1;
    int scale = 1;      // multiplies the volumes (accounts, transactions, documents, stock ...)
    std::function<void(const std::string&)> progress;  // one line per family, may be empty
};

// Fills the empty company `ctx` with the demo company: a trading company with its users, ledgers,
// audit trail, documents, stock, recurring entries, To Do entries, reminders and bills, dated
// around options.date. The same options give the same bytes. Writes in large transactions;
// throws FileError when the store fails (what was committed before stays).
void MakeDemoCompany(DataContext& ctx, const DemoOptions& options);

}  // namespace kelo::demo
