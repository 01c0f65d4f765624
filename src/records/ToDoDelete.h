#pragma once

#include <cstdint>

#include "src/records/CRecordWrite.h"

namespace kelo {

class DataContext;
class TaskServices;

// The delete of a To Do record (To Do entries and phone call reminders alike) under the write
// rule: the record's own bytes are what must not have changed since the question.
CRecordWrite ToDoDeleteRule(TaskServices& services);

// Inside the delete bracket: removes the record's key (built from its Delegate To and date due)
// and overwrites its bytes with 0xFF. The notes block stays in the notes file.
void DeleteToDoRecord(DataContext& files, uint32_t recNo);

}  // namespace kelo
