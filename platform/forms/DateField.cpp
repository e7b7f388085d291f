#include "platform/forms/DateField.h"

#include "platform/Clock.h"
#include "platform/text/FourDigitYears.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

DateField::DateField(QWidget* parent) : QDateEdit(parent)
{
    showFormat();
}

void DateField::showFormat()
{
    setDisplayFormat(withFourDigitYears(locale().dateFormat(QLocale::ShortFormat)));
}

QDate DateField::typedDate()
{
    takeTyped();
    return date();
}

void DateField::takeTyped()
{
    QString text = lineEdit()->text();
    int position = lineEdit()->cursorPosition();
    if (validate(text, position) == QValidator::Acceptable)
        return;
    // The field keeps a year it cannot take as it is, as two typed digits: read them as two.
    // Two zeros typed show as four, which is no year.
    const qsizetype zeros = text.lastIndexOf(QLatin1String("0000"));
    if (zeros >= 0)
        text.replace(zeros, 4, QStringLiteral("00"));
    const QDate typed = locale().toDate(text, withTwoDigitYears(displayFormat()));
    if (!typed.isValid())
        return;
    const QDate date(yearOfTwoDigits(typed.year() % 100, programClock().now().date().year()), typed.month(),
                     typed.day());
    if (date.isValid())
        setDate(date);
}

void DateField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        showFormat();
    QDateEdit::changeEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event)
{
    takeTyped();
    QDateEdit::focusOutEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: takeTyped(); break;
    default: break;
    }
    QDateEdit::keyPressEvent(event);
}
