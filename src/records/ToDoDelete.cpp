#include "src/records/ToDoDelete.h"

#include <algorithm>
#include <vector>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"

namespace kelo {

CRecordWrite ToDoDeleteRule(TaskServices& services)
{
    return CRecordWrite(services, CBToDo::GetStaticResourcesFor(kResourceDelete), kFileToDo);
}

void DeleteToDoRecord(DataContext& files, uint32_t recNo)
{
    DataFile data = files.File(kFileToDo);
    std::vector<uint8_t> rec(kToDoLength);
    if (ReadRec(data, recNo, rec.data()) == 0 || IsDeletedToDo(rec.data())) return;
    DeleteKeyOf(files.File(kFileToDoIndex), BuildToDoKeyOfRecord(rec.data(), recNo).data(), recNo);
    std::fill(rec.begin(), rec.end(), uint8_t{0xFF});
    WriteRec(data, recNo, rec.data());
}

}  // namespace kelo
