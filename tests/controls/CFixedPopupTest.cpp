#include "src/controls/CFixedPopup.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "host/ui/CKPopupField.h"
#include "src/controls/CNominalPopupDlg.h"
#include "tests/host/file/TempCompany.h"
#include "tests/host/framework/PostingLedger.h"

namespace kelo {
namespace {

class LookupPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Written out of code order: the index decides the rows' order.
        for (const auto& [code, name] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"7500", "Office stationery"},
                 {"1200", "Bank current account"},
                 {"4000", "Sales type A"},
                 {"1210", "Petty cash"},
                 {"7900", "Bank charges"},
                 {"9999", "Suspense"},
                 {"0030", "Office equipment"}})
            ledger.Nominal(code, name);
        window.resize(400, 120);
        field = new CKPopupField(&window);
        field->SetLimit(8);
        field->setGeometry(10, 10, 120, 24);
        window.show();
    }
    void TearDown() override
    {
        if (popup) popup->DestroyWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the nominal lookup with `text` in the field.
    CFixedPopup* Open(const QString& text)
    {
        field->SetTextQuietly(text);
        popup = new CNominalPopupDlg(field, company.Context());
        EXPECT_TRUE(popup->CreatePopup(field, field));
        return popup;
    }
    QString Selected() const { return popup->RowAt(popup->SelectedRow()).section('\t', 0, 0); }
    bool Gone()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return popup.isNull();
    }

    test::TempCompany company;
    test::PostingLedger ledger{company.Context()};
    QWidget window;
    CKPopupField* field = nullptr;
    QPointer<CFixedPopup> popup;
};

TEST_F(LookupPopupTest, OpensOnTheOwnersCodeOrWhereTheSearchStops)
{
    const struct {
        const char* text;
        const char* selected;
    } cases[] = {
        {"4000", "4000"},
        {"4500", "7500"},  // not an account: the first code not below it
        {"", "0030"},      // empty: row 0
        {"75", "7500"},
        {"ZZZ", "0030"},   // beyond every code: row 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open(QString::fromLatin1(c.text));
        EXPECT_EQ(Selected(), QString::fromLatin1(c.selected));
        EXPECT_EQ(field->OpenList(), popup.data());
        popup->DestroyWindow();
        EXPECT_TRUE(Gone());
        EXPECT_EQ(field->OpenList(), nullptr);
    }
}

TEST_F(LookupPopupTest, TypeAheadSearchesOneCharacterAtATime)
{
    Open(QString());
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* selected;
    } steps[] = {
        {Qt::Key_7, Qt::NoModifier, "7500"},
        {Qt::Key_1, Qt::KeypadModifier, "1200"},  // keypad digits count as digits
        {Qt::Key_9, Qt::NoModifier, "9999"},      // not "19": characters do not add up
        {Qt::Key_Z, Qt::NoModifier, "9999"},      // nothing found: the selection stays
        {Qt::Key_5, Qt::NoModifier, "7500"},      // the first code not below "5"
    };
    for (const auto& s : steps) {
        QTest::keyClick(popup->List(), s.key, s.modifiers);
        EXPECT_EQ(Selected(), QString::fromLatin1(s.selected)) << QTest::toString(s.key);
    }
    EXPECT_FALSE(popup->IsClosing());
}

TEST_F(LookupPopupTest, ClosingWithoutChoosingLeavesTheField)
{
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        Open("4000");
        QTest::keyClick(popup->List(), Qt::Key_Down);
        if (escape) {
            QTest::keyClick(popup->List(), Qt::Key_Escape);
        } else {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(popup, &deactivate);
            // A second notice after closing began does nothing more.
            if (popup) QCoreApplication::sendEvent(popup, &deactivate);
        }
        EXPECT_EQ(field->Text(), "4000");
        EXPECT_TRUE(Gone());
    }
}

}  // namespace
}  // namespace kelo
