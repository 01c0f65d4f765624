#include "tests/pages/ToDoRecords.h"

#include <vector>

#include "host/file/RecordFile.h"
#include "host/data/ToDoRecord.h"

namespace kelo::test {

uint32_t AddToDo(DataContext& context, const std::string& description, const std::string& type,
                 const std::string& delegateTo, uint16_t dateDue, bool completed)
{
    std::vector<uint8_t> rec(kToDoLength, 0);
    SetText(rec.data(), kToDoDescription, description);
    SetText(rec.data(), kToDoType, type);
    SetText(rec.data(), kToDoDelegateTo, delegateTo);
    SetU16(rec.data(), kToDoDateDue, dateDue);
    SetU16(rec.data(), kToDoCompleted, completed ? 1 : 0);
    SetU32(rec.data(), kToDoReserved, 77);
    SetI32(rec.data(), kToDoNotesBlock, -1);
    DataFile data = context.File(kFileToDo);
    DataFile index = context.File(kFileToDoIndex);
    const uint32_t recNo = FindNewRecNo(index);
    const ToDoKey key = BuildToDoKey(delegateTo, dateDue, recNo);
    AddKey(index, key.data(), recNo, 0, 0);
    WriteRec(data, recNo, rec.data());
    return recNo;
}

bool HasToDoKey(DataContext& context, const std::string& delegateTo, uint16_t dateDue,
                uint32_t recNo)
{
    const ToDoKey key = BuildToDoKey(delegateTo, dateDue, recNo);
    return FindKey(context.File(kFileToDoIndex), key.data(), 0) == recNo;
}

}  // namespace kelo::test
