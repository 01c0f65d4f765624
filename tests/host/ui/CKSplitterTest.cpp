#include "host/ui/CKSplitter.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include "host/ui/CKDialog.h"

namespace kelo {
namespace {

// A page whose deletion waits, as a page with a fill on the stack does.
class LingeringPage : public CKDialog {
public:
    using CKDialog::CKDialog;
    bool m_finalCalled = false;

protected:
    void PostNcDestroy() override { m_finalCalled = true; }
};

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(CKSplitter, ReplacedPageThatDelaysItsDeletionLivesOnDetached)
{
    auto* splitter = new CKSplitter;
    auto* tree = new CKDialog(127, splitter);
    auto* busy = new LingeringPage(106, splitter);
    splitter->CreateDlg(0, 0, tree);
    splitter->CreateDlg(0, 1, busy);
    QPointer<LingeringPage> guard(busy);
    ASSERT_TRUE(splitter->ReplaceDlg(0, 1, new CKDialog(103)));
    EXPECT_TRUE(busy->m_finalCalled);
    EXPECT_EQ(busy->parent(), nullptr);
    delete splitter;  // the splitter's end does not free the page under its fill
    RunDeferredDeletes();
    ASSERT_FALSE(guard.isNull());
    delete busy;  // what the page's own fill does when it unwinds
}

}  // namespace
}  // namespace kelo
