#include "src/data/Layouts.h"

#include "src/data/AccountRecord.h"
#include "src/data/AllocationRecord.h"
#include "src/data/AuditHeaderRecord.h"
#include "src/data/BankRecord.h"
#include "src/data/BillRecord.h"
#include "src/data/DepartmentRecord.h"
#include "src/data/IndexKeys.h"
#include "src/data/InvoiceRecord.h"
#include "src/data/NominalRecord.h"
#include "src/data/PurchaseOrderRecord.h"
#include "src/data/RecurringRecord.h"
#include "src/data/SalesOrderRecord.h"
#include "src/data/SetupRecord.h"
#include "src/data/SplitRecord.h"
#include "src/data/StockRecord.h"
#include "src/data/TaxControlRecord.h"
#include "src/data/ToDoRecord.h"
#include "src/data/UserRecord.h"

namespace kelo {

namespace {

const Layout* const kLayouts[] = {
    &kSetupLayout,         &kAccountLayout,
    &kNominalLayout,       &kBankLayout,
    &kAuditHeaderLayout,   &kSplitLayout,
    &kAllocationLayout,    &kTaxControlLayout,
    &kRecurringLayout,     &kSalesOrderLayout,
    &kPurchaseOrderLayout, &kInvoiceLayout,
    &kStockLayout,         &kUserLayout,
    &kDepartmentLayout,    &kToDoLayout,
    &kBillLayout,          &kAccountIndexEntryLayout,
    &kDocumentKeyLayout,   &kStockKeyLayout,
    &kToDoKeyLayout,       &kTransactionIndexEntryLayout,
};

}  // namespace

std::span<const Layout* const> AllLayouts() { return kLayouts; }

const Layout* FindLayout(std::string_view name)
{
    for (const Layout* layout : kLayouts)
        if (name == layout->name) return layout;
    return nullptr;
}

}  // namespace kelo
