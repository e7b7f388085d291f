#include "platform/forms/DateField.h"

#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

DateField::DateField(QWidget* parent) : QLineEdit(parent)
{
    m_calendarButton = addAction(QIcon(QStringLiteral(":/pictures/calendar.svg")), QLineEdit::TrailingPosition);
    m_calendarButton->setVisible(false);
    connect(m_calendarButton, &QAction::triggered, this, &DateField::showCalendar);
}

void DateField::showDayAndMonthOf(int year)
{
    m_year = year;
    setDateRange(QDate(year, 1, 1), QDate(year, 12, 31));
    showDate();
}

void DateField::setCalendarPopup(bool on)
{
    m_calendarButton->setVisible(on);
}

void DateField::setDateRange(const QDate& first, const QDate& last)
{
    m_first = first;
    m_last = last;
}

void DateField::setDate(const QDate& date)
{
    m_date = date.isValid() ? date : QDate();
    showDate();
}

QString DateField::shownText(const QDate& date) const
{
    if (!date.isValid())
        return {};
    if (m_year)
        return locale().toString(date, QStringLiteral("dd MMM"));
    return DateTimeText::shortDate(date, locale());
}

void DateField::showDate()
{
    const QString shown = shownText(m_date);
    // Set again, the same text would lose the cursor's place.
    if (text() != shown)
        setText(shown);
}

TypedDate DateField::takeTyped()
{
    TypedDate typed = m_year ? readTypedDayMonth(text(), locale(), *m_year)
                             : readTypedDate(text(), locale(), programClock().now().date().year());
    if (typed.isDate() && (typed.date < m_first || typed.date > m_last))
        typed = {TypedDate::Kind::Invalid, {}};
    if (typed.isInvalid())
        return typed;
    m_date = typed.date;
    showDate();
    return typed;
}

void DateField::showCalendar()
{
    if (!isEnabled() || isReadOnly())
        return;
    const TypedDate typed = takeTyped();
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        // A click on a day or Enter takes it; Esc closes the calendar as any popup.
        connect(m_calendar, &QCalendarWidget::clicked, this, &DateField::takeCalendarDate);
        connect(m_calendar, &QCalendarWidget::activated, this, &DateField::takeCalendarDate);
    }
    m_calendar->setLocale(locale());
    m_calendar->setDateRange(m_first, m_last);
    const QDate today = programClock().now().date();
    const QDate shown = typed.isDate() ? typed.date : m_date.isValid() ? m_date : today;
    m_calendar->setSelectedDate(std::clamp(shown, m_first, m_last));
    const QSize size = m_calendar->sizeHint();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + size.height() > room.bottom() + 1)
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        at.setY(std::max(at.y(), room.top()));
    }
    m_calendar->setGeometry(QRect(at, size));
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

QCalendarWidget* DateField::openCalendar() const
{
    return m_calendar && m_calendar->isVisible() ? m_calendar : nullptr;
}

void DateField::takeCalendarDate(const QDate& date)
{
    m_calendar->hide();
    setDate(date);
    setFocus(Qt::PopupFocusReason);
    selectAll();
}

void DateField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        showDate();
    QLineEdit::changeEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        takeTyped();
    QLineEdit::focusOutEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (m_calendarButton->isVisible() && (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down))) {
        showCalendar();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        takeTyped();
    QLineEdit::keyPressEvent(event);
}
