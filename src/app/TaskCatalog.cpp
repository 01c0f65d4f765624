#include "src/app/TaskCatalog.h"

#include <iterator>

namespace kelo {

namespace {

constexpr TaskInfo kTasks[] = {
    {kCommandToDoList, "&To do List", "To Do", 12, 61209, 103},
    {kCommandContacts, "&Contacts", "Contacts", 421, 61240, 133},
    {kCommandBills, "&Bills", "Bills", 13, 61206, 104},
    {kCommandAccountsDue, "Accounts &Due", "Accounts Due", 16, 61205, 106},
    {kCommandAccountStatus, "&Account Status", "Account Status", 17, 61208, 109},
    {kCommandRecurring, "&Recurring Items", "Recurring", 15, 61210, 108},
    {kCommandStock, "Stoc&k", "Stock", 424, 61243, 136},
    {kCommandInvoices, "&Invoices", "Invoices", 14, 61207, 107},
    {kCommandSalesOrders, "Sales &Orders", "SOP", 422, 61242, 134},
    {kCommandPurchaseOrders, "&Purchase Orders", "POP", 423, 61241, 135},
};

}  // namespace

std::span<const TaskInfo> AllTasks() { return kTasks; }

int TaskIndex(int command)
{
    for (size_t i = 0; i < std::size(kTasks); ++i)
        if (kTasks[i].command == command) return static_cast<int>(i);
    return -1;
}

const TaskInfo* FindTask(int command)
{
    const int i = TaskIndex(command);
    return i < 0 ? nullptr : &kTasks[i];
}

}  // namespace kelo
