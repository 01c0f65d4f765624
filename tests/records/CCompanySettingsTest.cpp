#include "src/records/CCompanySettings.h"

#include <vector>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/data/FileMap.h"
#include "host/data/SetupRecord.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

class CompanyDetailsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint8_t> rec(kSetupLength, 0);
        SetText(rec.data(), kSetupCompanyName, "Harbour Chandlers Ltd   ");
        SetText(rec.data(), kSetupAddress1, "Unit 4, Quay Street");
        SetText(rec.data(), kSetupAddress2, "Falmouth");
        SetTextUnpadded(rec.data(), kSetupTelephone, "01326 555 010  ");
        SetTextUnpadded(rec.data(), kSetupFax, "01326 555 011");
        SetTextUnpadded(rec.data(), kSetupVatNumber, "GB 123 4567 89");
        SetTextUnpadded(rec.data(), kSetupEmail, "office@harbour.example");
        SetTextUnpadded(rec.data(), kSetupWebSite, "www.harbour.example");
        WriteRec(company.Context().File(kFileSetup), 1, rec.data());
        m_stored = rec;
    }

    test::TempCompany company;
    std::vector<uint8_t> m_stored;
};

TEST_F(CompanyDetailsTest, ShowsTheSetupRecord)
{
    CCompanySettings dialog(nullptr, company.Context());
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.windowTitle(), "Company Details");
    EXPECT_EQ(dialog.Name(), "Harbour Chandlers Ltd") << "the name is trimmed";
    // Two address lines, then the three empty ones, separators always present.
    EXPECT_EQ(dialog.Address(), "Unit 4, Quay Street\r\nFalmouth\r\n\r\n\r\n");
    EXPECT_EQ(dialog.Telephone(), "01326 555 010  ") << "numbers are shown as stored";
    EXPECT_EQ(dialog.Fax(), "01326 555 011");
    EXPECT_EQ(dialog.VatNumber(), "GB 123 4567 89");
    EXPECT_EQ(dialog.WebSite(), "www.harbour.example");
    EXPECT_EQ(dialog.Email(), "office@harbour.example");

    test::TempCompany empty;
    CCompanySettings none(nullptr, empty.Context());
    none.Create(nullptr);
    EXPECT_EQ(none.Name(), "");
    EXPECT_EQ(none.Address(), "\r\n\r\n\r\n\r\n");
}

// Long texts show from their start and fit: a field scrolled to its end hides what the user
// reads first ("v.kingsbridge-office.example").
TEST_F(CompanyDetailsTest, LongFieldsShowFromTheirStartAndFit)
{
    std::vector<uint8_t> rec = m_stored;
    SetText(rec.data(), kSetupCompanyName, "Kingsbridge Office Supplies and Stationery Ltd");
    SetText(rec.data(), kSetupAddress1, "Unit 4, Riverside Trading Estate, Mill Lane");
    SetTextUnpadded(rec.data(), kSetupEmail, "accounts@kingsbridge-office-supplies.example");
    SetTextUnpadded(rec.data(), kSetupWebSite, "www.kingsbridge-office-supplies.example");
    WriteRec(company.Context().File(kFileSetup), 1, rec.data());

    CCompanySettings dialog(nullptr, company.Context());
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.show();
    QCoreApplication::processEvents();
    for (const char* name : {"name", "telephone", "fax", "vat", "web", "email"}) {
        auto* edit = dialog.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->cursorPosition(), 0) << name;
        const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
        EXPECT_GE(edit->contentsRect().width() - 8, needed) << name << ": " << edit->text().toStdString();
    }
    auto* address = dialog.findChild<QPlainTextEdit*>("address");
    const int line = address->fontMetrics().horizontalAdvance(
        "Unit 4, Riverside Trading Estate, Mill Lane");
    EXPECT_GE(address->viewport()->width(), line);
    dialog.hide();
}

TEST_F(CompanyDetailsTest, ReadOnlyAndOkClosesWithoutWriting)
{
    auto* dialog = new CCompanySettings(nullptr, company.Context());
    int result = 0;
    QTimer::singleShot(0, dialog, [&] {
        for (const char* name : {"name", "telephone", "fax", "vat", "web", "email"}) {
            auto* edit = dialog->findChild<QLineEdit*>(name);
            ASSERT_NE(edit, nullptr) << name;
            EXPECT_TRUE(edit->isReadOnly()) << name;
            QTest::keyClicks(edit, "xyz");
        }
        auto* address = dialog->findChild<QPlainTextEdit*>("address");
        EXPECT_TRUE(address->isReadOnly());
        QTest::keyClicks(address, "xyz");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("name")->text(), "Harbour Chandlers Ltd");
        QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
    });
    result = dialog->DoModal(nullptr);
    delete dialog;
    EXPECT_EQ(result, IDOK);
    std::vector<uint8_t> after(kSetupLength);
    ASSERT_NE(ReadRec(company.Context().File(kFileSetup), 1, after.data()), 0);
    EXPECT_EQ(after, m_stored);
}

}  // namespace
}  // namespace kelo
