#include "host/data/Layouts.h"

#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/DepartmentRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/NominalRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/RecurringRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/StockRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/data/ToDoRecord.h"
#include "host/data/UserRecord.h"

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
