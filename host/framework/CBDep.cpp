#include "host/framework/CBDep.h"

#include <vector>

#include "host/file/RecordFile.h"
#include "host/data/DepartmentRecord.h"

namespace kelo {

CBDep::CBDep(const DataContext& context, int number)
{
    if (number <= 0) return;
    DataContext own(context);
    DataFile deps = own.File(kFileDepartments);
    std::vector<uint8_t> rec(deps->recordLength);
    if (!ReadRec(deps, uint32_t(number), rec.data()) || rec[0] == 0xFF) return;
    m_userRefn = GetText(rec.data(), kDepartmentUserReference);
    m_name = GetText(rec.data(), kDepartmentName);
}

}  // namespace kelo
