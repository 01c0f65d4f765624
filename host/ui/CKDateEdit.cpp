#include "host/ui/CKDateEdit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDate>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "host/util/Dates.h"

namespace kelo {

namespace {

// Unsigned number of an all-digit run, -1 when empty or not all digits.
int Number(std::string_view digits)
{
    if (digits.empty() || digits.size() > 4) return -1;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

int FullYear(std::string_view digits, int pivotYear)
{
    const int y = Number(digits);
    if (y < 0) return -1;
    if (digits.size() == 4) return y;
    if (digits.size() != 2) return -1;
    int year = pivotYear / 100 * 100 + y;
    if (year < pivotYear) year += 100;
    return year;
}

}  // namespace

CKDateEdit::CKDateEdit(QWidget* parent)
    : QLineEdit(parent), m_popup(new QWidget(this, Qt::Popup)), m_calendar(new QCalendarWidget(m_popup))
{
    setMaxLength(10);
    setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setDateRange(QDate(1900, 1, 1), QDate(2079, 6, 6));
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &CKDateEdit::OnPicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &CKDateEdit::OnPicked);

    QAction* pick = addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                              QLineEdit::TrailingPosition);
    pick->setToolTip(tr("Choose a date"));
    connect(pick, &QAction::triggered, this, &CKDateEdit::ShowCalendar);

    connect(this, &QLineEdit::textEdited, this, [this] {
        m_changed = true;
        emit dateEdited(GetDate());
    });
}

void CKDateEdit::Setup(int /*style*/, int pivotYear)
{
    // Only the day/month/year style exists here, so the style value selects nothing.
    if (pivotYear > 0) m_pivotYear = pivotYear;
}

uint16_t CKDateEdit::GetDate() const
{
    return ParseDate(text().toStdString(), m_pivotYear);
}

void CKDateEdit::SetDate(uint16_t date)
{
    setText(QString::fromStdString(DateNumberToFullString(date)));
    m_changed = false;
}

uint16_t CKDateEdit::ParseDate(std::string_view text, int pivotYear)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return 0;

    std::string_view parts[3];
    int count = 0;
    size_t start = 0;
    char separator = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const char c = end ? 0 : text[i];
        if (end || c == '/' || c == '-' || c == '.') {
            if (!end) {
                if (separator != 0 && c != separator) return 0;  // "1/2-2027" is not a date
                separator = c;
            }
            if (count == 3) return 0;
            parts[count++] = text.substr(start, i - start);
            start = i + 1;
        }
    }

    int day, month, year;
    if (count == 1) {
        // Digits only: ddmmyy or ddmmyyyy.
        const std::string_view d = parts[0];
        if ((d.size() != 6 && d.size() != 8) || Number(d.substr(0, 4)) < 0) return 0;
        day = Number(d.substr(0, 2));
        month = Number(d.substr(2, 2));
        year = FullYear(d.substr(4), pivotYear);
    } else if (count == 3) {
        if (parts[0].size() > 2 || parts[1].size() > 2) return 0;
        day = Number(parts[0]);
        month = Number(parts[1]);
        year = FullYear(parts[2], pivotYear);
    } else {
        return 0;
    }
    if (day < 1 || month < 1 || year < 0) return 0;
    return DateNumberFromComponents(day, month, year);
}

void CKDateEdit::ShowCalendar()
{
    const uint16_t date = GetDate();
    if (date != 0) {
        int d, m, y;
        DateNumberToComponents(date, d, m, y);
        m_calendar->setSelectedDate(QDate(y, m, d));
    } else {
        m_calendar->setSelectedDate(QDate::currentDate());
    }
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void CKDateEdit::OnPicked(const QDate& date)
{
    m_popup->hide();
    const uint16_t number = DateNumberFromComponents(date.day(), date.month(), date.year());
    setText(QString::fromStdString(DateNumberToFullString(number)));
    m_changed = true;
    setFocus();
    emit dateEdited(number);
}

void CKDateEdit::focusOutEvent(QFocusEvent* event)
{
    const uint16_t date = GetDate();
    if (date != 0) {
        const QString full = QString::fromStdString(DateNumberToFullString(date));
        if (full != text()) setText(full);
    }
    QLineEdit::focusOutEvent(event);
}

void CKDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        ShowCalendar();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace kelo
