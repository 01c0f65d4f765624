#include <sstream>
#include <vector>


#include <gtest/gtest.h>

#include "../../host/file/TempCompany.h"
#include "host/file/RecordFile.h"
#include "host/data/UserRecord.h"
#include "tests/pages/scans/LedgerBuilder.h"
#include "tools/kelo-tasks/TaskCli.h"

namespace kelo {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// A company with two users and three customers: one over its limit, one on hold.
class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        addUser(1, "OVERSEE", {});
        addUser(2, "CLERK", {0, 4});
        m_ledger.AddAccount(kLedgerSales, {.code = "ZED", .name = "Zed, \"the\" Trader",
                                           .balance = 1500.0, .creditLimit = 1000.0});
        m_ledger.AddAccount(kLedgerSales, {.code = "ABLE", .name = "Able Ltd", .balance = 10.0,
                                           .onHold = 1});
        m_ledger.AddAccount(kLedgerSales,
                            {.code = "MID", .name = "Mid Ltd", .balance = 999.0, .creditLimit = 1000.0});
    }

    void addUser(uint32_t recno, const char* name, std::initializer_list<int> barred)
    {
        std::vector<uint8_t> rec(kUserLength, 0);
        SetText(rec.data(), kUserName, name);
        for (int m = 0; m < kUserModuleCount; ++m) SetUserModuleAccess(rec.data(), m, kAccessFull);
        for (int m : barred) SetUserModuleAccess(rec.data(), m, kAccessNone);
        WriteRec(co.Context().File(kFileUsers), recno, rec.data());
    }

    Result run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--company", co.Folder(), "--date", "01/12/2026"});
        std::ostringstream out, err;
        const int status = RunTaskCli(args, out, err);
        return {status, out.str(), err.str()};
    }

    test::TempCompany co;
    test::LedgerBuilder m_ledger{co.Context()};
};

TEST_F(Cli, ListsACategoryByNameOrBitInIndexOrder)
{
    const Result byName = run({"--format", "csv", "account status", "sales over credit limit"});
    ASSERT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, "a_c,name,balance\r\nZED,\"Zed, \"\"the\"\" Trader\",1500.00\r\n");
    const Result byBit = run({"32603", "1", "--format=csv"});
    EXPECT_EQ(byBit.out, byName.out);

    const Result held = run({"--format", "csv", "Account Status", "Sales On Hold"});
    EXPECT_EQ(held.out, "a_c,name,balance\r\nABLE,Able Ltd,10.00\r\n");
    const Result none = run({"--format", "csv", "Account Status", "Purchase On Hold"});
    EXPECT_EQ(none.status, 0) << "no rows is still success";
    EXPECT_EQ(none.out, "a_c,name,balance\r\n");
}

TEST_F(Cli, BadInputGivesOneLineAndAFailingStatus)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"Nonsense"}, 1, "unknown task 'Nonsense'"},
        {{"Account Status", "Sales Nothing"}, 1, "has no category 'Sales Nothing'"},
        {{"--user", "NOBODY", "Account Status"}, 1, "no user 'NOBODY'"},
        {{"--user", "CLERK", "Account Status", "Sales On Hold"}, 1,
         "'Sales On Hold' is not available to CLERK"},
        {{"--date", "31/02/2027", "Account Status"}, 1, "'31/02/2027' is not a date"},
        {{}, 2, "no TASK given"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.says;
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunTaskCli({"--company", "/nonexistent/kelo", "tasks"}, out, err), 1);
    EXPECT_NE(err.str().find("is not a company"), std::string::npos) << err.str();
}

TEST_F(Cli, BarredCategoriesAreLeftOutAndNamed)
{
    const Result r = run({"--user", "CLERK", "Account Status"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("'Sales Over Credit Limit' is not available to CLERK"), std::string::npos);
    const Result tasks = run({"--user", "CLERK", "tasks"});
    EXPECT_NE(tasks.out.find("Sales On Hold = 2  (not available to CLERK)"), std::string::npos)
        << tasks.out;
}

}  // namespace
}  // namespace kelo
