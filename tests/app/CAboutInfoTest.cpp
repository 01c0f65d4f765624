#include "src/app/CAboutInfo.h"

#include <vector>

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/framework/CBAccessManager.h"
#include "host/util/Dates.h"
#include "host/util/Settings.h"
#include "src/app/TaskServices.h"
#include "host/data/FileMap.h"
#include "tests/host/file/TempCompany.h"

namespace kelo {
namespace {

// Only the company matters to the About box.
class CompanyServices final : public TaskServices {
public:
    explicit CompanyServices(DataContext& context) : m_context(context) {}
    uint16_t GetProgramDateChecked() override { return 0; }
    void YieldToHost() override {}
    bool BackgroundFill() const override { return false; }
    int TaskMessageBox(const std::string&, int, int) override { return 1; }
    int TaskMessageBoxId(int, int, int) override { return 1; }
    const std::string& CurrentUserName() const override { return m_user; }
    DataContext& Context() override { return m_context; }
    const CBAccessManager& AccessManager() const override { return m_access; }

private:
    DataContext& m_context;
    std::string m_user = "OVERSEE";
    CBAccessManager m_access;
};

void AddRecords(DataContext& ctx, int file, int count)
{
    DataFile f = ctx.File(file);
    std::vector<uint8_t> rec(f->recordLength, 0x20);
    for (int i = 1; i <= count; ++i) WriteRec(f, static_cast<uint32_t>(i), rec.data());
}

using Items = std::vector<std::pair<QString, QString>>;

Items ItemsOf(const CKAboutInfo& info, const QString& section)
{
    Items items;
    const CKAboutInfo::Section* s = info.Find(section);
    if (!s) return items;
    for (const CKAboutInfo::Item& item : s->items) items.emplace_back(item.name, item.value);
    return items;
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { SetINIFolder(m_settings.path()); }
    void TearDown() override { SetINIFolder(QString()); }

    AboutHostValues Host() const
    {
        AboutHostValues host;
        host.programDirectory = "/opt/kelo/";
        host.dataPath = "/srv/companies/demo";
        host.lastBackup = DateNumberFromComponents(2, 1, 2027);
        host.clearStockRan = DateNumberFromComponents(31, 12, 2026);
        host.lastRestore = 0;
        host.lastInvoice = 1042;
        host.lastCreditNote = 17;
        host.lastSalesOrder = 305;
        host.lastPurchaseOrder = 88;
        return host;
    }

    QTemporaryDir m_settings;
    test::TempCompany company;
    CompanyServices services{company.Context()};
};

TEST_F(AboutTest, DirectoriesInOrderWithTheirFolderMarks)
{
    const CKAboutInfo info = CAboutInfo::Build(services, Host(), nullptr);
    EXPECT_EQ(info.title, "About...");
    EXPECT_EQ(info.product, "Kelo Task Manager");
    const QString settings = m_settings.path() + "/";
    EXPECT_EQ(ItemsOf(info, "Directories"),
              Items({{"Program Directory:", QString("/opt/kelo/\t\x01")},
                     {"Data Directory:", "/srv/companies/demo/"},
                     {"Settings Directory:", settings + "\t\x01"}}));
    ASSERT_EQ(info.sections.size(), 2u);
    EXPECT_EQ(info.sections[0].title, "Directories");
    EXPECT_EQ(info.sections[1].title, "Data Information");
}

TEST_F(AboutTest, DataInformationCountsAndHousekeepingDates)
{
    DataContext& ctx = company.Context();
    AddRecords(ctx, kFileAuditHeaders, 7);
    AddRecords(ctx, kFileSplits, 9);
    AddRecords(ctx, kFileCustomers, 3);
    AddRecords(ctx, kFileSuppliers, 2);
    AddRecords(ctx, kFileNominal, 5);
    AddRecords(ctx, kFileBank, 1);
    AddRecords(ctx, kFileStock, 4);
    AddRecords(ctx, kFileSalesOrders, 6);

    const CKAboutInfo info = CAboutInfo::Build(services, Host(), nullptr);
    EXPECT_EQ(ItemsOf(info, "Data Information"),
              Items({{"Headers", "7"},
                     {"Splits", "9"},
                     {"Usages", "0"},
                     {"Customer Accounts", "3"},
                     {"Supplier Account", "2"},
                     {"Nominal Accounts", "5"},
                     {"Bank Accounts", "1"},
                     {"Stock Records", "4"},
                     {"Invoices", "0"},
                     {"Sales Orders", "6"},
                     {"Purchase Orders", "0"},
                     {"Fixed Asset Records", "0"},
                     {"Last Invoice", "1042"},
                     {"Last Credit Note", "17"},
                     {"Last Sales Order", "305"},
                     {"Last Purchase Order", "88"},
                     {"Clear Stock ran", "31/12/2026"},
                     {"Last backup", "02/01/2027"},
                     {"Last restore", ""}}))
        << "Clear Audit Trail never ran, so its item is left out";
}

TEST_F(AboutTest, ClearAuditTrailShownOnceItRan)
{
    AboutHostValues host = Host();
    host.clearAuditTrailRan = DateNumberFromComponents(5, 4, 2027);
    const Items items = ItemsOf(CAboutInfo::Build(services, host, nullptr), "Data Information");
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[16], std::make_pair(QString("Clear Audit Trail ran"), QString("05/04/2027")));
    EXPECT_EQ(items[17].first, "Clear Stock ran");
}

}  // namespace
}  // namespace kelo
