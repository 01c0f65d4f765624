#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "src/pages/scans/ScanSink.h"

namespace kelo {

class CKColumnSet;

// One category of a page's tree: its text and bit value.
struct TaskCategory {
    const char* text;
    uint32_t bit;
};

// A task page as seen without its window: the categories the user may see, the list's columns
// and the scan. The page widget, kelo-tasks, the tests and the benchmarks all go through this,
// so a page's rules exist once.
struct TaskScan {
    int command;        // the task's command id (32600 ...)
    const char* name;   // the task's menu text without the ampersand ("Accounts Due")
    // The categories in tree order that `user` may see (the supervisor and access rules).
    std::vector<TaskCategory> (*categories)(const std::string& user, const CBAccessManager& access);
    const CKColumnSet& (*columns)();
    void (*scan)(const ScanInput& input, ScanSink& sink);
    // What kelo-tasks prints instead, where a page's viewer adds what the list leaves out (null
    // for most tasks): the page's columns followed by more, and the scan that fills them. The
    // leading fields of each row are the page's row.
    const CKColumnSet& (*toolColumns)() = nullptr;
    void (*toolScan)(const ScanInput& input, ScanSink& sink) = nullptr;
};

// Every task page present, in the Tasks menu's order.
std::span<const TaskScan> AllTaskScans();
// nullptr when no task has that command id.
const TaskScan* FindTaskScan(int command);

}  // namespace kelo
