#include "host/ui/CKHelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
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

TEST_F(CKHelpViewerTest, OpensTheTopicPageOrTheIndex)
{
    struct Case {
        int command;
        int topic;
        const char* page;
    };
    for (const Case& c : {Case{HH_HELP_CONTEXT, 103, "103.html"},
                          Case{HH_HELP_CONTEXT, 999, "index.html"},
                          Case{HH_DISPLAY_TOPIC, 103, "index.html"},
                          Case{HH_DISPLAY_TOPIC, 0, "index.html"}}) {
        m_requests.clear();
        ASSERT_TRUE(CKHelpViewer::HtmlHelpA(nullptr, m_folder, c.command, c.topic));
        ASSERT_EQ(m_requests.size(), 1u);
        EXPECT_EQ(QFileInfo(m_requests[0].page).fileName(), c.page)
            << c.command << "/" << c.topic;
        EXPECT_EQ(m_requests[0].topic, c.topic);
    }
    EXPECT_FALSE(CKHelpViewer::HtmlHelpA(nullptr, m_folder, 7, 103)) << "unknown command";
}

TEST_F(CKHelpViewerTest, ReadsAnOldStylePathWithBackslashesAndOtherCase)
{
    const QString oldStyle = m_dir.path() + "/help\\ACCOUNTS\\tasks.chm";
    ASSERT_TRUE(CKHelpViewer::HtmlHelpA(nullptr, oldStyle, HH_HELP_CONTEXT, 103));
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(QFileInfo(m_requests[0].page).fileName(), "103.html");
    EXPECT_FALSE(CKHelpViewer::HtmlHelpA(nullptr, m_dir.path() + "/Nowhere", HH_HELP_CONTEXT, 1));
}

TEST_F(CKHelpViewerTest, TheViewerShowsThePage)
{
    CKHelpViewer::SetShower(nullptr);
    ASSERT_TRUE(CKHelpViewer::HtmlHelpA(nullptr, m_folder, HH_HELP_CONTEXT, 103));
    CKHelpViewer* viewer = CKHelpViewer::Instance();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(QFileInfo(viewer->CurrentPage()).fileName(), "103.html");
    viewer->close();
}

// Help asked for in a modal dialog comes up in front of it and takes the mouse and Esc while
// the dialog stays open. The clicks go through the window, as the window system's do, so a
// window the dialog blocks would not see them.
TEST_F(CKHelpViewerTest, WorksWhileAModalDialogIsOpen)
{
    CKHelpViewer::SetShower(nullptr);
    QWidget owner;
    owner.show();
    QDialog dialog(&owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    ASSERT_TRUE(CKHelpViewer::HtmlHelpA(&dialog, m_folder, HH_HELP_CONTEXT, 103));
    // Closing deletes the viewer, so it is watched through a guarded pointer.
    QPointer<CKHelpViewer> viewer = CKHelpViewer::Instance();
    ASSERT_TRUE(viewer->isVisible());
    ASSERT_TRUE(viewer->isWindow());
    QCoreApplication::processEvents();
    EXPECT_EQ(QFileInfo(viewer->CurrentPage()).fileName(), "103.html");

    auto* contents = viewer->findChild<QPushButton*>("contents");
    ASSERT_NE(contents, nullptr);
    QWindow* window = viewer->windowHandle();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window, Qt::LeftButton, {}, contents->mapTo(viewer, contents->rect().center()));
    QCoreApplication::processEvents();
    EXPECT_EQ(QFileInfo(viewer->CurrentPage()).fileName(), "index.html")
        << "the Contents button answers while the dialog is open";

    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible()) << "Esc closes the help";
    EXPECT_TRUE(dialog.isVisible()) << "and only the help";
}

}  // namespace
}  // namespace kelo
