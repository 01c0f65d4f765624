// The demo company is the same for the same options, hangs together the way the pages and
// viewers follow it (chains, splits, allocations, transaction numbers), and carries the users,
// rights and settings the rest of the system expects.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/SetupRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/TaxControlRecord.h"
#include "tests/host/file/TempCompany.h"
#include "tools/kelo-data/demo/DemoCompany.h"

namespace kelo {
namespace {

using Rec = std::vector<uint8_t>;

// Every stored byte of a company, file by file, in a form two companies can be compared by.
std::vector<std::string> contents(DataContext& ctx)
{
    std::vector<std::string> out;
    for (const FileInfo& info : AllFiles()) {
        DataFile f = ctx.File(info.number);
        std::string all = std::to_string(RecCount(f)) + ":";
        if (info.kind == FileKind::Notes) {
            for (uint32_t n = 1; n <= RecCount(f); ++n) all += ReadMemoText(f, int32_t(n)) + "|";
        } else {
            Rec rec(info.recordLength + 4);
            for (uint32_t n = 1; n <= RecCount(f); ++n)
                if (ReadRec(f, n, rec.data())) all.append(rec.begin(), rec.end());
        }
        out.push_back(std::move(all));
    }
    return out;
}

std::vector<std::string> makeContents(uint64_t seed, uint16_t date)
{
    test::TempCompany company;
    demo::DemoOptions options;
    options.seed = seed;
    options.date = date;
    demo::MakeDemoCompany(company.Context(), options);
    return contents(company.Context());
}

TEST(DemoCompany, SameSeedAndDateGiveTheSameBytesAnotherGivesOtherData)
{
    const uint16_t date = DateStringToNumber("15/06/2027");
    const auto a = makeContents(7, date);
    const auto b = makeContents(7, date);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << AllFiles()[i].path;
    const auto headers = size_t(std::find_if(AllFiles().begin(), AllFiles().end(),
                                             [](const FileInfo& f) {
                                                 return f.number == kFileAuditHeaders;
                                             }) -
                                AllFiles().begin());
    EXPECT_NE(a[headers], makeContents(8, date)[headers]);
    EXPECT_NE(a[headers], makeContents(7, uint16_t(date + 1))[headers]);
}

class DemoContents : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_company = new test::TempCompany;
        demo::DemoOptions options;
        options.date = DateStringToNumber("15/06/2027");
        demo::MakeDemoCompany(s_company->Context(), options);
    }
    static void TearDownTestSuite()
    {
        delete s_company;
        s_company = nullptr;
    }
    DataContext& Ctx() { return s_company->Context(); }
    static test::TempCompany* s_company;
};
test::TempCompany* DemoContents::s_company = nullptr;

// Following an account's chain gives its headers in date order, and their totals make its balance;
// each header's splits point back at it, carry its transaction number, and the number's index
// entry leads to the first split; an invoice's paid amount is what is allocated to it.
TEST_F(DemoContents, ChainsSplitsAllocationsAndTransactionNumbersAgree)
{
    DataContext& ctx = Ctx();
    Rec a(kAccountLength), h(kAuditHeaderLength), s(kSplitLength), al(kAllocationLength);
    int invoicesSeen = 0, allocationsSeen = 0;
    for (const int file : {kFileCustomers, kFileSuppliers}) {
        const bool sales = file == kFileCustomers;
        for (uint32_t n = 1; n <= RecCount(ctx.File(file)); ++n) {
            ASSERT_TRUE(ReadRec(ctx.File(file), n, a.data()));
            const std::string code = GetText(a.data(), kAccountReference);
            double balance = 0;
            uint16_t lastDate = 0;
            for (uint32_t hn = GetU32(a.data(), kAccountFirstHeader); hn; hn = GetU32(h.data(), kHeaderNextHeader)) {
                ASSERT_TRUE(ReadRec(ctx.File(kFileAuditHeaders), hn, h.data()));
                ASSERT_EQ(GetText(h.data(), kHeaderAccountReference), code);
                const uint16_t date = GetU16(h.data(), kHeaderDate);
                ASSERT_GE(date, lastDate) << code;
                lastDate = date;
                const int type = GetU8(h.data(), kHeaderType);
                ASSERT_TRUE(sales ? (type >= 1 && type <= 4) : (type >= 6 && type <= 9)) << type;
                const double total = Round(GetF64(h.data(), kHeaderNetAmount) + GetF64(h.data(), kHeaderTaxAmount), 2);
                if (!GetU16(h.data(), kHeaderExclusion))
                    balance = Round(balance + (type == 1 || type == 6 ? total : -total), 2);

                const uint32_t first = GetU32(h.data(), kHeaderFirstSplit);
                const TransactionKey key = BuildTransactionKey(hn);
                EXPECT_EQ(FindKey(ctx.File(kFileTransactionIndex), key.data(), 0), first);
                double allocated = 0;
                for (uint32_t sn = first; sn; sn = GetU32(s.data(), kSplitNextSplit)) {
                    ASSERT_TRUE(ReadRec(ctx.File(kFileSplits), sn, s.data()));
                    EXPECT_EQ(GetU32(s.data(), kSplitHeader), hn);
                    EXPECT_EQ(GetU32(s.data(), kSplitTransactionNumber), hn);
                    for (uint32_t an = GetU32(s.data(), kSplitFirstAllocation); an; an = GetU32(al.data(), kAllocationNext)) {
                        ASSERT_TRUE(ReadRec(ctx.File(kFileAllocations), an, al.data()));
                        EXPECT_GE(GetU16(al.data(), kAllocationDate), date);
                        allocated = Round(allocated + GetF64(al.data(), kAllocationAmount), 2);
                        ++allocationsSeen;
                    }
                }
                if (type == 1 || type == 6) {
                    ++invoicesSeen;
                    EXPECT_DOUBLE_EQ(allocated, GetF64(h.data(), kHeaderAmountPaid)) << hn;
                }
            }
            EXPECT_DOUBLE_EQ(balance, GetF64(a.data(), kAccountBalance)) << code;
        }
    }
    EXPECT_GT(invoicesSeen, 1000);
    EXPECT_GT(allocationsSeen, 1000);
}

// The trail is posted in date order across accounts, as a business posts, so an account's chain
// is spread through the file rather than lying in consecutive records.
TEST_F(DemoContents, TheTrailIsPostedInDateOrderAcrossAccounts)
{
    DataFile headers = Ctx().File(kFileAuditHeaders);
    Rec h(kAuditHeaderLength);
    uint16_t lastDate = 0;
    uint32_t links = 0, adjacent = 0;
    for (uint32_t n = 1; n <= RecCount(headers); ++n) {
        ASSERT_TRUE(ReadRec(headers, n, h.data()));
        const uint16_t date = GetU16(h.data(), kHeaderDate);
        ASSERT_GE(date, lastDate) << "header " << n;
        lastDate = date;
        if (const uint32_t next = GetU32(h.data(), kHeaderNextHeader)) {
            ASSERT_GT(next, n);
            ++links;
            adjacent += next == n + 1;
        }
    }
    EXPECT_GT(links, 1000u);
    EXPECT_LT(adjacent * 10, links);
}

TEST_F(DemoContents, UsersHaveTheirRights)
{
    const CBAccessManager oversee(Ctx(), "OVERSEE"), anne(Ctx(), "ANNE"), tom(Ctx(), "TOM");
    ASSERT_TRUE(oversee.Known() && anne.Known() && tom.Known());
    struct Case {
        const CBAccessManager& user;
        int module, option;
        bool barred;
    };
    const Case cases[] = {
        {oversee, 0, -1, false}, {oversee, 4, -1, false}, {oversee, 6, -1, false}, {oversee, 19, 1, false},
        {anne, 0, -1, false},    {anne, 4, -1, true},     {anne, 6, -1, true},     {anne, 19, 1, false},
        {tom, 0, -1, true},      {tom, 4, -1, true},      {tom, 6, -1, false},     {tom, 19, 1, true},
        {tom, 19, -1, false},
    };
    for (const Case& c : cases) {
        const bool barred = c.option < 0 ? c.user.Check(c.module, 0) : c.user.Check(c.module, c.option, 0);
        EXPECT_EQ(barred, c.barred) << "module " << c.module << " option " << c.option;
    }
}

TEST_F(DemoContents, CompanyDetailsAndTaxCodes)
{
    Rec setup(kSetupLength), tax(kTaxControlLength);
    ASSERT_TRUE(ReadRec(Ctx().File(kFileSetup), 1, setup.data()));
    EXPECT_EQ(GetText(setup.data(), kSetupCompanyName), "Kingsbridge Office Supplies Ltd");
    EXPECT_FALSE(GetText(setup.data(), kSetupVatNumber).empty());
    EXPECT_FALSE(GetText(setup.data(), kSetupTelephone).empty());
    EXPECT_FALSE(GetText(setup.data(), kSetupAddress5).empty());
    // The financial year holds the program date.
    EXPECT_FALSE(IsDateOutsideFYear(DateStringToNumber("15/06/2027"),
                                    GetU16(setup.data(), kSetupFinancialYearStart)));
    ASSERT_TRUE(ReadRec(Ctx().File(kFileTaxControl), 1, tax.data()));
    const double rates[10] = {0, 20, 0, 0, 0, 5, 0, 0, 20, 0};
    for (int code = 0; code < 10; ++code) EXPECT_DOUBLE_EQ(TaxRate(tax.data(), code), rates[code]) << code;
    for (const Field& control : kControlAccounts) EXPECT_NE(GetU32(tax.data(), control), 0u) << control.name;
}

}  // namespace
}  // namespace kelo
