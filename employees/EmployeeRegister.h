#pragma once

#include <QList>
#include <QString>
#include <cstdint>

class Database;

// One row of the employee list, as qryEmployees delivers it.
struct EmployeeListRow {
    // "Allowed" (translated) when the employee holds a slot in the unit, else "Unallowed".
    QString access;
    // The row's small picture: 1 card, 2 PIN, 0 none.
    int image = 0;
    QString lastName;
    QString firstName;
    QString number;
    QString slot;
};

namespace EmployeeRegister {

inline constexpr int ImageNone = 0;
inline constexpr int ImageCard = 1;
inline constexpr int ImagePin = 2;

// Every employee, in the query's order.
QList<EmployeeListRow> readList(Database& db);

// An employee of that number is in the register.
bool numberTaken(Database& db, int16_t number);

// Removes the register row of the employee (nothing else that names the
// number); false when there was none.
bool remove(Database& db, int16_t number);

}
