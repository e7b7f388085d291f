#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// What was typed into a date field, read as a whole: nothing, a date, or text
// that is no date. A date is never guessed: a day its month has not (31 June,
// 29 February of a common year) is no date, not the day after.
struct TypedDate {
    enum class Kind { Empty, Date, Invalid };
    Kind kind = Kind::Empty;
    QDate date; // valid for Kind::Date only

    bool isDate() const { return kind == Kind::Date; }
    bool isInvalid() const { return kind == Kind::Invalid; }
};

// A day, month and year in the order of the locale's short date, with any
// separators or none: the day and the month of one or two digits, the year of
// two or four, or all run together as six or eight digits (two each, the year
// two or four). The month may also be its name (monthOfName); the other two
// then keep the locale's order around it. Two year digits are a year of this
// century up to this year's two digits, of the century before above them.
TypedDate readTypedDate(const QString& text, const QLocale& locale, int thisYear);

// A day and a month of `year`, the day first: each of one or two digits, or
// the two run together as four, or the month by its name on either side.
TypedDate readTypedDayMonth(const QString& text, const QLocale& locale, int year);

// The month a typed name stands for, 1 to 12: the locale's full or short name
// in any letter case, with or without its full stop, or the start (three
// letters or more) of one full name only. 0 when it stands for none.
int monthOfName(const QString& name, const QLocale& locale);
