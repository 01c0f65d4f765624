#include "host/ui/CKAboutBox.h"

#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(CKAboutBox, SectionsKeepTheirOrderAndItemsTheirs)
{
    CKAboutInfo info = CKAboutBox::KCDInitAbout();
    EXPECT_EQ(info.title, "About...");
    CKAboutBox::KCDAddAboutSection(info, "Directories");
    CKAboutBox::KCDAddAboutSectionInfo(info, "Directories", "Program Directory:", "/opt/kelo\t\x01");
    CKAboutBox::KCDAddAboutSection(info, "Data Information");
    CKAboutBox::KCDAddAboutSectionInfo(info, "Data Information", "Headers", "12");
    CKAboutBox::KCDAddAboutSectionInfo(info, "Directories", "Data Directory:", "/srv/acme");
    CKAboutBox::KCDAddAboutSection(info, "Directories");  // opening it again adds nothing
    CKAboutBox::KCDAddAboutSectionInfo(info, "Data Information", "Splits", "40");

    ASSERT_EQ(info.sections.size(), 2u);
    EXPECT_EQ(info.sections[0].title, "Directories");
    const CKAboutInfo::Section* data = info.Find("Data Information");
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->items.size(), 2u);
    EXPECT_EQ(data->items[1].name, "Splits");
    EXPECT_EQ(data->items[1].value, "40");
    EXPECT_EQ(info.sections[0].items[1].name, "Data Directory:");
    EXPECT_EQ(info.Find("None"), nullptr);
}

TEST(CKAboutBox, TheBoxListsEverySectionAndMarksFolders)
{
    CKAboutInfo info = CKAboutBox::KCDInitAbout();
    CKAboutBox::KCDAddAboutSectionInfo(info, "Directories", "Program Directory:", "/opt/kelo\t\x01");
    CKAboutBox::KCDAddAboutSectionInfo(info, "Data Information", "Last Invoice", "1042");
    CKAboutBox box(info);
    const QList<QGroupBox*> groups = box.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0]->title(), "Directories");
    bool folderLink = false, plain = false;
    for (QLabel* l : box.findChildren<QLabel*>()) {
        if (l->text().contains("href") && l->text().startsWith("/opt/kelo ")) folderLink = true;
        if (l->text() == "1042") plain = true;
        EXPECT_FALSE(l->text().contains(QChar(1)));
    }
    EXPECT_TRUE(folderLink);
    EXPECT_TRUE(plain);
}

}  // namespace
}  // namespace kelo
