#include "host/ui/CKDateEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "host/util/Dates.h"

namespace kelo {
namespace {

TEST(CKDateEdit, ParsesFullAndShortForms)
{
    struct Case {
        const char* text;
        int pivot;
        int day, month, year;  // 0/0/0: not a date
    };
    const std::vector<Case> cases{
        {"5/3/27", 1980, 5, 3, 2027},
        {"5-3-2027", 1980, 5, 3, 2027},
        {"5.3.79", 1980, 5, 3, 2079},
        {"5.3.80", 1980, 5, 3, 1980},
        {"050327", 1980, 5, 3, 2027},
        {"5/3/70", 1970, 5, 3, 1970},
        {"5/3/69", 1970, 5, 3, 2069},
        {"06/06/2079", 1980, 6, 6, 2079},
        {"29/02/2027", 1980, 0, 0, 0},
        {"07/06/2079", 1980, 0, 0, 0},
        {"5/3/027", 1980, 0, 0, 0},
        {"5/3", 1980, 0, 0, 0},
        {"5/3-2027", 1980, 0, 0, 0},
        {"05032", 1980, 0, 0, 0},
        {"123/4/2027", 1980, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const uint16_t expected =
            c.day == 0 ? 0 : DateNumberFromComponents(c.day, c.month, c.year);
        EXPECT_EQ(CKDateEdit::ParseDate(c.text, c.pivot), expected) << '"' << c.text << '"';
    }
}

// The changed flag follows the user, not the program; leaving the field writes a date in full.
TEST(CKDateEdit, LeavingTheFieldWritesAValidDateInFull)
{
    CKDateEdit edit;
    edit.SetDate(DateNumberFromComponents(5, 3, 2027));
    EXPECT_EQ(edit.text(), "05/03/2027");
    EXPECT_FALSE(edit.IsChanged());
    edit.selectAll();
    QTest::keyClicks(&edit, "1/4/27");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
    EXPECT_EQ(edit.text(), "01/04/2027");
    EXPECT_TRUE(edit.IsChanged());

    edit.selectAll();
    QTest::keyClicks(&edit, "31/4/27");
    QApplication::sendEvent(&edit, &out);
    EXPECT_EQ(edit.text(), "31/4/27") << "not a date: left for the dialog's check";
    EXPECT_EQ(edit.GetDate(), 0);
}

}  // namespace
}  // namespace kelo
