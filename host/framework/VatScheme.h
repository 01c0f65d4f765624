#pragma once

namespace kelo {

class DataContext;

// True when the company accounts for tax on its invoices (the standard scheme), false under cash
// accounting. Reads the setup record in the open bracket's transaction or a short one of its
// own; a company without a setup record counts as standard. Throws FileError on damaged data.
bool IsStandardVat(DataContext& context);

}  // namespace kelo
