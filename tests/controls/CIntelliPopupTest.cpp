#include "src/controls/CIntelliPopupImpl.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "host/util/Settings.h"
#include "src/controls/AttachIntelliPopup.h"
#include "src/controls/CIntelliPopupWnd.h"
#include "src/controls/CIntelliSize.h"
#include "src/controls/CIntelliStore.h"
#include "host/data/GlobalBlock.h"
#include "tests/controls/TempRegistry.h"

namespace kelo {
namespace {

const QString kGroup = QStringLiteral("History/TasksToDoDesc");

void Drain()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A search provider standing in for the account search: two accounts for any text.
std::vector<CKIntelliNotify> g_providerCalls;
int FakeAccounts(QWidget*, const CKIntelliNotify& notify, intptr_t)
{
    g_providerCalls.push_back(notify);
    if (notify.code != kIntelliFill) return 0;
    notify.popup->AddEntry("4000\tBank charges", 11, "4000");
    notify.popup->AddEntry("4010\tBank interest", 12, "4010");
    return 2;
}

class IntelliPopupTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override
    {
        Close();
        g_providerCalls.clear();
    }

    void Open()
    {
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        field = new QLineEdit;
        next = new QLineEdit;
        layout->addWidget(field);
        layout->addWidget(next);
        window->resize(300, 100);
        window->move(100, 100);
        popup = new CIntelliPopupImpl(GlobalBlock(registry.Block().data()), window);
        QObject::connect(popup, &CIntelliPopupImpl::notified,
                         [this](const CKIntelliNotify& n) { codes.push_back(n.code); });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        field->setFocus();
    }
    // The dialog closes: the popup goes with it and the history is saved.
    void Close()
    {
        delete window;
        window = nullptr;
        Drain();
    }
    void Seed(std::initializer_list<const char*> texts)
    {
        int i = 0;
        for (const char* t : texts) registry.SetValue(kGroup, QStringLiteral("History%1").arg(i++), t);
    }
    void AttachHistory() { ASSERT_TRUE(AttachIntelliPopup(*popup, field, 0, 0, 61255)); }
    void Leave()
    {
        next->setFocus();
        field->setFocus();
    }
    QListWidget* List() const { return popup->List(); }
    QString Current() const
    {
        return List() && List()->currentItem() ? List()->currentItem()->text() : QString();
    }

    test::TempRegistry registry;
    QWidget* window = nullptr;
    QLineEdit* field = nullptr;
    QLineEdit* next = nullptr;
    CIntelliPopupImpl* popup = nullptr;
    std::vector<int> codes;
};

TEST_F(IntelliPopupTest, TypingCompletesBackspaceOnlySelectsAndNoMatchCloses)
{
    Seed({"phone bank", "Phone supplier", "Pay rent"});
    AttachHistory();
    QTest::keyClicks(field, "P");
    EXPECT_EQ(field->text(), "Pay rent");
    QTest::keyClick(field, Qt::Key_H);
    EXPECT_EQ(field->text(), "Phone supplier") << "'phone bank' differs in its first byte";
    EXPECT_EQ(field->selectedText(), "one supplier");
    EXPECT_TRUE(field->isModified());
    ASSERT_EQ(List()->count(), 3);
    EXPECT_EQ(List()->item(0)->text(), "Pay rent") << "rows sorted ignoring case";
    EXPECT_EQ(List()->item(1)->text(), "phone bank");
    EXPECT_EQ(codes, std::vector<int>({kIntelliCreated, kIntelliShowing}));

    QTest::keyClick(field, Qt::Key_Backspace);  // removes the completion
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "P");
    EXPECT_EQ(Current(), "Pay rent") << "selected, not completed";
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(field->text(), "Px") << "the user's typing stays";
    EXPECT_EQ(codes.back(), kIntelliHidden);
}

TEST_F(IntelliPopupTest, LeavingAddsTheTextOnceAndClosingTheDialogSaves)
{
    AttachHistory();
    for (const char* text : {"b text", "A text", "", "b text"}) {
        field->setText(text);
        Leave();
    }
    EXPECT_EQ(popup->Store()->Count(), 2) << "once each; an empty field adds nothing";
    EXPECT_EQ(popup->Window(), nullptr) << "the windows go with the focus";
    EXPECT_TRUE(registry.Keys(kGroup).isEmpty());
    Close();
    EXPECT_EQ(registry.Value(kGroup, "History1").toString(), "A text");
}

TEST_F(IntelliPopupTest, EnterTakesTheFirstColumnAndMovesOn)
{
    ASSERT_TRUE(AttachIntelliPopup(*popup, field, kIntelliNominal, 0, {}, &FakeAccounts, 0));
    QTest::keyClicks(field, "40");
    EXPECT_EQ(field->text(), "4000");
    EXPECT_EQ(field->selectedText(), "00");
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->text(), "4010");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "4010");
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(QApplication::focusWidget(), next);

    std::vector<int> seen;
    for (const CKIntelliNotify& n : g_providerCalls) seen.push_back(n.code);
    EXPECT_EQ(seen, std::vector<int>({kIntelliCreated, kIntelliFill, kIntelliShowing, kIntelliHidden}))
        << "the store for \"40\" is made from the one for \"4\", so one search serves both";
    EXPECT_EQ(g_providerCalls[1].text, "4");
    EXPECT_EQ(g_providerCalls[1].kind, kIntelliNominal);
}

// The popup opens under the field, field width + 400 by 180; the user may make it bigger but
// not smaller than field width + 400 by 200, and it opens again at that size for the same
// field, user and resolution.
TEST_F(IntelliPopupTest, PopupSizeIsRememberedPerUser)
{
    Seed({"Pay rent"});
    AttachHistory();
    QTest::keyClicks(field, "P");
    CIntelliPopupWnd* wnd = popup->Window();
    ASSERT_TRUE(wnd && wnd->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(wnd->pos(), field->mapToGlobal(QPoint(2, field->height() - 2)));
    const QSize first = wnd->size();
    EXPECT_EQ(first, QSize(field->width() + 400, 180));
    auto drag = [wnd](QPoint to) {
        QTest::mousePress(wnd->SizeBox(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(wnd->SizeBox(), to);
        QTest::mouseRelease(wnd->SizeBox(), Qt::LeftButton, {}, to);
    };
    drag(QPoint(62, 92));
    EXPECT_EQ(wnd->size(), first + QSize(60, 90));
    drag(QPoint(-500, -500));
    const QSize smallest(field->width() + 400, 200);
    ASSERT_EQ(wnd->size(), smallest);

    const int dpi = qRound(field->screen()->logicalDotsPerInchX());
    const QString key = QStringLiteral("POPUP-0-Software\\Kelo\\Plinth 70\\History\\TasksToDoDesc-%1-%2-ANNA");
    EXPECT_EQ(ReadINIInt(GetINI(1), "Tasks", key.arg("WIDTH").arg(dpi), 0), wnd->List()->width());
    EXPECT_EQ(ReadINIInt(GetINI(1), "Tasks", key.arg("HEIGHT").arg(dpi), 0), 200);

    for (const char* user : {"ANNA", "BOB"}) {
        Close();
        GlobalBlock(registry.Block().data()).SetText(kGlobalUserName, user);
        Open();
        AttachHistory();
        QTest::keyClicks(field, "P");
        ASSERT_TRUE(popup->Window());
        EXPECT_EQ(popup->Window()->size(), user == std::string("ANNA") ? smallest : first) << user;
    }
}

}  // namespace
}  // namespace kelo
