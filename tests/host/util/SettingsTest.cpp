#include "host/util/Settings.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class SettingsFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path() + QStringLiteral("/config");
        SetINIFolder(m_folder);
    }
    void TearDown() override { SetINIFolder(QString()); }

    QTemporaryDir m_dir;
    QString m_folder;
};

TEST_F(SettingsFiles, MissingValuesGiveTheDefaultAndWritesReadBackPerFile) {
    EXPECT_EQ(ReadINIString(GetINI(1), "Reminder", "Font", "Tahoma"), "Tahoma");
    EXPECT_EQ(ReadINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 0), 0);
    EXPECT_FALSE(QDir(m_folder).exists()) << "reading must not create the folder";

    ASSERT_TRUE(WriteINIInt(GetINI(1), "Popup", "POPUP-1-key-HEIGHT-96-OVERSEE", -7));
    ASSERT_TRUE(WriteINIString(GetINI(1), "Tasks", "TaskPos", "0,1,-1,-1,-1,-1,10,20,810,620"));
    ASSERT_TRUE(WriteINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 1));
    EXPECT_EQ(ReadINIInt(GetINI(1), "Popup", "POPUP-1-key-HEIGHT-96-OVERSEE", 0), -7);
    EXPECT_EQ(ReadINIString(GetINI(1), "Tasks", "TaskPos", ""), "0,1,-1,-1,-1,-1,10,20,810,620");
    EXPECT_EQ(ReadINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 0), 1);
    EXPECT_EQ(ReadINIInt(GetINI(1), "Tasks", "AllowBackgroundFill", 5), 5) << "files are separate";
}

TEST_F(SettingsFiles, UnwritableFileReportsFailure) {
    // A directory where the file should be cannot be written as a file.
    ASSERT_TRUE(QDir().mkpath(GetINI(0)));
    EXPECT_FALSE(WriteINIInt(GetINI(0), "Tasks", "AllowBackgroundFill", 1));
}
