#include "host/ui/CKAccountSearch.h"

#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "tests/host/framework/PostingLedger.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

class AccountSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Added out of code order: the index decides the order listed.
        Add("7500", "Office stationery");
        Add("1200", "Bank current account");
        Add("4000", "Sales type A");
        Add("1210", "Bank deposit account");
        Add("7900", "bank charges");
    }
    void Add(const char* code, const char* name)
    {
        test::PostingLedger(company.Context()).Nominal(code, name);
    }
    QStringList Texts(const std::vector<CKAccountSearch::Match>& matches) const
    {
        QStringList t;
        for (const auto& m : matches) t << m.text;
        return t;
    }

    test::TempCompany company;
};

TEST_F(AccountSearchTest, MatchesCodeOrNameFromTheStartIgnoringCaseWithTheirRecordNumbers)
{
    struct Case {
        const char* text;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {"12", {"1200\tBank current account", "1210\tBank deposit account"}},
        {"BANK", {"1200\tBank current account", "1210\tBank deposit account", "7900\tbank charges"}},
        {"7", {"7500\tOffice stationery", "7900\tbank charges"}},
        {"office", {"7500\tOffice stationery"}},
        {"account", {}},
        {"99", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(CKAccountSearch::Find(company.Context(), kLedgerNominal, c.text)), c.expected)
            << c.text;
    EXPECT_EQ(CKAccountSearch::Find(company.Context(), kLedgerNominal, "").size(), 5u);
    EXPECT_TRUE(CKAccountSearch::Find(company.Context(), kLedgerSales, "").empty());
    EXPECT_EQ(CKAccountSearch::Find(company.Context(), kLedgerNominal, "b")[0].recNo, 2u);
}

}  // namespace
}  // namespace kelo
