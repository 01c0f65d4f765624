#pragma once

#include <cstdint>
#include <string_view>

#include <QLineEdit>

class QCalendarWidget;

namespace kelo {

// The host date edit: a line edit for a date, typed as dd/mm/yyyy or in short forms (d/m/yy,
// d/m/yyyy, ddmmyy, ddmmyyyy; '/', '-' or '.' between the parts), or picked from a calendar
// that the button at the right end opens. Its value is a date number (0 = empty or not a date).
// On leaving the field a valid date is rewritten as dd/mm/yyyy; text that is not a date is left
// for the dialog's own check.
//
// The changed flag is set by the user's typing or picking and cleared by SetDate and
// SetChanged(false); dialogs check it on leaving the field and before saving.
class CKDateEdit final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CKDateEdit)

public:
    explicit CKDateEdit(QWidget* parent = nullptr);

    // The control's own setup: `style` 3 is day/month/year with four-digit years shown;
    // `pivotYear` is the first year two-digit years fall into (1970: 70-99 are 1970-1999,
    // 00-69 are 2000-2069). Other styles are treated as 3. Without Setup the pivot is 1980, as
    // DateStringToNumber reads two-digit years.
    void Setup(int style, int pivotYear);

    // The date number of the text, 0 when it is empty or not a date.
    uint16_t GetDate() const;
    // Shows a date number as dd/mm/yyyy (0: empty) and clears the changed flag.
    void SetDate(uint16_t date);

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

    // The date number of a typed text under a pivot year, 0 when it is not a date. Never throws.
    static uint16_t ParseDate(std::string_view text, int pivotYear = 1980);

    // Opens the calendar popup at the field's date (the program date is not known here: an
    // empty field opens at today's month).
    void ShowCalendar();
    QCalendarWidget* Calendar() const { return m_calendar; }

signals:
    // The user changed the date (typing, picking); date is the new value or 0.
    void dateEdited(uint16_t date);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnPicked(const QDate& date);

    int m_pivotYear = 1980;
    bool m_changed = false;
    QWidget* m_popup;
    QCalendarWidget* m_calendar;
};

}  // namespace kelo
