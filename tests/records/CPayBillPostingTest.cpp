// The payment of a bill without its window: what is posted, what the bill becomes, and that a
// refused posting, another user's change or a deleted bill leave everything as it was.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../host/file/TempCompany.h"
#include "../host/framework/PostingLedger.h"
#include "../pages/BillRecords.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"
#include "host/file/RecordFile.h"
#include "src/records/CPayBillPosting.h"

namespace kelo {
namespace {

using Outcome = CPayBillPosting::Outcome;

const test::BillSpec kRent{.details = "Warehouse rent", .net = 100, .tax = 20, .dueDate = 46030,
                           .billDate = 46000, .payTo = "7100", .reference = "INV77", .taxCode = 1};

class CPayBillPostingTest : public ::testing::Test {
protected:
    CPayBillPostingTest() : m_ledger(m_co.Context())
    {
        m_ledger.Standard();
        test::AddBill(Ctx(), kRent);
    }

    DataContext& Ctx() { return m_co.Context(); }
    uint32_t Headers() { return RecCount(Ctx().File(kFileAuditHeaders)); }

    static BillPaymentEntry Entry(double net, double vat, const char* bank = "1200")
    {
        BillPaymentEntry e;
        e.bank = bank;
        e.reference = "CHQ000123";  // one character over the field: cut to 8
        e.date = 46010;
        e.net = net;
        e.vat = vat;
        e.taxCode = 1;
        return e;
    }

    test::TempCompany m_co;
    test::PostingLedger m_ledger;
};

TEST_F(CPayBillPostingTest, ExactPaymentPaysTheBillAndPostsThePartsFields)
{
    CPayBillPosting pay(Ctx(), 1);
    ASSERT_TRUE(pay.Read());
    uint32_t number = 0;
    ASSERT_EQ(pay.Pay(Entry(100.00, 20.00), "ANNE", &number), Outcome::Posted);
    EXPECT_EQ(number, 1u);

    const auto bill = test::ReadStoredBill(Ctx(), 1);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillNetPaid), 100.00);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillTaxPaid), 20.00);
    EXPECT_EQ(GetU16(bill.data(), kBillDatePaid), 46010);
    EXPECT_EQ(bill, pay.Bill());

    std::vector<uint8_t> h(kAuditHeaderLength), s(kSplitLength);
    ASSERT_TRUE(ReadRec(Ctx().File(kFileAuditHeaders), 1, h.data()));
    EXPECT_EQ(GetU8(h.data(), kHeaderType), 11);
    EXPECT_EQ(GetU16(h.data(), kHeaderDate), 46010);
    const auto texts = [](const std::vector<uint8_t>& r, std::initializer_list<Field> fields) {
        std::vector<std::string> v;
        for (const Field& f : fields) v.push_back(GetText(r.data(), f));
        return v;
    };
    EXPECT_EQ(texts(h, {kHeaderBankCode, kHeaderReference, kHeaderDetails, kHeaderUserName}),
              (std::vector<std::string>{"1200", "CHQ00012", "Warehouse rent", "ANNE"}));
    ASSERT_TRUE(ReadRec(Ctx().File(kFileSplits), 1, s.data()));
    EXPECT_EQ(GetU8(s.data(), kSplitType), 11);
    EXPECT_EQ(texts(s, {kSplitNominalCode, kSplitDetails, kSplitUserName}),
              (std::vector<std::string>{"7100", "Warehouse rent", "ANNE"}));
    EXPECT_EQ(GetI32(s.data(), kSplitTaxCode), 1);
    EXPECT_DOUBLE_EQ(GetF64(s.data(), kSplitNetAmount), 100.00);
    EXPECT_DOUBLE_EQ(GetF64(s.data(), kSplitTaxAmount), 20.00);
    EXPECT_DOUBLE_EQ(m_ledger.BankBalance("1200"), -120.00);
}

TEST_F(CPayBillPostingTest, TheBanksKindGivesTheType)
{
    const struct {
        const char* bank;
        uint8_t type;
    } cases[] = {{"1200", 11}, {"1230", 13}, {"1240", 17}};
    uint32_t header = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bank);
        CPayBillPosting pay(Ctx(), 1);
        ASSERT_TRUE(pay.Read());
        ASSERT_EQ(pay.Pay(Entry(10.004, 2.006, c.bank), "ANNE"), Outcome::Posted);
        std::vector<uint8_t> h(kAuditHeaderLength);
        ASSERT_TRUE(ReadRec(Ctx().File(kFileAuditHeaders), ++header, h.data()));
        EXPECT_EQ(GetU8(h.data(), kHeaderType), c.type);
    }
    EXPECT_EQ(CPayBillPosting::TypeOfBankKind(3), 0);
    // Three part payments add up, rounded to the penny each time.
    const auto bill = test::ReadStoredBill(Ctx(), 1);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillNetPaid), 30.00);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillTaxPaid), 6.03);
}

TEST_F(CPayBillPostingTest, ARefusedPostingLeavesTheBillAndASecondTryStartsFromTheAmountsAsRead)
{
    // A bank of no known kind posts as type 0, which the posting refuses.
    m_ledger.Bank("1250", "Odd account", 3);
    CPayBillPosting pay(Ctx(), 1);
    ASSERT_TRUE(pay.Read());
    const auto before = test::ReadStoredBill(Ctx(), 1);
    EXPECT_EQ(pay.Pay(Entry(40, 8, "1250"), "ANNE"), Outcome::Refused);
    EXPECT_EQ(test::ReadStoredBill(Ctx(), 1), before);
    EXPECT_EQ(Headers(), 0u);

    ASSERT_EQ(pay.Pay(Entry(40, 8), "ANNE"), Outcome::Posted);
    const auto bill = test::ReadStoredBill(Ctx(), 1);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillNetPaid), 40.00);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillTaxPaid), 8.00);
    EXPECT_EQ(Headers(), 1u);
}

TEST_F(CPayBillPostingTest, AnotherUsersPaymentMeanwhileIsNeitherOverwrittenNorDoubled)
{
    CPayBillPosting mine(Ctx(), 1), theirs(Ctx(), 1);
    ASSERT_TRUE(mine.Read());
    ASSERT_TRUE(theirs.Read());
    ASSERT_EQ(theirs.Pay(Entry(60, 12), "TOM"), Outcome::Posted);

    EXPECT_EQ(mine.Pay(Entry(50, 10), "ANNE"), Outcome::Changed);
    EXPECT_EQ(Headers(), 1u);
    EXPECT_EQ(mine.Bill(), test::ReadStoredBill(Ctx(), 1));  // the copy now holds their payment

    ASSERT_EQ(mine.Pay(Entry(40, 8), "ANNE"), Outcome::Posted);
    const auto bill = test::ReadStoredBill(Ctx(), 1);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillNetPaid), 100.00);
    EXPECT_DOUBLE_EQ(GetF64(bill.data(), kBillTaxPaid), 20.00);
}

TEST_F(CPayBillPostingTest, ABillDeletedOrRenumberedMeanwhileIsNotPaid)
{
    test::BillSpec other = kRent;
    other.details = "Electricity";
    other.payTo = "7200";
    other.reference = "INV78";
    other.dueDate = 46031;
    CPayBillPosting pay(Ctx(), 1);
    ASSERT_TRUE(pay.Read());
    test::AddBill(Ctx(), other, 1);  // the file was rewritten without bill 1
    const auto now = test::ReadStoredBill(Ctx(), 1);
    EXPECT_EQ(pay.Pay(Entry(10, 2), "ANNE"), Outcome::Gone);
    EXPECT_EQ(test::ReadStoredBill(Ctx(), 1), now);
    EXPECT_EQ(Headers(), 0u);

    CPayBillPosting missing(Ctx(), 9);
    EXPECT_FALSE(missing.Read());
}

}  // namespace
}  // namespace kelo
