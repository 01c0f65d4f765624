#include "host/ui/CKHelpViewer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelo {
namespace {

class CKHelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath("Help/Accounts/Tasks.CHM");
        m_folder = m_dir.filePath("Help/Accounts/Tasks.CHM");
        Write("index.html", "<h1>Contents</h1>");
        Write("103.html", "<h1>To Do List</h1>");
        m_previous = CKHelpViewer::SetShower(
            [this](const CKHelpViewer::Request& r) { m_requests.push_back(r); });
    }
    void TearDown() override { CKHelpViewer::SetShower(m_previous); }
    void Write(const QString& name, const QByteArray& html)
    {
        QFile f(QDir(m_folder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    }

    QTemporaryDir m_dir;
    QString m_folder;
    std::vector<CKHelpViewer::Request> m_requests;
    CKHelpViewer::Shower m_previous;
};

// The folder may come as an old-style path, with backslashes and in another case.
TEST_F(CKHelpViewerTest, OpensTheTopicPageOrTheIndex)
{
    const QString oldStyle = m_dir.path() + "/help\\ACCOUNTS\\tasks.chm";
    struct Case {
        QString folder;
        int command;
        int topic;
        const char* page;
    };
    for (const Case& c : {Case{m_folder, HH_HELP_CONTEXT, 103, "103.html"},
                          Case{m_folder, HH_HELP_CONTEXT, 999, "index.html"},
                          Case{m_folder, HH_DISPLAY_TOPIC, 103, "index.html"},
                          Case{oldStyle, HH_HELP_CONTEXT, 103, "103.html"}}) {
        m_requests.clear();
        ASSERT_TRUE(CKHelpViewer::HtmlHelpA(nullptr, c.folder, c.command, c.topic));
        ASSERT_EQ(m_requests.size(), 1u);
        EXPECT_EQ(QFileInfo(m_requests[0].page).fileName(), c.page)
            << c.folder.toStdString() << " " << c.command << "/" << c.topic;
        EXPECT_EQ(m_requests[0].topic, c.topic);
    }
    EXPECT_FALSE(CKHelpViewer::HtmlHelpA(nullptr, m_folder, 7, 103)) << "unknown command";
    EXPECT_FALSE(CKHelpViewer::HtmlHelpA(nullptr, m_dir.path() + "/Nowhere", HH_HELP_CONTEXT, 1));
}

}  // namespace
}  // namespace kelo
