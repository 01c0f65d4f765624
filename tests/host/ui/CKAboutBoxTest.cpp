#include "host/ui/CKAboutBox.h"

#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace kelo {
namespace {

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
