#include "host/util/ProgramDate.h"

#include <QDate>

#include <gtest/gtest.h>

#include "host/util/Dates.h"

TEST(ProgramDate, DefaultsToTodayAndClearingRereadsTheClock) {
    SetProgramDate(DateStringToNumber("01/01/2001"));
    SetProgramDate(kNoDate);
    const QDate today = QDate::currentDate();
    const std::uint16_t fromClock = GetProgramDate();
    // Allow for the test running across midnight.
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(fromClock == DateNumberFromComponents(today.day(), today.month(), today.year()) ||
                fromClock == DateNumberFromComponents(after.day(), after.month(), after.year()));
    EXPECT_NE(fromClock, kNoDate);
}
