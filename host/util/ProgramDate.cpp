#include "host/util/ProgramDate.h"

#include <atomic>

#include <QDate>

#include "host/util/Dates.h"

namespace {

std::atomic<std::uint16_t> g_programDate{kNoDate};

std::uint16_t TodayFromClock() {
    const QDate today = QDate::currentDate();
    return DateNumberFromComponents(today.day(), today.month(), today.year());
}

}  // namespace

std::uint16_t GetProgramDate() {
    std::uint16_t date = g_programDate.load();
    if (date == kNoDate) {
        std::uint16_t expected = kNoDate;
        date = TodayFromClock();
        // Another thread may have set it meanwhile; its value wins.
        if (!g_programDate.compare_exchange_strong(expected, date)) {
            date = expected;
        }
    }
    return date;
}

void SetProgramDate(std::uint16_t date) {
    g_programDate.store(date);
}
