#pragma once

#include <span>

namespace kelo {

// Task commands.
inline constexpr int kCommandToDoList = 32600;
inline constexpr int kCommandContacts = 32601;
inline constexpr int kCommandBills = 32602;
inline constexpr int kCommandAccountStatus = 32603;
inline constexpr int kCommandAccountsDue = 32604;
inline constexpr int kCommandRecurring = 32605;
inline constexpr int kCommandInvoices = 32606;
inline constexpr int kCommandSalesOrders = 32808;
inline constexpr int kCommandPurchaseOrders = 32809;
inline constexpr int kCommandStock = 32810;
// The main window's own commands.
inline constexpr int kCommandExit = 32781;
inline constexpr int kCommandHelpContents = 32791;
inline constexpr int kCommandAbout = 32792;
inline constexpr int kCommandCompanyDetails = 32802;
// The task toolbar asks the main window for a task with this message.
inline constexpr int kMessageSelectTask = 1124;

// One task of the Task Manager: how the menu, the task toolbar and the caption bar name it.
struct TaskInfo {
    int command;
    const char* menuText;     // the Tasks menu item
    const char* buttonLabel;  // the task toolbar button
    int bitmap;               // the button's picture
    int captionString;        // string id of the caption bar text
    int dialogId;             // the page's dialog resource, also its help topic
};

// The ten tasks in the order of the Tasks menu and the task toolbar.
std::span<const TaskInfo> AllTasks();
// nullptr for a command that is not a task.
const TaskInfo* FindTask(int command);
// Position in AllTasks(), -1 for a command that is not a task.
int TaskIndex(int command);

}  // namespace kelo
