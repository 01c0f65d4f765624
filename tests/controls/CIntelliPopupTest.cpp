#include "src/controls/CIntelliPopupImpl.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "src/controls/AttachIntelliPopup.h"
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

class IntelliPopupTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override
    {
        Close();
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

    QTest::keyClick(field, Qt::Key_Backspace);  // removes the completion
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "P");
    EXPECT_EQ(Current(), "Pay rent") << "selected, not completed";
    QTest::keyClick(field, Qt::Key_X);
    EXPECT_FALSE(popup->IsShown());
    EXPECT_EQ(field->text(), "Px") << "the user's typing stays";
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

}  // namespace
}  // namespace kelo
