#include "host/ui/CKAboutBox.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "host/ui/CKIcons.h"

namespace kelo {

namespace {

CKAboutBox::Shower& Installed()
{
    static CKAboutBox::Shower shower;
    return shower;
}

// Values that end in a tab and the character 1 name a folder the box offers to open.
const QString kFolderMark = QStringLiteral("\t\x01");

CKAboutInfo::Section& SectionOf(CKAboutInfo& info, const QString& title)
{
    for (CKAboutInfo::Section& s : info.sections)
        if (s.title == title) return s;
    info.sections.push_back({title, {}});
    return info.sections.back();
}

}  // namespace

const CKAboutInfo::Section* CKAboutInfo::Find(const QString& sectionTitle) const
{
    for (const Section& s : sections)
        if (s.title == sectionTitle) return &s;
    return nullptr;
}

CKAboutInfo CKAboutBox::KCDInitAbout(QWidget* owner)
{
    CKAboutInfo info;
    info.owner = owner;
    return info;
}

void CKAboutBox::KCDAddAboutSection(CKAboutInfo& info, const QString& section)
{
    SectionOf(info, section);
}

void CKAboutBox::KCDAddAboutSectionInfo(CKAboutInfo& info, const QString& section,
                                        const QString& item, const QString& value)
{
    SectionOf(info, section).items.push_back({item, value});
}

void CKAboutBox::KCDShowAbout(const CKAboutInfo& info)
{
    if (const Shower& shower = Installed()) {
        shower(info);
        return;
    }
    CKAboutBox box(info);
    box.exec();
}

CKAboutBox::Shower CKAboutBox::SetShower(Shower shower)
{
    Shower previous = std::move(Installed());
    Installed() = std::move(shower);
    return previous;
}

CKAboutBox::CKAboutBox(const CKAboutInfo& info) : QDialog(info.owner)
{
    setWindowTitle(info.title);
    auto* layout = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    auto* logo = new QLabel(this);
    logo->setPixmap(info.logo.isNull() ? CKIcons::ForBitmap(418).pixmap(64, 64) : info.logo);
    head->addWidget(logo, 0, Qt::AlignTop);
    QString lines = QStringLiteral("<b style='font-size:large'>%1</b><br>%2")
                        .arg(info.product.toHtmlEscaped(), info.version.toHtmlEscaped());
    if (!info.licensee.isEmpty()) lines += QStringLiteral("<br>") + info.licensee.toHtmlEscaped();
    if (!info.serial.isEmpty()) lines += QStringLiteral("<br>") + info.serial.toHtmlEscaped();
    auto* title = new QLabel(lines, this);
    title->setTextFormat(Qt::RichText);
    head->addWidget(title, 1);
    layout->addLayout(head);

    for (const CKAboutInfo::Section& section : info.sections) {
        auto* group = new QGroupBox(section.title, this);
        auto* grid = new QGridLayout(group);
        grid->setColumnStretch(1, 1);
        int row = 0;
        for (const CKAboutInfo::Item& item : section.items) {
            grid->addWidget(new QLabel(item.name, group), row, 0);
            QString value = item.value;
            auto* label = new QLabel(group);
            label->setTextInteractionFlags(Qt::TextBrowserInteraction);
            if (value.endsWith(kFolderMark)) {
                value.chop(kFolderMark.size());
                label->setTextFormat(Qt::RichText);
                label->setText(QStringLiteral("%1 <a href='%2'>Open</a>")
                                   .arg(value.toHtmlEscaped(),
                                        QUrl::fromLocalFile(value).toString()));
                connect(label, &QLabel::linkActivated, this,
                        [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
            } else {
                label->setTextFormat(Qt::PlainText);
                label->setText(value);
            }
            grid->addWidget(label, row++, 1);
        }
        layout->addWidget(group);
    }

    if (!info.components.empty()) {
        auto* group = new QGroupBox(tr("Components"), this);
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (const auto& [name, version] : info.components) {
            grid->addWidget(new QLabel(name, group), row, 0);
            grid->addWidget(new QLabel(version, group), row++, 1);
        }
        layout->addWidget(group);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace kelo
