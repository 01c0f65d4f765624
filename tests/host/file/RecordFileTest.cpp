#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempCompany.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/data/IndexKeys.h"

namespace kelo {
namespace {

using test::TempCompany;

std::vector<uint8_t> record(DataFile f, uint8_t fill)
{
    return std::vector<uint8_t>(f->recordLength, fill);
}

// An account index key as the ledgers store it.
std::string key(DataFile index, const std::string& text)
{
    const AccountKey k = BuildAccountKey(text);
    EXPECT_EQ(k.size(), index->recordLength);
    return std::string(k.begin(), k.end());
}

// The message of the FileError that `read` throws; empty when it throws none.
std::string errorOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

// Another desk: a child process that opens the company itself and runs `work` there.
pid_t otherDesk(const std::string& folder, const std::function<void(DataContext&)>& work)
{
    const pid_t child = fork();
    if (child == 0) {
        DataContext own = DataContext::Open(folder);
        work(own);
        _exit(0);
    }
    return child;
}

// A server releases a dead desk's lock when it sees the connection close, a moment later.
bool lockSoon(DataFile f, uint32_t recno)
{
    for (int i = 0; i < 200; ++i) {
        if (LockRec(f, recno)) return true;
        usleep(10'000);
    }
    return false;
}

TEST(RecordFile, WriteThenReadRoundTripsAndCountIsHighestNumber)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    EXPECT_EQ(RecCount(bills), 0u);
    auto a = record(bills, 0x11), b = record(bills, 0x22);
    WriteRec(bills, 1, a.data());
    WriteRec(bills, 3, b.data());
    EXPECT_EQ(RecCount(bills), 3u);

    auto got = record(bills, 0);
    EXPECT_EQ(ReadRec(bills, 3, got.data()), 1);
    EXPECT_EQ(got, b);
    for (uint32_t absent : {0u, 2u, 4u}) EXPECT_EQ(ReadRec(bills, absent, got.data()), 0) << absent;
    FileDelete(bills);
    EXPECT_THROW(ReadRec(bills, 1, got.data()), FileError) << "a missing file";
}

// A stored record that is cut, flipped or of another length is damage named by file and record.
TEST(RecordFile, DamagedRecordIsReportedWithFileAndRecord)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    const auto good = record(bills, 9);
    WriteRec(bills, 7, good.data());
    const std::string stored = test::StoredRecord(co.Context(), kFileBills, 7);
    std::string flipped = stored;
    flipped[stored.size() / 2] ^= 0x10;
    auto buf = record(bills, 0);
    for (const std::string& d : {std::string(bills->recordLength - 1, 'x'),
                                 std::string(bills->recordLength, 'x'), flipped,
                                 stored.substr(0, stored.size() - 1)}) {
        test::PlantRawRecord(co.Context(), kFileBills, 7, d);
        const std::string error = errorOf([&] { ReadRec(bills, 7, buf.data()); });
        for (const std::string& named : {std::string("record 7 of"), std::string(bills->path),
                                         std::string(" is damaged")})
            EXPECT_NE(error.find(named), std::string::npos) << error;
    }
    test::PlantRawRecord(co.Context(), kFileBills, 7, stored);
    EXPECT_EQ(ReadRec(bills, 7, buf.data()), 1);
    EXPECT_EQ(buf, good);
}

// Reading record by record while rewriting each in the same transaction, the rewritten
// records changing their stored size, finds every record (a walk's cursor may move under writes).
TEST(RecordFile, AWalkThatRewritesAsItGoesFindsEveryRecord)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    std::vector<uint8_t> rec(bills->recordLength);
    store::Txn* txn = co.Context().Environment().PushTxn(true);
    for (uint32_t r = 1; r <= 3000; ++r) WriteRec(bills, r, record(bills, uint8_t(r)).data());
    for (uint32_t r = 1; r <= 3000; ++r) {
        ASSERT_EQ(ReadRec(bills, r, rec.data()), 1) << "record " << r;
        ASSERT_EQ(rec[0], uint8_t(r));
        for (size_t i = 0; i < rec.size(); ++i) rec[i] = uint8_t(i * r);  // compresses less
        WriteRec(bills, r, rec.data());
    }
    co.Context().Environment().ReleaseTxn(txn, true);
}

class IndexWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = co.Context().File(kFileCustomers);
        index = co.Context().File(kFileCustomerIndex);
        // Added out of order; "BROWN" twice, kept apart by record number.
        const std::vector<std::pair<std::string, uint32_t>> rows = {
            {"SMITH", 1}, {"BROWN", 5}, {"ADAMS", 2}, {"BROWN", 3}, {"JONES", 4}};
        for (auto& [code, recno] : rows) {
            WriteRec(data, recno, record(data, uint8_t(recno)).data());
            AddKey(index, key(index, code).data(), recno, 0, 1);
        }
    }

    // The first byte of each record the walk reads, from the start of the index.
    std::vector<uint8_t> walk()
    {
        std::vector<uint8_t> seen;
        std::string k(index->recordLength, '\0');
        auto rec = record(data, 0);
        for (uint32_t n = SearchRecord(data, index, k.data(), rec.data(), 0); n;
             n = NextRecord(data, index, k.data(), rec.data(), 0))
            seen.push_back(rec[0]);
        return seen;
    }

    TempCompany co;
    DataFile data = nullptr;
    DataFile index = nullptr;
};

// Equal keys go by record number; a deleted record is read all the same, for the caller to skip;
// DeleteKeyOf takes only its own record's entry among equal keys.
TEST_F(IndexWalk, WalksInKeyOrderThenRecordNumber)
{
    EXPECT_EQ(walk(), (std::vector<uint8_t>{2, 3, 5, 4, 1}));
    WriteRec(data, 5, record(data, 0xFF).data());
    EXPECT_EQ(walk(), (std::vector<uint8_t>{2, 3, 0xFF, 4, 1}));
    DeleteKeyOf(index, key(index, "BROWN").data(), 5);
    EXPECT_EQ(walk(), (std::vector<uint8_t>{2, 3, 4, 1}));
    DeleteKey(index, key(index, "BROWN").data(), 0, 1);
    EXPECT_EQ(walk(), (std::vector<uint8_t>{2, 4, 1}));
}

TEST_F(IndexWalk, SearchFindsFirstKeyNotBelowAndWritesItBackFindKeyIsExact)
{
    std::string k = key(index, "C");
    auto rec = record(data, 0);
    EXPECT_EQ(SearchRecord(data, index, k.data(), rec.data(), 0), 4u);
    EXPECT_EQ(k, key(index, "JONES"));
    std::string past = key(index, "ZZ");
    EXPECT_EQ(SearchRecord(data, index, past.data(), rec.data(), 0), 0u);
    EXPECT_EQ(FindKey(index, key(index, "JONES").data(), 0), 4u);
    EXPECT_EQ(FindKey(index, key(index, "JONE").data(), 0), 0u);
    EXPECT_EQ(FindNewRecNo(index), 6u) << "a new record number follows the highest";
    AddKey(index, key(index, "GHOST").data(), 99, 0, 1);
    std::string ghost = key(index, "GHOST");
    EXPECT_THROW(SearchRecord(data, index, ghost.data(), rec.data(), 0), FileError)
        << "an index entry pointing nowhere";
}

TEST(RecordFile, AFailedTransactionLeavesNothing)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    FileEnvironment& env = co.Context().Environment();
    auto rec = record(bills, 3);
    store::Txn* txn = env.PushTxn(true);
    WriteRec(bills, 1, rec.data());
    WriteRec(bills, 2, rec.data());
    EXPECT_EQ(RecCount(bills), 2u) << "visible inside the transaction";
    env.ReleaseTxn(txn, false);
    EXPECT_EQ(RecCount(bills), 0u);

    // A short transaction that throws half way commits nothing either.
    EXPECT_THROW(env.With(true,
                          [&](store::Txn&) {
                              WriteRec(bills, 1, rec.data());
                              throw FileError("half way");
                          }),
                 FileError);
    EXPECT_EQ(RecCount(bills), 0u);
}

TEST(RecordFile, ADeskKilledMidSaveLeavesTheCompanyWholeAndItsLocksFree)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    WriteRec(bills, 1, record(bills, 1).data());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = otherDesk(co.Folder(), [&](DataContext& own) {
        DataFile theirs = own.File(kFileBills);
        LockRec(theirs, 1);
        own.Environment().PushTxn(true);
        for (uint32_t r = 1; r <= 500; ++r) WriteRec(theirs, r, record(theirs, 7).data());
        (void)!write(ready[1], "w", 1);
        pause();  // mid-save, lock held and the write transaction open, until killed
    });
    char got = 0;
    ASSERT_EQ(read(ready[0], &got, 1), 1);
    EXPECT_EQ(LockRec(bills, 1), 0) << "held by the other desk";
    EXPECT_EQ(LockRec(bills, 2), 1) << "another record is free";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(lockSoon(bills, 1)) << "the killed desk's lock went with it";
    EXPECT_EQ(RecCount(bills), 1u) << "nothing of the unfinished save";
    auto rec = record(bills, 0);
    ASSERT_EQ(ReadRec(bills, 1, rec.data()), 1);
    EXPECT_EQ(rec, record(bills, 1));
    WriteRec(bills, 2, record(bills, 2).data());  // writers are not held off by the dead one
    EXPECT_EQ(RecCount(bills), 2u);
    UnLockRec(bills, 1);
    UnLockRec(bills, 2);
}

TEST(RecordFile, ARecordLockSurvivesASecondOpenOfTheCompanyInTheSameProcess)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    ASSERT_EQ(LockRec(bills, 5), 1);
    {
        DataContext second = DataContext::Open(co.Folder());
        EXPECT_EQ(LockRec(second.File(kFileBills), 5), 0) << "the second open is another desk";
        EXPECT_EQ(LockRec(second.File(kFileBills), 7), 1);
    }  // closing it drops only its own locks
    DataContext third = DataContext::Open(co.Folder());
    EXPECT_EQ(LockRec(third.File(kFileBills), 5), 0) << "still held by the first open";
    EXPECT_EQ(LockRec(third.File(kFileBills), 7), 1) << "the closed open's lock went with it";
    UnLockRec(bills, 5);
    EXPECT_EQ(LockRec(third.File(kFileBills), 5), 1);
}

TEST(RecordFile, AFileReplacedByAnotherProcessIsFoundAfresh)
{
    TempCompany co;
    DataFile bills = co.Context().File(kFileBills);
    WriteRec(bills, 1, record(bills, 1).data());
    WriteRec(bills, 2, record(bills, 2).data());
    ASSERT_EQ(RecCount(bills), 2u);  // this process has looked the file up

    // Another process replaces the file the way a rewrite does: a new file renamed over it.
    int status = 0;
    waitpid(otherDesk(co.Folder(),
                      [](DataContext& own) {
                          datafilemap copy = *own.File(kFileBills);
                          SetPathName(&copy, "BILLS.TMP");
                          FileCreate(&copy, 16, 1);
                          WriteRec(&copy, 1, record(&copy, 9).data());
                          FileDelete(own.File(kFileBills));
                          RenameFile(&copy, "BILLS.TMP", GetPathName(own.File(kFileBills)));
                      }),
            &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(RecCount(bills), 1u);
    auto rec = record(bills, 0);
    ASSERT_EQ(ReadRec(bills, 1, rec.data()), 1);
    EXPECT_EQ(rec, record(bills, 9));
}

}  // namespace
}  // namespace kelo
