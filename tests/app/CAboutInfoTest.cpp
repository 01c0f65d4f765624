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

// The directories in order with their folder marks, then the counts and housekeeping dates;
// Clear Audit Trail has its item only once it ran.
TEST_F(AboutTest, DirectoriesThenDataInformation)
{
    DataContext& ctx = company.Context();
    const std::pair<int, int> counts[] = {{kFileAuditHeaders, 7}, {kFileSplits, 9}, {kFileCustomers, 3},
                                          {kFileSuppliers, 2},    {kFileNominal, 5}, {kFileBank, 1},
                                          {kFileStock, 4},        {kFileSalesOrders, 6}};
    for (const auto& [file, count] : counts) AddRecords(ctx, file, count);

    const CKAboutInfo info = CAboutInfo::Build(services, Host(), nullptr);
    EXPECT_EQ(info.title, "About...");
    EXPECT_EQ(info.product, "Kelo Task Manager");
    ASSERT_EQ(info.sections.size(), 2u);
    EXPECT_EQ(info.sections[0].title, "Directories");
    EXPECT_EQ(info.sections[1].title, "Data Information");
    EXPECT_EQ(ItemsOf(info, "Directories"),
              Items({{"Program Directory:", QString("/opt/kelo/\t\x01")},
                     {"Data Directory:", "/srv/companies/demo/"},
                     {"Settings Directory:", m_settings.path() + "/\t\x01"}}));
    Items data{{"Headers", "7"},           {"Splits", "9"},
               {"Usages", "0"},            {"Customer Accounts", "3"},
               {"Supplier Account", "2"},  {"Nominal Accounts", "5"},
               {"Bank Accounts", "1"},     {"Stock Records", "4"},
               {"Invoices", "0"},          {"Sales Orders", "6"},
               {"Purchase Orders", "0"},   {"Fixed Asset Records", "0"},
               {"Last Invoice", "1042"},   {"Last Credit Note", "17"},
               {"Last Sales Order", "305"}, {"Last Purchase Order", "88"},
               {"Clear Stock ran", "31/12/2026"}, {"Last backup", "02/01/2027"},
               {"Last restore", ""}};
    EXPECT_EQ(ItemsOf(info, "Data Information"), data);

    AboutHostValues host = Host();
    host.clearAuditTrailRan = DateNumberFromComponents(5, 4, 2027);
    data.insert(data.begin() + 16, {"Clear Audit Trail ran", "05/04/2027"});
    EXPECT_EQ(ItemsOf(CAboutInfo::Build(services, host, nullptr), "Data Information"), data);
}

}  // namespace
}  // namespace kelo
