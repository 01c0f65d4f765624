// A bill payment posted through TransactionPost is found by kelo-tasks under its number.

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "../../host/file/TempCompany.h"
#include "../../host/framework/PostingLedger.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"
#include "host/data/UserRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/TransactionPost.h"
#include "host/util/Dates.h"
#include "tools/kelo-tasks/TaskCli.h"

namespace kelo {
namespace {

TEST(PostedPayment, KeloTasksShowsItByItsTransactionNumber)
{
    test::TempCompany co;
    test::PostingLedger ledger(co.Context());
    ledger.Standard();
    std::vector<uint8_t> user(kUserLength, 0);
    SetText(user.data(), kUserName, "OVERSEE");
    WriteRec(co.Context().File(kFileUsers), 1, user.data());
    std::vector<uint8_t> header(kAuditHeaderLength, 0), split(kSplitLength, 0);
    SetU8(header.data(), kHeaderType, kTypeCashPayment);
    SetText(header.data(), kHeaderBankCode, "1230");
    SetText(header.data(), kHeaderPaymentReference, "PC17");
    SetText(header.data(), kHeaderDetails, "Window cleaning");
    SetU16(header.data(), kHeaderDate, DateStringToNumber("30/11/2026"));
    SetU8(split.data(), kSplitType, kTypeCashPayment);
    SetText(split.data(), kSplitNominalCode, "7200");
    SetF64(split.data(), kSplitNetAmount, 25.00);
    SetF64(split.data(), kSplitTaxAmount, 5.00);
    CBBusContext bus(co.Context(), "OVERSEE");
    const std::vector<uint8_t> bank = ledger.BankRecord("1230");
    const uint32_t number = TransactionPost(bus, header.data(), 0, bank.data(), 1, split.data(), 1, 0, 0);
    ASSERT_NE(number, 0u);

    std::ostringstream out, err;
    ASSERT_EQ(RunTaskCli({"--company", co.Folder(), "transaction", std::to_string(number)}, out, err), 0)
        << err.str();
    const std::string shown = out.str();
    for (const char* text : {"Cash Payment", "1230", "30/11/2026", "PC17", "Window cleaning", "25.00",
                             "5.00", "30.00"})
        EXPECT_NE(shown.find(text), std::string::npos) << "no \"" << text << "\" in\n" << shown;
}

}  // namespace
}  // namespace kelo
