#include "src/pages/scans/BillRewrite.h"

#include <exception>
#include <vector>

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"

namespace kelo {

std::string BillRewritePath(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return path + ".TMP";
    return path.substr(0, dot + 1) + "TMP";
}

bool RewriteBillFileWithout(DataContext& context, uint32_t recNo)
{
    DataFile bills = context.File(kFileBills);
    const std::string path = GetPathName(bills);
    const std::string newPath = BillRewritePath(path);

    datafilemap copy = *bills;
    DataFile rewritten = &copy;
    InitialiseFile(rewritten);
    SetPathName(rewritten, newPath);
    SetLength(rewritten, kBillLength);
    try {
        if (FileCreate(rewritten, 16, 1) == 0) return false;
    } catch (const std::exception&) {
        return false;
    }

    std::vector<uint8_t> rec(kBillLength, 0);
    const uint32_t count = RecCount(bills);
    uint32_t next = 0;
    for (uint32_t n = 1; n <= count; ++n) {
        if (n == recNo || ReadRec(bills, n, rec.data()) == 0) continue;
        WriteRec(rewritten, ++next, rec.data());
    }
    FileClose(rewritten);
    FileDelete(bills);
    RenameFile(rewritten, newPath, path);
    // The descriptor's cached table went with the old file; it finds the renamed one afresh.
    SetPathName(bills, path);
    return true;
}

}  // namespace kelo
