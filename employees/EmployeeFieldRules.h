#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

class FieldValue;

// The rules the employee editor applies to what is typed, and the way stored
// values come back into its controls.

// What the number box holds: nothing (then nothing happens), a number, or a
// refusal with its message.
struct EmployeeNumberVerdict {
    bool empty = false;
    std::optional<int16_t> number;
    QString refusal;
};

// Only whole numbers 1 to 500, blanks and a sign around them allowed. A number
// outside the range is refused with the range; a fraction within it, or text
// that is no decimal number (a hexadecimal literal), with the plain message.
EmployeeNumberVerdict checkEmployeeNumber(const QString& text);
QString numberTakenMessage();

// Blanks trimmed, the first letter a to z made upper case; the rest as typed.
QString capitalizeName(const QString& text);
// A name reaches the report files, which are written in Windows-1252: false
// when it holds a character that code page has not.
bool nameFitsReportFiles(const QString& text);
QString invalidNameMessage();

// "Invalid Time!" and the valid format, for a start time that IsValidTime refuses.
QString invalidTimeMessage();

// The register's dates lie in the years 1900 to 2099: a year outside them is a
// mistyped one (4198 for 1984).
bool yearFitsRegister(const QDate& date);
// "Invalid Date!" under the field's name (its English caption) and the years allowed.
QString invalidYearMessage(const QString& field);
// "Invalid Date!" under the field's name, for text that is no date.
QString invalidDateMessage(const QString& field);

// A list left with no choice (-1) stores 0, which the reports read as none.
int16_t hoursFromListIndex(int index);
// Gender and family status store the position + 1, 0 for no choice.
int16_t choiceFromListIndex(int index);

// The list row a stored value selects: -1 for no selection, nothing when the
// value has no row (the list then keeps what it shows).
std::optional<int> listIndexForChoice(const FieldValue& stored, int rows);
std::optional<int> listIndexForHours(const FieldValue& stored, int rows);

// A stored start time as the time box shows it: "HH:mm" for a time, empty for
// no time (blank, Null or the empty mask), anything else as it stands.
QString startTimeForDisplay(const FieldValue& stored);
