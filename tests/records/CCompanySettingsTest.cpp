#include "src/records/CCompanySettings.h"

#include <vector>

#include <QCoreApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/data/FileMap.h"
#include "host/data/SetupRecord.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

const char* const kLineEdits[] = {"name", "telephone", "fax", "vat", "web", "email"};

// The name trimmed, the numbers as stored, five address lines with their separators; a long
// text shows from its start, where the user reads first; nothing can be typed over.
TEST(CompanyDetails, ShowsTheSetupRecordFromTheStartOfEachField)
{
    test::TempCompany company;
    std::vector<uint8_t> rec(kSetupLength, 0);
    SetText(rec.data(), kSetupCompanyName, "Kingsbridge Office Supplies and Stationery Ltd   ");
    SetText(rec.data(), kSetupAddress1, "Unit 4, Quay Street");
    SetText(rec.data(), kSetupAddress2, "Falmouth");
    SetTextUnpadded(rec.data(), kSetupTelephone, "01326 555 010  ");
    SetTextUnpadded(rec.data(), kSetupVatNumber, "GB 123 4567 89");
    SetTextUnpadded(rec.data(), kSetupEmail, "accounts@kingsbridge-office-supplies.example");
    WriteRec(company.Context().File(kFileSetup), 1, rec.data());
    CCompanySettings dialog(nullptr, company.Context());
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.windowTitle(), "Company Details");
    EXPECT_EQ(dialog.Name(), "Kingsbridge Office Supplies and Stationery Ltd");
    EXPECT_EQ(dialog.Address(), "Unit 4, Quay Street\r\nFalmouth\r\n\r\n\r\n");
    EXPECT_EQ(dialog.Telephone(), "01326 555 010  ");
    EXPECT_EQ(dialog.VatNumber(), "GB 123 4567 89");
    dialog.show();
    QCoreApplication::processEvents();
    for (const char* name : kLineEdits) {
        auto* edit = dialog.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->cursorPosition(), 0) << name;
        EXPECT_TRUE(edit->isReadOnly()) << name;
    }
    dialog.hide();

    test::TempCompany empty;
    CCompanySettings none(nullptr, empty.Context());
    none.Create(nullptr);
    EXPECT_EQ(none.Address(), "\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace kelo
