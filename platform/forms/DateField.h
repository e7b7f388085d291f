#pragma once

#include "platform/text/TypedDate.h"

#include <QDate>
#include <QLineEdit>
#include <optional>

class QCalendarWidget;

// A date typed like any text: what is selected is replaced and the rest stays,
// wherever the cursor stands. The field shows its date in the short order of
// its locale with four-digit years (a yearly day: the day and month alone) and
// reads what was typed as a whole when it is left, when Enter is pressed and
// whenever its date is asked for (readTypedDate, readTypedDayMonth). A date
// read is shown in the field's form; text that is no date stays as typed, for
// the window to refuse under the field's name. The calendar opens from the
// field's button, F4 or Alt+Down.
class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    // Day and month only, of `year`: a day that comes back every year.
    void showDayAndMonthOf(int year);
    void setCalendarPopup(bool on);
    // A date outside is no date. By default 14 September 1752 to 9999.
    void setDateRange(const QDate& first, const QDate& last);

    // Shows a date; an invalid one empties the field.
    void setDate(const QDate& date);
    // The date last read or set; invalid when the field holds none.
    QDate date() const { return m_date; }

    // Reads what was typed.
    TypedDate takeTyped();
    // The same as a date: invalid for an empty field or text that is no date.
    QDate typedDate() { return takeTyped().date; }

    void showCalendar();
    // The calendar while it is open, else nullptr.
    QCalendarWidget* openCalendar() const;

protected:
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString shownText(const QDate& date) const;
    void showDate();
    void takeCalendarDate(const QDate& date);

    QDate m_date;
    QDate m_first{1752, 9, 14};
    QDate m_last{9999, 12, 31};
    std::optional<int> m_year;
    QAction* m_calendarButton = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
