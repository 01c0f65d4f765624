#pragma once

namespace kelo {

class DataContext;
class GlobalBlock;

// Copies what the host keeps about the open company into its global block: the ledgers' aging
// settings and the housekeeping dates from the setup record, and the last invoice, credit note,
// sales order and purchase order numbers from the document files. kelo-host fills the block it
// hands the module with this, and kelo-tasks fills its own the same way, so both see one
// company's settings. Reads in its own short transactions; throws FileError on a damaged file.
void FillCompanyGlobals(GlobalBlock& block, DataContext& context);

}  // namespace kelo
