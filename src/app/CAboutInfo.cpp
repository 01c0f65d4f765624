#include "src/app/CAboutInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtGlobal>

#include "host/file/DataContext.h"
#include "host/framework/BusinessObjects.h"
#include "host/ui/CKIcons.h"
#include "host/util/Dates.h"
#include "host/util/Settings.h"
#include "src/app/TaskServices.h"

namespace kelo {

namespace {

const QString kDirectories = QStringLiteral("Directories");
const QString kDataInformation = QStringLiteral("Data Information");
// After a folder: the box offers to open it.
const QString kFolderMark = QStringLiteral("\t\x01");

QString Count(uint32_t n) { return QString::number(n); }
QString Date(uint16_t d) { return QString::fromStdString(DateNumberToFullString(d)); }
QString Local(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

}  // namespace

std::string CAboutInfo::AddAccdata(const std::string& path)
{
    // Here the company's files sit in the company folder itself, not in a data subfolder.
    if (path.empty() || path.back() == '/') return path;
    return path + '/';
}

std::string CAboutInfo::GetCommonSettingsFolder()
{
    return QFileInfo(GetINI(0)).absolutePath().toStdString() + '/';
}

CKAboutInfo CAboutInfo::Build(TaskServices& services, const AboutHostValues& host,
                              ::QWidget* owner)
{
    CKAboutInfo info = CKAboutBox::KCDInitAbout(owner);
    info.product = QStringLiteral("Kelo Task Manager");
    info.version = QCoreApplication::applicationVersion();
    if (info.version.isEmpty()) info.version = QStringLiteral("0.1");
    info.licensee = Local(host.licensee);
    info.serial = Local(host.serial);
    info.logo = CKIcons::ForBitmap(kLogoBitmap).pixmap(64, 64);
    info.components = {{QStringLiteral("kl70Tasks"), info.version},
                       {QStringLiteral("Qt"), QString::fromLatin1(qVersion())}};

    CKAboutBox::KCDAddAboutSection(info, kDirectories);
    CKAboutBox::KCDAddAboutSectionInfo(info, kDirectories, QStringLiteral("Program Directory:"),
                                       Local(host.programDirectory) + kFolderMark);
    CKAboutBox::KCDAddAboutSectionInfo(info, kDirectories, QStringLiteral("Data Directory:"),
                                       Local(AddAccdata(host.dataPath)));
    CKAboutBox::KCDAddAboutSectionInfo(info, kDirectories, QStringLiteral("Settings Directory:"),
                                       Local(GetCommonSettingsFolder()) + kFolderMark);

    // Each count reads through a context of its own, as the business objects expect.
    DataContext context = services.Context();
    const struct {
        const char* item;
        uint32_t (*count)(DataContext&);
    } counts[] = {
        {"Headers", &CBTranhead::GetCount},
        {"Splits", &CBTransplit::GetCount},
        {"Usages", &CBTranusage::GetCount},
        {"Customer Accounts", &CBCustomer::GetCount},
        {"Supplier Account", &CBSupplier::GetCount},
        {"Nominal Accounts", &CBNom::GetCount},
        {"Bank Accounts", &CBBank::GetCount},
        {"Stock Records", &CBStock::GetCount},
        {"Invoices", &CBInvoice::GetCount},
        {"Sales Orders", &CBSalesOrder::GetCount},
        {"Purchase Orders", &CBPurchaseOrder::GetCount},
        {"Fixed Asset Records", &CBAsset::GetCount},
    };
    CKAboutBox::KCDAddAboutSection(info, kDataInformation);
    auto add = [&info](const char* item, const QString& value) {
        CKAboutBox::KCDAddAboutSectionInfo(info, kDataInformation, QString::fromLatin1(item),
                                           value);
    };
    for (const auto& c : counts) {
        DataContext own = context;
        add(c.item, Count(c.count(own)));
    }
    add("Last Invoice", Count(host.lastInvoice));
    add("Last Credit Note", Count(host.lastCreditNote));
    add("Last Sales Order", Count(host.lastSalesOrder));
    add("Last Purchase Order", Count(host.lastPurchaseOrder));
    if (host.clearAuditTrailRan != 0) add("Clear Audit Trail ran", Date(host.clearAuditTrailRan));
    add("Clear Stock ran", Date(host.clearStockRan));
    add("Last backup", Date(host.lastBackup));
    add("Last restore", Date(host.lastRestore));
    return info;
}

void CAboutInfo::ShowAboutBox(TaskServices& services, const AboutHostValues& host,
                              ::QWidget* owner)
{
    CKAboutBox::KCDShowAbout(Build(services, host, owner));
}

}  // namespace kelo
