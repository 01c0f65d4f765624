// A company that is damaged, cut short, replaced under a writer or out of bounds is refused
// with a message naming what failed, never a crash or a silent write.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/file/DataContext.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

namespace fs = std::filesystem;
using test::TempCompany;

std::string openError(const std::string& folder, bool forReading = false)
{
    try {
        if (forReading)
            DataContext::OpenForReading(folder);
        else
            DataContext::Open(folder);
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

std::string writeError(DataFile f, uint32_t recno)
{
    std::vector<char> rec(f->recordLength, ' ');
    try {
        WriteRec(f, recno, rec.data());
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

// A company copied away from its fixture so it can be damaged while nothing holds it open.
std::string closedCopy(const std::string& folder)
{
    const std::string copy = folder + "-copy";
    fs::copy(folder, copy, fs::copy_options::recursive);
    return copy;
}

TEST(StoreDamage, CutShortOrEmptyDataFileIsRefusedByName)
{
    TempCompany co;
    std::vector<char> rec(co.Context().File(kFileBills)->recordLength, 'x');
    for (uint32_t r = 1; r <= 400; ++r) WriteRec(co.Context().File(kFileBills), r, rec.data());
    const std::string copy = closedCopy(co.Folder());
    const std::string data = copy + "/data.mdb";
    const auto full = fs::file_size(data);

    struct Case {
        uintmax_t size;
        const char* says;
    } cases[] = {{full / 2, "cut short"}, {8192, "cut short"}, {0, "is empty"}};
    for (const Case& c : cases) {
        fs::resize_file(data, c.size);
        EXPECT_NE(openError(copy).find(c.says), std::string::npos)
            << "size " << c.size << ": " << openError(copy);
        EXPECT_NE(openError(copy, true).find(c.says), std::string::npos) << "size " << c.size;
    }
    fs::remove_all(copy);
}

TEST(StoreDamage, RecordNumbersStopAtTheLastAFileCanHold)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    EXPECT_EQ(writeError(bills, kMaxRecordNumber), "");
    EXPECT_NE(writeError(bills, kMaxRecordNumber + 1).find("beyond the last"), std::string::npos);
    EXPECT_NE(writeError(bills, 0xFFFFFFFFu).find("beyond the last"), std::string::npos);
    EXPECT_EQ(RecCount(bills), kMaxRecordNumber);

    DataFile todo = co.Context().File(kFileToDo);
    std::vector<char> rec(todo->recordLength, ' ');
    WriteRec(todo, kMaxRecordNumber, rec.data());
    EXPECT_THROW(FindNewRecNo(co.Context().File(kFileToDoIndex)), FileError)
        << "no new number wraps round to 0";
}

TEST(StoreDamage, AReplacedLockFileStopsWrites)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    ASSERT_EQ(writeError(bills, 1), "");
    const std::string lock = co.Folder() + "/lock.mdb";
    fs::copy_file(lock, lock + ".new");
    fs::rename(lock + ".new", lock);  // another inode, as a deleted and remade lock file
    EXPECT_NE(writeError(bills, 2).find("lock file"), std::string::npos);
    EXPECT_EQ(RecCount(bills), 1u);

}

// A store cut short while open, or whose damaged pages send a read past its end or through a
// wild pointer, ends the program with one line naming it and status 1, never a bus error.
TEST(StoreDamageDeathTest, AReadPastTheEndOfTheStoreEndsWithOneLine)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    std::vector<char> rec(bills->recordLength);
    uint32_t noise = 1;
    for (uint32_t n = 1; n <= 100; ++n) {
        for (char& c : rec) c = char((noise = noise * 1103515245 + 12345) >> 16);
        WriteRec(bills, n, rec.data());
    }
    EXPECT_EXIT(
        {
            fs::resize_file(co.Folder() + "/data.mdb", 8192);
            for (uint32_t n = 1; n <= 100; ++n) ReadRec(bills, n, rec.data());
            std::exit(0);
        },
        testing::ExitedWithCode(1), "data.mdb is damaged: its structure cannot be read");
}

}  // namespace
}  // namespace kelo
