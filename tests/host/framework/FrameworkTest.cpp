#include <vector>

#include <gtest/gtest.h>

#include "../file/TempCompany.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/data/UserRecord.h"

namespace kelo {
namespace {

using test::TempCompany;

void addUser(DataContext& ctx, uint32_t recno, const char* name,
             std::initializer_list<std::pair<int, uint8_t>> levels, std::pair<int, int> barredOption = {-1, -1})
{
    std::vector<uint8_t> rec(kUserLength, 0);
    SetText(rec.data(), kUserName, name);
    for (int m = 0; m < kUserModuleCount; ++m) SetUserModuleAccess(rec.data(), m, kAccessFull);
    for (auto [module, level] : levels) SetUserModuleAccess(rec.data(), module, level);
    if (barredOption.first >= 0)
        SetUserOptionBarred(rec.data(), barredOption.first, barredOption.second, true);
    WriteRec(ctx.File(kFileUsers), recno, rec.data());
}

// Release commits as the posting's tests show; an update that fails half way goes without it.
TEST(DataResources, DestructionWithoutReleaseAborts)
{
    TempCompany co;
    std::vector<uint8_t> bill(co.Context().File(kFileBills)->recordLength, 1);
    {
        CDDataResourceManager rm(co.Context());
        rm.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceSave));
        rm.ObtainResources();
        WriteRec(rm.Context().File(kFileBills), 1, bill.data());
    }
    EXPECT_EQ(CBBill::GetCount(co.Context()), 0u);
}

TEST(DataResources, ModeDecidesTheKindOfTransaction)
{
    TempCompany co;
    EXPECT_TRUE(CBToDo::GetStaticResourcesFor(kResourceDelete).Writes());
    CDDataResourceManager reader(co.Context());
    reader.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceRead));
    reader.ObtainResources();
    EXPECT_TRUE(co.Context().Environment().CurrentTxn(false)->ReadOnly());
    // A second write bracket on the same thread would deadlock the store: refused.
    CDDataResourceManager w1(co.Context()), w2(co.Context());
    w1.GetResources().AddDataFile(kFileBills, kResourceSave);
    w2.GetResources().AddDataFile(kFileBills, kResourceSave);
    w1.ObtainResources();
    EXPECT_THROW(w2.ObtainResources(), FileError);
    w1.ReleaseResources();
    reader.ReleaseResources();
}

TEST(AccessManager, AnswersFromTheUsersFile)
{
    TempCompany co;
    addUser(co.Context(), 1, "OVERSEE", {});
    addUser(co.Context(), 2, "CLERK", {{4, kAccessNone}, {6, kAccessNone}, {0, kAccessRead}},
            {19, 1});

    CBBusContext clerk(co.Context(), "CLERK");
    const CBAccessManager& a = clerk.GetAccessManager();
    EXPECT_TRUE(a.Known());
    EXPECT_TRUE(a.Check(4, 0)) << "barred from purchases";
    EXPECT_TRUE(a.Check(6, 0)) << "barred from stock";
    EXPECT_FALSE(a.Check(0, 0)) << "read access is above level 0";
    EXPECT_TRUE(a.Check(0, 1)) << "but not above level 1";
    EXPECT_FALSE(a.Check(19, 0));
    EXPECT_TRUE(a.Check(19, 1, 0)) << "option 1 of module 19 barred";
    EXPECT_FALSE(a.Check(19, 2, 0));
    EXPECT_TRUE(a.Check(40, 0)) << "a module outside the table has no access";

    CBBusContext stranger(co.Context(), "NOBODY");
    EXPECT_FALSE(stranger.GetAccessManager().Known());
    EXPECT_TRUE(stranger.GetAccessManager().Check(0, 0));
}

}  // namespace
}  // namespace kelo
