#include "src/pages/scans/TaskScan.h"

#include "src/pages/scans/AccountStatusScan.h"
#include "src/pages/scans/AccountsDueScan.h"
#include "src/pages/scans/BillScan.h"
#include "src/pages/scans/ContactsScan.h"
#include "src/pages/scans/InvoicesScan.h"
#include "src/pages/scans/PurchaseOrdersScan.h"
#include "src/pages/scans/RecurringScan.h"
#include "src/pages/scans/SalesOrdersScan.h"
#include "src/pages/scans/StockScan.h"
#include "src/pages/scans/ToDoScan.h"

namespace kelo {

std::span<const TaskScan> AllTaskScans()
{
    // Every task page present, in the Tasks menu's order (To do List, Contacts, Bills,
    // Accounts Due, Account Status, ...). Built on first use, so tools may ask for it from their
    // own static set-up.
    static const TaskScan scans[] = {
        ToDoTaskScan(),
        ContactsTaskScan(),
        BillsTaskScan(),
        AccountsDueTaskScan(),
        AccountStatusTaskScan(),
        RecurringTaskScan(),
        StockTaskScan(),
        InvoicesTaskScan(),
        SalesOrdersTaskScan(),
        PurchaseOrdersTaskScan(),
    };
    return scans;
}

const TaskScan* FindTaskScan(int command)
{
    for (const TaskScan& scan : AllTaskScans())
        if (scan.command == command) return &scan;
    return nullptr;
}

}  // namespace kelo
